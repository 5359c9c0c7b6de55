#pragma once

#include <QWidget>

class aboutWidget;
class customMenuBar;
class painterWidget;

// The program's window content until the planning panel with its controls
// takes its place: the real title bar and the scene of one sample plan. Like
// the planning panel it owns the about dialog, follows the screen's scale and
// releases the language table when it goes.
class PreviewPanel : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPanel(QWidget *parent = nullptr);
    ~PreviewPanel() override;

protected:
    void moveEvent(QMoveEvent *event) override;

private:
    void SetScale(qreal scale);

    customMenuBar *m_menuBar = nullptr;
    painterWidget *m_painterWidget = nullptr;
    aboutWidget *m_aboutWidget = nullptr;
    qreal m_scale = 0.0;
};
