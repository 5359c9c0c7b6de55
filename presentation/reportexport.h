#pragma once

#include <QString>

struct ReportContent;
struct SiteReportContent;

// Writes a report where its file name asks, for the window and fenwarde-calc
// alike: the suffix, in any letter case, chooses the spreadsheet or the PDF
// writer (ReportFormat), and an existing file is replaced only by a complete
// new one.
class ReportExport final
{
public:
    enum class Outcome { Written, UnknownSuffix, Failed };

    // Without Written, reason says why, in English.
    static Outcome write(const ReportContent &content, const QString &fileName, QString *reason);
    // A whole site: its summary, then every pole's report.
    static Outcome write(const SiteReportContent &site, const QString &fileName, QString *reason);

    // What the window tells the user about an outcome, in the loaded
    // language.
    static QString notice(Outcome outcome);
};
