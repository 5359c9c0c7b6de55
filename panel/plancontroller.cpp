#include "plancontroller.h"

#include "custommenubar.h"
#include "languagetable.h"
#include "plandialogs.h"
#include "planfile.h"
#include "planmenu.h"
#include "polelist.h"
#include "recordfields.h"
#include "sitereport.h"
#include "textid.h"
#include "widget.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace
{

QString titleOf(const Plan &plan, const QString &path)
{
    if (!plan.siteName.isEmpty())
        return plan.siteName;
    if (!path.isEmpty())
        return QFileInfo(path).completeBaseName();
    return languageText(TextId::UntitledSite);
}

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("%1:\n%2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

PlanController::PlanController(Widget *panel, PoleList *poles, customMenuBar *bar)
    : QObject(panel), m_panel(panel), m_poles(poles), m_bar(bar), m_menu(bar->planMenu()),
      m_newRecord(panel->sceneParams())
{
    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(RecoveryDelayMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &PlanController::writeRecoveryCopy);
    connect(panel, &Widget::recordChanged, this, &PlanController::recordChanged);

    connect(poles, &PoleList::poleChosen, this, &PlanController::choosePole);
    connect(poles, &PoleList::addRequested, this, &PlanController::addPole);
    connect(poles, &PoleList::renameRequested, this, &PlanController::editPole);
    connect(poles, &PoleList::removeRequested, this, &PlanController::askRemovePole);
    connect(poles, &PoleList::siteRequested, this, &PlanController::editSite);
    if (m_menu) {
        connect(m_menu, &PlanMenu::newRequested, this, [this] {
            if (settleUnsaved())
                newPlan();
        });
        connect(m_menu, &PlanMenu::openRequested, this, &PlanController::openChosen);
        connect(m_menu, &PlanMenu::saveRequested, this, &PlanController::save);
        connect(m_menu, &PlanMenu::saveAsRequested, this, &PlanController::saveAs);
        connect(m_menu, &PlanMenu::recentRequested, this, &PlanController::openRecent);
    }
    newPlan();
}

PlanController::~PlanController() = default;

QString PlanController::siteTitle() const
{
    return titleOf(m_plan, m_path);
}

bool PlanController::open(const QString &path, QString *reason)
{
    Plan read;
    if (!PlanFile::read(path, &read, reason))
        return false;
    m_plan = read;
    m_path = QFileInfo(path).absoluteFilePath();
    setModified(false);
    showPole(0);
    if (m_menu)
        m_menu->remember(m_path);
    return true;
}

// A site without a name takes the file's, so the title and the reports
// name it alike.
bool PlanController::saveTo(const QString &path, QString *reason)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    Plan saved = m_plan;
    if (saved.siteName.isEmpty())
        saved.siteName = QFileInfo(absolute).completeBaseName();
    if (!PlanFile::write(absolute, saved, reason))
        return false;
    m_plan = saved;
    m_path = absolute;
    setModified(false);
    if (m_menu)
        m_menu->remember(m_path);
    return true;
}

void PlanController::newPlan()
{
    Plan plan;
    PlanPole pole;
    pole.name = languageText(TextId::NewPoleName).arg(1);
    pole.record = m_newRecord;
    plan.poles << pole;
    m_plan = plan;
    m_path.clear();
    setModified(false);
    showPole(0);
}

void PlanController::choosePole(int index)
{
    if (index >= 0 && index < m_plan.poles.size() && index != m_current)
        showPole(index);
}

void PlanController::addPole()
{
    PlanPole pole = m_plan.poles.at(m_current);
    pole.name = newPoleName();
    pole.note.clear();
    // What another program keeps about a pole belongs to that pole alone.
    pole.extra.clear();
    m_plan.poles.insert(m_current + 1, pole);
    setModified(true);
    showPole(m_current + 1);
}

void PlanController::removePole(int index)
{
    if (m_plan.poles.size() <= 1 || index < 0 || index >= m_plan.poles.size())
        return;
    m_plan.poles.remove(index);
    setModified(true);
    showPole(qMin(index, m_plan.poles.size() - 1));
}

void PlanController::describePole(int index, const QString &name, const QString &note)
{
    PlanPole &pole = m_plan.poles[index];
    if (pole.name == name && pole.note == note)
        return;
    pole.name = name;
    pole.note = note;
    setModified(true);
    showPoles();
}

void PlanController::describeSite(const QString &name, const QString &note)
{
    if (m_plan.siteName == name && m_plan.siteNote == note)
        return;
    m_plan.siteName = name;
    m_plan.siteNote = note;
    setModified(true);
}

bool PlanController::mayClose()
{
    if (!settleUnsaved())
        return false;
    // What was discarded is not offered back at the next start.
    m_recoveryTimer.stop();
    m_recovery.discard();
    return true;
}

void PlanController::offerRecovery()
{
    const std::optional<RecoveryStore::Copy> copy = m_recovery.claimLeftCopy();
    if (!copy)
        return;
    if (PlanDialogs::askRestore(m_panel, titleOf(copy->plan, copy->planPath))) {
        m_plan = copy->plan;
        m_path = copy->planPath;
        showPole(0);
        setModified(true);
        // Kept at once, before the old copy goes.
        writeRecoveryCopy();
    }
    m_recovery.drop(*copy);
}

void PlanController::openAndTell(const QString &path)
{
    QString reason;
    if (!open(path, &reason))
        PlanDialogs::tellFailure(m_panel, TextId::OpenFailed, failure(path, reason));
}

ReportExport::Outcome PlanController::exportSite(const QString &fileName, QString *reason) const
{
    // The pictures at the size fenwarde-calc draws them by default, so both
    // write the same report of a plan.
    // With the density zones when the window shows them.
    return SiteReport::write(m_plan, fileName, SiteReport::defaultPictureSize(), 1.0, reason,
                             m_panel->sceneOptions());
}

void PlanController::recordChanged()
{
    if (m_loading)
        return;
    PlanPole &pole = m_plan.poles[m_current];
    if (RecordFields::same(pole.record, m_panel->sceneParams()))
        return;
    pole.record = m_panel->sceneParams();
    setModified(true);
}

void PlanController::setModified(bool modified)
{
    m_modified = modified;
    if (modified) {
        m_recoveryTimer.start();
    } else {
        m_recoveryTimer.stop();
        m_recovery.discard();
    }
    updateTitle();
}

// A pole the controls cannot show as it is becomes what they show.
void PlanController::showPole(int index)
{
    m_current = index;
    m_loading = true;
    m_panel->loadRecord(m_plan.poles.at(index).record);
    m_loading = false;
    recordChanged();
    showPoles();
}

void PlanController::showPoles()
{
    QStringList names;
    for (int i = 0; i < m_plan.poles.size(); ++i)
        names << SiteReport::poleName(m_plan, i);
    m_poles->setPoles(names, m_current);
    updateTitle();
}

void PlanController::updateTitle()
{
    const QString title = QStringLiteral("%1%2 — %3")
                              .arg(siteTitle(), m_modified ? QStringLiteral(" *") : QString(),
                                   languageText(TextId::ProgramName));
    m_panel->setWindowTitle(title);
    m_bar->setTitle(title);
}

void PlanController::writeRecoveryCopy()
{
    QString reason;
    if (m_modified && !m_recovery.save(m_plan, m_path, &reason))
        qWarning().noquote() << QStringLiteral("No recovery copy was written: %1.").arg(reason);
}

// True when the plan may be left: saved, or its changes given up.
bool PlanController::settleUnsaved()
{
    if (!m_modified)
        return true;
    switch (PlanDialogs::askUnsaved(m_panel, siteTitle())) {
    case PlanDialogs::Unsaved::Save:
        return save();
    case PlanDialogs::Unsaved::Discard:
        return true;
    case PlanDialogs::Unsaved::Cancel:
        break;
    }
    return false;
}

bool PlanController::save()
{
    if (m_path.isEmpty())
        return saveAs();
    QString reason;
    if (saveTo(m_path, &reason))
        return true;
    PlanDialogs::tellFailure(m_panel, TextId::SaveFailed, failure(m_path, reason));
    return false;
}

bool PlanController::saveAs()
{
    const QString suggested =
        m_path.isEmpty() ? QDir::home().filePath(siteTitle() + '.' + PlanFile::suffix()) : m_path;
    const QString path = PlanDialogs::savePath(m_panel, suggested);
    if (path.isEmpty())
        return false;
    QString reason;
    if (saveTo(path, &reason))
        return true;
    PlanDialogs::tellFailure(m_panel, TextId::SaveFailed, failure(path, reason));
    return false;
}

// The file is chosen first: a plan is given up only for one that opens.
void PlanController::openChosen()
{
    const QString folder = m_path.isEmpty() ? QDir::homePath() : QFileInfo(m_path).path();
    const QString path = PlanDialogs::openPath(m_panel, folder);
    if (!path.isEmpty() && settleUnsaved())
        openAndTell(path);
}

void PlanController::openRecent(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        if (m_menu)
            m_menu->forget(path);
        PlanDialogs::tellFailure(m_panel, TextId::OpenFailed,
                                 failure(path, QStringLiteral("it does not exist")));
        return;
    }
    if (settleUnsaved())
        openAndTell(path);
}

void PlanController::editPole()
{
    QString name = m_plan.poles.at(m_current).name;
    QString note = m_plan.poles.at(m_current).note;
    if (PlanDialogs::editNameAndNote(m_panel, TextId::PoleRename, &name, &note))
        describePole(m_current, name, note);
}

void PlanController::editSite()
{
    QString name = m_plan.siteName;
    QString note = m_plan.siteNote;
    if (PlanDialogs::editNameAndNote(m_panel, TextId::SiteEdit, &name, &note))
        describeSite(name, note);
}

void PlanController::askRemovePole()
{
    if (m_plan.poles.size() > 1 &&
        PlanDialogs::askRemovePole(m_panel, SiteReport::poleName(m_plan, m_current)))
        removePole(m_current);
}

QString PlanController::newPoleName() const
{
    QStringList taken;
    for (const PlanPole &pole : m_plan.poles)
        taken << pole.name;
    for (int n = m_plan.poles.size() + 1;; ++n) {
        const QString name = languageText(TextId::NewPoleName).arg(n);
        if (!taken.contains(name))
            return name;
    }
}
