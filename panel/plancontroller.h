#pragma once

#include "plan.h"
#include "recoverystore.h"
#include "reportexport.h"

#include <QObject>
#include <QString>
#include <QTimer>

class PlanMenu;
class PoleList;
class Widget;
class customMenuBar;

// Keeps the panel's plan: the site with its poles, the file it came from
// and whether it has changed since. The panel's controls always show the
// current pole; a change there changes that pole. Another pole is loaded
// into the controls through their own signals. While there are unsaved
// changes a recovery copy is written a little after the last one, and the
// title shows the site's name with a mark.
class PlanController : public QObject
{
    Q_OBJECT

public:
    // How long after the last change the recovery copy is written.
    static constexpr int RecoveryDelayMs = 2000;

    PlanController(Widget *panel, PoleList *poles, customMenuBar *bar);
    ~PlanController() override;

    const Plan &plan() const { return m_plan; }
    int currentPole() const { return m_current; }
    const QString &path() const { return m_path; }
    bool isModified() const { return m_modified; }
    // The site's name, else the file's, else the language's word for a new
    // site.
    QString siteTitle() const;

    // These ask nothing: for the start, the tests and the user's answers.
    // open and saveTo leave the plan, the controls and the files as they
    // were when they fail, with the reason in English.
    bool open(const QString &path, QString *reason);
    bool saveTo(const QString &path, QString *reason);
    void newPlan();
    void choosePole(int index);
    void addPole();
    void removePole(int index);
    void describePole(int index, const QString &name, const QString &note);
    void describeSite(const QString &name, const QString &note);

    // Asks about unsaved changes before the window closes: save, discard
    // or stay. True when it may close.
    bool mayClose();
    // Offers back what a program that ended abnormally had not saved.
    void offerRecovery();
    // Opens the file and tells the user when it cannot.
    void openAndTell(const QString &path);
    ReportExport::Outcome exportSite(const QString &fileName, QString *reason) const;

private:
    void recordChanged();
    void setModified(bool modified);
    void showPole(int index);
    void showPoles();
    void updateTitle();
    void writeRecoveryCopy();
    bool settleUnsaved();
    bool save();
    bool saveAs();
    void openChosen();
    void openRecent(const QString &path);
    void editPole();
    void editSite();
    void askRemovePole();
    QString newPoleName() const;

    Widget *m_panel;
    PoleList *m_poles;
    customMenuBar *m_bar;
    PlanMenu *m_menu;
    Plan m_plan;
    int m_current = 0;
    QString m_path;
    bool m_modified = false;
    // Set while a pole is loaded into the controls, whose changes on the
    // way are not the user's.
    bool m_loading = false;
    // What a new plan's pole holds: the controls as the panel starts.
    SceneParams m_newRecord;
    RecoveryStore m_recovery;
    QTimer m_recoveryTimer;
};
