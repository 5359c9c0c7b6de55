#include "reportdialog.h"

#include "hostwindow.h"
#include "languagetable.h"
#include "reportformat.h"
#include "textid.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QString ReportDialog::startFolder(const QString &planPath)
{
    if (!planPath.isEmpty())
        return QFileInfo(planPath).absolutePath();
    // An installed program's folder is not the user's to write in; a report
    // the dialog offers to put there would only fail.
    const QFileInfo programFolder(QCoreApplication::applicationDirPath());
    return programFolder.isWritable() ? programFolder.absoluteFilePath() : QDir::homePath();
}

QString ReportDialog::ask(QWidget *panel, bool *wholeSite, const QString &planPath)
{
    const QString site = languageText(TextId::SiteReportFilter);
    const QStringList siteFilters{site + QStringLiteral(" (*.xlsx)"),
                                  site + QStringLiteral(" (*.pdf)")};
    QFileDialog dialog(HostWindow(panel), languageText(TextId::ExportReport),
                       startFolder(planPath),
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
