#include "hostwindow.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace
{
QGraphicsView *hostView(const QWidget *widget)
{
    const QGraphicsProxyWidget *proxy = widget->window()->graphicsProxyWidget();
    if (!proxy || !proxy->scene())
        return nullptr;
    const QList<QGraphicsView *> views = proxy->scene()->views();
    return views.isEmpty() ? nullptr : views.first();
}
} // namespace

QWidget *HostWindow(QWidget *widget)
{
    if (!widget)
        return nullptr;
    if (QGraphicsView *view = hostView(widget))
        return view->window();
    return widget->window();
}

QRect GlobalRect(const QWidget *widget)
{
    if (!widget)
        return QRect();
    QGraphicsView *view = hostView(widget);
    if (!view)
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    const QWidget *panel = widget->window();
    const QRectF inPanel(widget->mapTo(panel, QPoint(0, 0)), widget->size());
    const QPolygonF inScene = panel->graphicsProxyWidget()->mapToScene(inPanel);
    const QRect inView = view->mapFromScene(inScene).boundingRect();
    return QRect(view->viewport()->mapToGlobal(inView.topLeft()), inView.size());
}

QRect PopupRect(const QRect &anchor, const QSize &size, const QRect &area)
{
    const int below = area.bottom() - anchor.bottom();
    const int above = anchor.top() - area.top();
    int height = size.height();
    bool down = true;
    if (height > below) {
        if (height <= above) {
            down = false;
        } else {
            down = below >= above;
            height = down ? below : above;
        }
    }
    const int width = std::min(size.width(), area.width());
    const int left = std::clamp(anchor.left(), area.left(), area.right() + 1 - width);
    const int top = down ? anchor.bottom() + 1 : anchor.top() - height;
    return QRect(left, top, width, std::max(height, 0));
}

QRect AvailableAreaAt(const QPoint &point)
{
    QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
