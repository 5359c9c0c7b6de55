#include "popupanchor.h"

#include "hostwindow.h"

#include <QEvent>
#include <QWidget>

PopupAnchor::PopupAnchor(QWidget *popup, QWidget *anchor) : QObject(popup), m_anchor(anchor)
{
    popup->installEventFilter(this);
}

bool PopupAnchor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && m_anchor && m_anchor->window()->graphicsProxyWidget()) {
        auto *popup = static_cast<QWidget *>(watched);
        const QRect anchor = GlobalRect(m_anchor);
        popup->setGeometry(PopupRect(anchor, popup->size(), AvailableAreaAt(anchor.center())));
    }
    return QObject::eventFilter(watched, event);
}
