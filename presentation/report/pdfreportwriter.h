#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QFont;
class QIODevice;
class QPainter;
class QPdfWriter;
struct ReportContent;
struct SiteReportContent;

// Writes a report as one A4 page: title, two rules, the scene picture and two
// tables of captions and values.
class PdfReportWriter final
{
public:
    // False when the file could not be written completely; an existing file
    // of that name is then left as it was.
    bool write(const ReportContent &content, const QString &fileName);
    // A site: the summary of every pole, on as many pages as it needs, then
    // one page per pole laid out as a single report.
    bool write(const SiteReportContent &site, const QString &fileName);
    QString errorString() const { return m_errorString; }

    // Row by row, caption cells shaded and `shift` wider, value cells `shift`
    // narrower than an even share of the width between the margins `left`.
    // Each text is centred in its cell, and drawn smaller where it would not
    // fit.
    static void drawTable(QPainter *painter, int top, int left, int rows, int columns,
                          int rowHeight, const QFont &font, const QStringList &texts, int shift);

private:
    bool writePages(const QString &fileName, const QString &title,
                    const std::function<bool(QPdfWriter &, QPainter &)> &paint);

    QString m_errorString;
};
