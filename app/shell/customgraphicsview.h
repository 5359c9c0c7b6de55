#pragma once

#include <QGraphicsView>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <functional>

// The program's real top-level window: a frameless graphics view whose scene
// embeds the planning panel through one proxy item. The panel believes it is
// a window of its own; the view watches every event of the application and
// mirrors the panel's moves, resizes, hides, close and title onto itself. Below the
// panel's minimum size it keeps the panel at that size and shrinks the drawing
// with the view matrix instead, so the whole panel stays visible.
class customGraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit customGraphicsView(QWidget *parent = nullptr);
    ~customGraphicsView() override;

    // Embeds the panel; the view takes over the panel's position and size in
    // a later turn of the event loop.
    void setWidget(QWidget *widget);
    QWidget *widget() const;

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Asked before the window closes, whether the panel or the window
    // system closes it; false keeps the window open. Without one it closes.
    void setCloseGuard(const std::function<bool()> &mayClose);

    // The window position saved while the panel is in full screen; (0, 0)
    // when nothing is saved.
    QPoint savedWindowPosition() const;

    using QGraphicsView::updateGeometry;

signals:
    void UiChangeRequest(int dx, int dy);
    void updateRect(QRect rect);

public slots:
    void UiChangeReqSlot(int dx, int dy);
    void updateGeometry(QRect viewRect);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void panelResized(const QSize &size);
    void panelStateChanged(Qt::WindowStates oldState);
    QRect screenGeometry() const;
    QRect availableGeometry() const;

    QPointer<QWidget> m_widget;
    // The window position from before a switch to full screen; (0, 0) means
    // none.
    QPoint m_savedPosition;
    bool m_updating = false;
    bool m_placed = false;
    // The panel's size just before it entered full screen, given back when it
    // returns to normal.
    QSize m_normalSize;
    std::function<bool()> m_mayClose;
};
