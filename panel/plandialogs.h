#pragma once

#include <QString>

class QWidget;

// The questions the plan asks the user. Every dialog is a window of the
// desktop over the one the user sees (HostWindow of the panel), with its
// texts and buttons in the loaded language.
class PlanDialogs final
{
public:
    enum class Unsaved { Save, Discard, Cancel };

    // The chosen file, or an empty text when the user cancelled. A name
    // saved without a suffix takes ".fenwarde".
    static QString openPath(QWidget *panel, const QString &folder);
    static QString savePath(QWidget *panel, const QString &suggested);

    static Unsaved askUnsaved(QWidget *panel, const QString &site);
    static bool askRemovePole(QWidget *panel, const QString &pole);
    static bool askRestore(QWidget *panel, const QString &site);
    // Edits a name and a note; false when the user cancelled.
    static bool editNameAndNote(QWidget *panel, int title, QString *name, QString *note);
    // A failure, in the language, with the technical detail below.
    static void tellFailure(QWidget *panel, int text, const QString &detail);
};
