#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps a pop-up (a button's menu, say) next to the widget that opens it when
// that widget lives inside a panel hosted by a graphics view, where Qt would
// place the pop-up as if the panel sat at the desktop origin. It moves the
// pop-up as it is shown, before the window system maps it.
class PopupAnchor : public QObject
{
    Q_OBJECT

public:
    // Watches `popup` and places it beside `anchor`; owned by the pop-up.
    PopupAnchor(QWidget *popup, QWidget *anchor);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_anchor;
};
