#include "plandialogs.h"

#include "hostwindow.h"
#include "languagetable.h"
#include "planfile.h"
#include "textid.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace
{

QString filter()
{
    return QStringLiteral("%1 (*.%2)")
        .arg(languageText(TextId::PlanFileFilter), PlanFile::suffix());
}

// A question with the language's own buttons; true for the first.
bool ask(QWidget *panel, const QString &text, int yes, int no)
{
    QMessageBox box(QMessageBox::Question, languageText(TextId::ProgramName), text,
                    QMessageBox::NoButton, HostWindow(panel));
    QPushButton *accept = box.addButton(languageText(yes), QMessageBox::AcceptRole);
    box.addButton(languageText(no), QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.exec();
    return box.clickedButton() == accept;
}

} // namespace

QString PlanDialogs::openPath(QWidget *panel, const QString &folder)
{
    QFileDialog dialog(HostWindow(panel), languageText(TextId::PlanOpen), folder, filter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString PlanDialogs::savePath(QWidget *panel, const QString &suggested)
{
    QFileDialog dialog(HostWindow(panel), languageText(TextId::PlanSaveAs), suggested, filter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(PlanFile::suffix());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

PlanDialogs::Unsaved PlanDialogs::askUnsaved(QWidget *panel, const QString &site)
{
    QMessageBox box(QMessageBox::Question, languageText(TextId::ProgramName),
                    languageText(TextId::SaveChangesQuestion).arg(site), QMessageBox::NoButton,
                    HostWindow(panel));
    QPushButton *save = box.addButton(languageText(TextId::PlanSave), QMessageBox::AcceptRole);
    QPushButton *discard =
        box.addButton(languageText(TextId::ButtonDiscard), QMessageBox::DestructiveRole);
    QPushButton *cancel =
        box.addButton(languageText(TextId::ButtonCancel), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return Unsaved::Save;
    return box.clickedButton() == discard ? Unsaved::Discard : Unsaved::Cancel;
}

bool PlanDialogs::askRemovePole(QWidget *panel, const QString &pole)
{
    return ask(panel, languageText(TextId::RemovePoleQuestion).arg(pole), TextId::PoleRemove,
               TextId::ButtonCancel);
}

bool PlanDialogs::askRestore(QWidget *panel, const QString &site)
{
    return ask(panel, languageText(TextId::RecoveryOffer).arg(site), TextId::ButtonRestore,
               TextId::ButtonDiscard);
}

bool PlanDialogs::editNameAndNote(QWidget *panel, int title, QString *name, QString *note)
{
    QDialog dialog(HostWindow(panel));
    dialog.setWindowTitle(languageText(title));
    auto *nameField = new QLineEdit(*name, &dialog);
    auto *noteField = new QPlainTextEdit(*note, &dialog);
    noteField->setTabChangesFocus(true);
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(languageText(TextId::ButtonOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(languageText(TextId::ButtonCancel), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(languageText(TextId::AboutName), nameField);
    form->addRow(languageText(TextId::NoteCaption), noteField);
    form->addRow(buttons);
    dialog.resize(420, 240);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *name = nameField->text().trimmed();
    *note = noteField->toPlainText();
    return true;
}

void PlanDialogs::tellFailure(QWidget *panel, int text, const QString &detail)
{
    QMessageBox box(QMessageBox::Warning, languageText(TextId::ProgramName), languageText(text),
                    QMessageBox::NoButton, HostWindow(panel));
    box.setInformativeText(detail);
    box.addButton(languageText(TextId::ButtonOk), QMessageBox::AcceptRole);
    box.exec();
}
