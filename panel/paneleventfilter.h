#pragma once

#include <QObject>
#include <QPoint>

class QScrollArea;
class QWidget;

// The planning panel's window behaviour, seen through the events of the
// whole program: a drag of its right edge, bottom edge or their corner
// resizes it, the cursor shows where such a drag would start, and the wheel
// over an input field scrolls the parameter column instead of changing the
// value. Events outside the panel pass untouched. It installs itself on the
// application and takes itself off again when destroyed.
class PanelEventFilter final : public QObject
{
public:
    PanelEventFilter(QWidget *panel, QScrollArea *column);
    ~PanelEventFilter() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool press(const QPoint &pos);
    void move(const QPoint &pos);
    void release();
    void setRegionCursor(int region);

    QWidget *m_panel;
    QScrollArea *m_column;
    bool m_resizing = false;
    int m_resizeRegion = 0;
    QPoint m_pressPos;
};
