#include "reportexport.h"

#include "languagetable.h"
#include "pdfreportwriter.h"
#include "reportcontent.h"
#include "reportformat.h"
#include "textid.h"
#include "xlsxreportwriter.h"

namespace
{

template <typename Writer, typename Content>
ReportExport::Outcome writeWith(const Content &content, const QString &fileName, QString *reason)
{
    Writer writer;
    if (writer.write(content, fileName))
        return ReportExport::Outcome::Written;
    *reason = writer.errorString();
    return ReportExport::Outcome::Failed;
}


template <typename Content>
ReportExport::Outcome writeAny(const Content &content, const QString &fileName, QString *reason)
{
    switch (ReportFormat::of(fileName)) {
    case ReportFormat::Spreadsheet:
        return writeWith<XlsxReportWriter>(content, fileName, reason);
    case ReportFormat::Pdf:
        return writeWith<PdfReportWriter>(content, fileName, reason);
    case ReportFormat::Unknown:
        break;
    }
    *reason = QStringLiteral("%1 is not named .pdf or .xlsx").arg(fileName);
    return ReportExport::Outcome::UnknownSuffix;
}

} // namespace

ReportExport::Outcome ReportExport::write(const ReportContent &content, const QString &fileName,
                                          QString *reason)
{
    return writeAny(content, fileName, reason);
}

ReportExport::Outcome ReportExport::write(const SiteReportContent &site, const QString &fileName,
                                          QString *reason)
{
    return writeAny(site, fileName, reason);
}

QString ReportExport::notice(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Written:
        return languageText(TextId::ExportSuccess);
    case Outcome::UnknownSuffix:
        return languageText(TextId::ReportSuffixNotice);
    case Outcome::Failed:
        break;
    }
    return languageText(TextId::ExportFailure);
}
