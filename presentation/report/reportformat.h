#pragma once

#include <QString>

// Which writer a report file name asks for. The suffix decides, in any
// letter case, so "plan.PDF" is a PDF like "plan.pdf".
namespace ReportFormat
{
enum Kind { Unknown, Spreadsheet, Pdf };

Kind of(const QString &fileName);
// The same for a suffix alone, such as "pdf".
Kind ofSuffix(const QString &suffix);

// fileName with defaultSuffix added when it has no suffix of its own.
QString withSuffix(const QString &fileName, const QString &defaultSuffix);

// The suffix a save dialog's filter such as "(*.pdf)" stands for, or an
// empty text.
QString suffixOfFilter(const QString &filter);
} // namespace ReportFormat
