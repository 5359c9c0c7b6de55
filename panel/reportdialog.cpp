#include "reportdialog.h"

#include "hostwindow.h"
#include "languagetable.h"
#include "reportformat.h"
#include "textid.h"

#include <QCoreApplication>
#include <QFileDialog>

QString ReportDialog::ask(QWidget *panel, bool *wholeSite)
{
    const QString site = languageText(TextId::SiteReportFilter);
    const QStringList siteFilters{site + QStringLiteral(" (*.xlsx)"),
                                  site + QStringLiteral(" (*.pdf)")};
    QFileDialog dialog(HostWindow(panel), languageText(TextId::ExportReport),
                       QCoreApplication::applicationDirPath(),
                       QCoreApplication::translate("Widget", "(*.xlsx);;(*.pdf)") +
                           QStringLiteral(";;") + siteFilters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto takeSuffix = [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(ReportFormat::suffixOfFilter(filter));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffix);
    takeSuffix(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (wholeSite)
        *wholeSite = siteFilters.contains(dialog.selectedNameFilter());
    return ReportFormat::withSuffix(dialog.selectedFiles().constFirst(), dialog.defaultSuffix());
}
