#pragma once

#include "lxclientbasewidget.h"

#include <QMap>
#include <QPoint>
#include <QString>

#include <memory>

class DensityZonesAction;
class QAction;
class QActionGroup;
class QMenu;
class QMouseEvent;
class PlanMenu;

namespace Ui
{
class customMenuBar;
}

// The title bar that replaces the native window frame, in the planning panel
// and in the about dialog. It drags, minimises, closes and switches its
// top-level widget to and from full screen, and carries the help menu with
// the language list. A language picked there is only remembered: it is
// written to the title-bar settings store when the bar is destroyed and used
// at a later start.
class customMenuBar : public LxClientBaseWidget
{
    Q_OBJECT

public:
    explicit customMenuBar(QWidget *parent = nullptr);
    ~customMenuBar() override;

    // Must be called once right after construction: true in the panel, false
    // in the about dialog.
    void initTitleBar(bool isMainWindow);
    void setMinButtonVisible(bool visible);
    void setIconVisible(bool visible);

    // The language code that will be stored when the bar is destroyed; empty
    // while the store holds a value that is not plain text, which is then
    // left as it is unless a language is chosen.
    QString language() const;
    QMenu *helpMenu() const;
    QMenu *languageMenu() const;
    // The switch of the plan's density zones; null in the about dialog's bar.
    DensityZonesAction *densityZones() const { return m_densityZones; }
    // The main window's plan menu; null in other windows.
    PlanMenu *planMenu() const { return m_planMenu; }

    // What the bar shows as its title; the program's name until set.
    void setTitle(const QString &title);

    // The folder whose files make up the language list; empty means the
    // "language" folder beside the executable.
    void setLanguageFolder(const QString &path);
    QString languageFolder() const;

signals:
    void aboutReq();
    // The user picked a language in the menu; code names its file.
    void languageChosen(const QString &code);

public slots:
    void on_m_btnHide_clicked();
    void on_m_btnClose_clicked();
    void actionTriggered(QAction *action);
    void addLanguage();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void toggleFullScreen();
    void markCheckedLanguage();
    void storeLanguage() const;

    std::unique_ptr<Ui::customMenuBar> ui;
    bool m_isMainWindow = false;
    bool m_pressed = false;
    QPoint m_pressPos;
    QString m_language;
    // What the store held at construction, whether that was plain text, and
    // whether this bar's menu chose a language since; together they decide
    // whether destruction writes.
    QString m_readLanguage;
    bool m_readAsText = true;
    bool m_languageChosen = false;
    QAction *m_languageAction = nullptr;
    QActionGroup *m_languageGroup = nullptr;
    QMap<QString, QString> m_languageNames;
    QString m_languageFolder;
    DensityZonesAction *m_densityZones = nullptr;
    std::unique_ptr<QMenu> m_helpMenu;
    std::unique_ptr<QMenu> m_languageMenu;
    PlanMenu *m_planMenu = nullptr;
};
