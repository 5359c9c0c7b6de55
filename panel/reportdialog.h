#pragma once

#include <QString>

class QWidget;

// Asks the user where to write the panel's report, and whether of the
// current pole, as the first filters offer, or of the whole site. The
// dialog is a window of the desktop over the one the user sees
// (HostWindow), not an item of the host's scene, so the window system draws
// it and its questions; a name typed without a suffix takes the chosen
// filter's before the dialog asks whether to replace a file of that name.
class ReportDialog final
{
public:
    // The chosen name with its suffix, or an empty text when the user
    // cancelled; wholeSite, when given, tells which report was chosen. The
    // dialog starts beside planPath when the plan has been saved.
    static QString ask(QWidget *panel, bool *wholeSite = nullptr,
                       const QString &planPath = QString());

private:
    static QString startFolder(const QString &planPath);
};
