#pragma once

#include <QString>

struct ReportContent;
struct SiteReportContent;

// Writes a report as a one-sheet .xlsx workbook: captions and values in a
// grid of shaded caption cells and bordered value cells, the title across the
// top and the scene picture below, at its own pixel size.
class XlsxReportWriter final
{
public:
    // False when the workbook could not be written completely; an existing
    // file of that name is then left as it was.
    bool write(const ReportContent &content, const QString &fileName);
    // A site as a summary sheet followed by one sheet per pole, each laid
    // out as a single report; sheets are named after the poles.
    bool write(const SiteReportContent &site, const QString &fileName);
    QString errorString() const { return m_errorString; }

private:
    QString m_errorString;
};
