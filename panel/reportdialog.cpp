#include "reportdialog.h"

#include "hostwindow.h"
#include "languagetable.h"
#include "reportformat.h"
#include "textid.h"

#include <QCoreApplication>
#include <QFileDialog>

QString ReportDialog::ask(QWidget *panel)
{
    QFileDialog dialog(HostWindow(panel), languageText(TextId::ExportReport),
                       QCoreApplication::applicationDirPath(),
                       QCoreApplication::translate("Widget", "(*.xlsx);;(*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto takeSuffix = [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(ReportFormat::suffixOfFilter(filter));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffix);
    takeSuffix(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return ReportFormat::withSuffix(dialog.selectedFiles().constFirst(), dialog.defaultSuffix());
}
