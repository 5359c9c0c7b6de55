#include "customgraphicsview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTransform>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace
{
// One direction of the fit. Below the panel's minimum the panel keeps its
// minimum and the drawing shrinks by length / minimum; above the maximum the
// window itself is held at the maximum. Returns the scale in this direction.
qreal fitLength(int &viewLength, int &panelLength, int minLength, int maxLength)
{
    if (panelLength < minLength) {
        const qreal scale = qreal(panelLength) / minLength;
        panelLength = minLength;
        return scale;
    }
    if (panelLength > maxLength) {
        viewLength = maxLength;
        panelLength = maxLength;
    }
    return 1;
}
} // namespace

customGraphicsView::customGraphicsView(QWidget *parent) : QGraphicsView(parent)
{
    setWindowFlags(Qt::FramelessWindowHint);
    setScene(new QGraphicsScene(this));
    horizontalScrollBar()->setVisible(false);
    verticalScrollBar()->setVisible(false);
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setStyleSheet(QStringLiteral("QGraphicsView{border: 0px;}"));
    qApp->installEventFilter(this);
    connect(this, &customGraphicsView::UiChangeRequest, this, &customGraphicsView::UiChangeReqSlot,
            Qt::QueuedConnection);
    connect(this, &customGraphicsView::updateRect, this,
            qOverload<QRect>(&customGraphicsView::updateGeometry), Qt::QueuedConnection);
}

customGraphicsView::~customGraphicsView()
{
    // The scene destroys the panel after this body; its last events must not
    // reach a half-destroyed filter.
    qApp->removeEventFilter(this);
    m_widget = nullptr;
}

void customGraphicsView::setCloseGuard(const std::function<bool()> &mayClose)
{
    m_mayClose = mayClose;
}

