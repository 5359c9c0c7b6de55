#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// A widget inside a panel that a graphics view hosts has no window-system
// position of its own: Qt maps it as if the panel's hidden native window sat
// at the desktop origin. These helpers go through the proxy item and the view
// instead, so the dialogs and pop-ups such a widget opens land on the window
// the user sees. For an ordinary widget they give what Qt gives.

// The real top-level window that shows `widget`.
QWidget *HostWindow(QWidget *widget);

// `widget`'s rectangle on the desktop, as it is drawn on screen.
QRect GlobalRect(const QWidget *widget);

// Where a pop-up of `size` goes beside `anchor` within `area`: below the
// anchor when it fits there, else above when it fits there, else on the
// roomier side, cut to that side's height. Kept within `area` sideways.
QRect PopupRect(const QRect &anchor, const QSize &size, const QRect &area);

// The available desktop area of the screen that holds `point`, or of the
// primary screen when none does.
QRect AvailableAreaAt(const QPoint &point);
