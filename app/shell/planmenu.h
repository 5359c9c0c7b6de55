#pragma once

#include "settingsstore.h"

#include <QObject>
#include <QStringList>

#include <memory>

class LxClientIconPushBtn;
class QAction;
class QMenu;
class QWidget;

// The plan menu of the main window's title bar: New, Open…, Save, Save
// As… and the plans last opened or saved, newest first. Its shortcuts
// (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Shift+S) belong to the bar's window, so they
// work wherever the focus is in it. The menu only asks; whoever keeps the
// plan answers its signals and tells it which plans to remember. The
// recent list lives in the title bar's settings store.
class PlanMenu : public QObject
{
    Q_OBJECT

public:
    static constexpr int RecentCount = 5;

    // The button goes into bar's layout wherever the bar puts it.
    PlanMenu(const SettingsStore &store, QWidget *bar);
    ~PlanMenu() override;

    LxClientIconPushBtn *button() const { return m_button; }
    QMenu *menu() const { return m_menu.get(); }

    // As the store holds them now, newest first, at most RecentCount.
    QStringList recentPlans() const;
    // Puts path first in the list; forget takes it out.
    void remember(const QString &path);
    void forget(const QString &path);

signals:
    void newRequested();
    void openRequested();
    void saveRequested();
    void saveAsRequested();
    void recentRequested(const QString &path);

private:
    void fillRecent();
    void store(const QStringList &paths);

    SettingsStore m_store;
    LxClientIconPushBtn *m_button = nullptr;
    std::unique_ptr<QMenu> m_menu;
    QMenu *m_recentMenu = nullptr;
};