// Once the window closes, what the panel still sends is no longer mirrored.
void customGraphicsView::closeEvent(QCloseEvent *event)
{
    if (m_widget && m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    m_widget = nullptr;
    QGraphicsView::closeEvent(event);
}

QWidget *customGraphicsView::widget() const
{
    return m_widget;
}

QPoint customGraphicsView::savedWindowPosition() const
{
    return m_savedPosition;
}

QRect customGraphicsView::screenGeometry() const
{
    QScreen *screen = this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QRect customGraphicsView::availableGeometry() const
{
    QScreen *screen = this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void customGraphicsView::setWidget(QWidget *widget)
{
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *item : items) {
        if (!item->parentItem())
            scene()->removeItem(item);
    }
    if (!widget)
        return;

    QRect rect = widget->geometry();
    const bool centre = rect.topLeft() == QPoint(0, 0);
    const QRect screen = screenGeometry();
    if (centre) {
        rect.moveTo(std::max(0, (screen.width() - rect.width()) / 2),
                    std::max(0, (screen.height() - rect.height()) / 2));
    }
    // Dialogs and pop-ups the panel opens are windows of the desktop, not
    // items of this scene, where they would be clipped by the window's edges
    // and drawn without a window system's help.
    widget->setWindowFlag(Qt::BypassGraphicsProxyWidget);
    scene()->addWidget(widget);

    // Embedding puts the panel on a screen, where it takes that screen's
    // scale. On a dense screen it outgrows the rectangle taken above and
    // would be drawn shrunk and blurred; the window opens at the panel's new
    // size instead, as far as the screen's free area allows.
    const QRect area = availableGeometry();
    const QSize grown = widget->size().boundedTo(area.size());
    if (grown.width() > rect.width() || grown.height() > rect.height()) {
        rect.setSize(rect.size().expandedTo(grown));
        if (centre) {
            rect.moveTo(std::max(0, (screen.width() - rect.width()) / 2),
                        std::max(0, (screen.height() - rect.height()) / 2));
        }
        rect.moveLeft(qBound(area.left(), rect.left(), area.left() + area.width() - rect.width()));
        rect.moveTop(qBound(area.top(), rect.top(), area.top() + area.height() - rect.height()));
    }
    m_widget = widget;
    m_normalSize = QSize();
    m_placed = false;
    // Window lists show the real window's title: the panel's, not the name
    // Qt makes from the executable.
    setWindowTitle(widget->windowTitle());
    emit updateRect(rect);
}

void customGraphicsView::UiChangeReqSlot(int dx, int dy)
{
    if (!m_widget)
        return;
    QRect rect = geometry();
    rect.setRight(rect.right() + dx);
    rect.setBottom(rect.bottom() + dy);
    updateGeometry(rect);
}

void customGraphicsView::updateGeometry(QRect viewRect)
{
    if (!m_widget)
        return;

    // A request may shrink the window past nothing; a window keeps at least
    // one pixel each way, which also keeps every scale factor above zero.
    QSize viewSize = viewRect.size().expandedTo(QSize(1, 1));
    QSize panelSize = viewSize;
    const QTransform current = transform();
    const QSize minSize = m_widget->minimumSize();
    const QSize maxSize = m_widget->maximumSize();
    const qreal m11 =
        fitLength(viewSize.rwidth(), panelSize.rwidth(), minSize.width(), maxSize.width());
    const qreal m22 =
        fitLength(viewSize.rheight(), panelSize.rheight(), minSize.height(), maxSize.height());
    viewRect.setSize(viewSize);
    const QRect panelRect(QPoint(0, 0), panelSize);

    const QTransform matrix(m11, current.m12(), current.m21(), m22, current.dx(), current.dy());
    const QRectF sceneRect = QRectF(panelRect).adjusted(0.5, 0.5, -1, -1);

    // The first rectangle after setWidget always applies: the view may
    // already have the panel's size from its size hint, but not yet the
    // position it was given.
    if (m_placed && size() == viewRect.size())
        return;
    m_placed = true;

    setGeometry(viewRect);
    m_updating = true;
    const bool sizedAlready = m_widget->size() == panelRect.size();
    m_widget->setGeometry(panelRect);
    if (sizedAlready) {
        // A panel that resized itself (an edge drag) had its resize event
        // held back by the filter, so neither its layout nor the proxy item
        // have seen the size yet, and setGeometry sends nothing new.
        QResizeEvent resize(panelRect.size(), panelRect.size());
        QCoreApplication::sendEvent(m_widget, &resize);
    }
    if (screenGeometry() == viewRect)
        m_widget->setWindowState(Qt::WindowFullScreen);
    m_updating = false;

    setSceneRect(sceneRect);
    setTransform(matrix, false);
}

void customGraphicsView::panelResized(const QSize &size)
{
    QRect rect = geometry();
    qDebug() << "--------------Resize size:" << size << " rect:" << rect;
    if (m_widget->windowState() & Qt::WindowFullScreen) {
        // A second resize while the window already covers the screen must
        // not replace the position to return to with the screen's origin.
        if (rect != screenGeometry())
            m_savedPosition = rect.topLeft();
        rect.moveTopLeft(QPoint(0, 0));
    } else if (m_savedPosition != QPoint(0, 0)) {
        rect.moveTopLeft(m_savedPosition);
        m_savedPosition = QPoint(0, 0);
    }
    rect.setSize(size);
    emit updateRect(rect);
}

// The panel never shows a window of its own, so window systems leave it at
// its size when it enters or leaves full screen. The view then answers the
// state change as it would answer the resize a window system sends: with the
// screen's size on the way in, and the panel's former size on the way out.
// When the view already has that size, there is nothing left to do.
void customGraphicsView::panelStateChanged(Qt::WindowStates oldState)
{
    const Qt::WindowStates state = m_widget->windowState();
    const bool wasFull = oldState & Qt::WindowFullScreen;
    const bool isFull = state & Qt::WindowFullScreen;
    if (!wasFull && isFull) {
        // The platform may report the same entry again later, when the
        // panel already has the screen's size.
        if (!m_normalSize.isValid())
            m_normalSize = m_widget->size();
        const QRect screen = screenGeometry();
        if (!screen.isEmpty() && geometry() != screen)
            panelResized(screen.size());
    } else if (wasFull && !isFull && !(state & Qt::WindowMinimized)) {
        const QSize normalSize = m_normalSize;
        m_normalSize = QSize();
        if (normalSize.isValid() && size() != normalSize)
            panelResized(normalSize);
    }
}

bool customGraphicsView::eventFilter(QObject *watched, QEvent *event)
{
    const bool isPanel = m_widget && watched == m_widget;
    switch (event->type()) {
    case QEvent::Resize:
        if (isPanel && !m_updating) {
            panelResized(static_cast<QResizeEvent *>(event)->size());
            return true;
        }
        break;
    case QEvent::Move:
        if (isPanel && !m_updating) {
            const QPoint pos = static_cast<QMoveEvent *>(event)->pos();
            if (pos != QPoint(0, 0))
                move(pos);
            return true;
        }
        break;
    case QEvent::Close:
        if (isPanel) {
            close();
            return true;
        }
        break;
    case QEvent::Hide:
        if (isPanel) {
            showMinimized();
            return true;
        }
        break;
    case QEvent::Show:
        if (watched == this && m_widget)
            m_widget->setWindowState(Qt::WindowActive);
        break;
    case QEvent::WindowTitleChange:
        if (isPanel)
            setWindowTitle(m_widget->windowTitle());
        break;
    case QEvent::WindowStateChange:
        if (isPanel && !m_updating)
            panelStateChanged(static_cast<QWindowStateChangeEvent *>(event)->oldState());
        break;
    default:
        break;
    }
    return QGraphicsView::eventFilter(watched, event);
}
