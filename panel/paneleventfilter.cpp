#include "paneleventfilter.h"

#include "edgeregion.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSpinBox>

namespace
{

// Mouse travel, in pixels, that an edge drag ignores.
constexpr int DragDeadZone = 5;

bool isInputControl(QObject *object)
{
    return qobject_cast<QComboBox *>(object) || qobject_cast<QSpinBox *>(object) ||
           qobject_cast<QDoubleSpinBox *>(object);
}

} // namespace

PanelEventFilter::PanelEventFilter(QWidget *panel, QScrollArea *column)
    : m_panel(panel), m_column(column)
{
    qApp->installEventFilter(this);
}

PanelEventFilter::~PanelEventFilter()
{
    qApp->removeEventFilter(this);
    if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool PanelEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    // Only the panel and what it contains matter here; the about window and
    // the message pop-up keep their own cursors and wheel.
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != m_panel && !m_panel->isAncestorOf(widget)))
        return QObject::eventFilter(watched, event);

    // Positions are taken in the panel's own coordinates: a press or move
    // over a child arrives in that child's coordinates.
    const auto panelPos = [&] {
        return widget->mapTo(m_panel, static_cast<QMouseEvent *>(event)->pos());
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (press(panelPos()))
            return true;
        break;
    case QEvent::MouseMove:
        move(panelPos());
        break;
    case QEvent::MouseButtonRelease:
        release();
        break;
    case QEvent::Wheel:
        if (isInputControl(watched)) {
            // The column scrolls through its viewport, which takes the
            // wheel for the scroll area.
            QCoreApplication::sendEvent(m_column->viewport(), event);
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// True when the press starts a drag. It is then taken, so the press is
// accepted and the moves keep coming here when the pointer leaves the
// window as it outgrows it.
bool PanelEventFilter::press(const QPoint &pos)
{
    m_resizeRegion = EdgeRegion::at(pos, m_panel->size());
    if (!EdgeRegion::startsDrag(m_resizeRegion))
        return false;
    m_pressPos = pos;
    m_resizing = true;
    setRegionCursor(m_resizeRegion);
    return true;
}

void PanelEventFilter::move(const QPoint &pos)
{
    if (!m_resizing) {
        m_resizeRegion = EdgeRegion::at(pos, m_panel->size());
        setRegionCursor(m_resizeRegion);
        return;
    }
    const QPoint delta = pos - m_pressPos;
    if (qAbs(delta.x()) <= DragDeadZone && qAbs(delta.y()) <= DragDeadZone)
        return;
    QRect rect = m_panel->geometry();
    const bool horizontal =
        m_resizeRegion == EdgeRegion::Right || m_resizeRegion == EdgeRegion::BottomRight;
    const bool vertical =
        m_resizeRegion == EdgeRegion::Bottom || m_resizeRegion == EdgeRegion::BottomRight;
    if (horizontal && rect.width() + delta.x() >= m_panel->minimumWidth()) {
        rect.setWidth(rect.width() + delta.x());
        m_pressPos.rx() += delta.x();
    }
    if (vertical && rect.height() + delta.y() >= m_panel->minimumHeight()) {
        rect.setHeight(rect.height() + delta.y());
        m_pressPos.ry() += delta.y();
    }
    m_panel->setGeometry(rect);
    m_panel->update();
}

void PanelEventFilter::release()
{
    if (!m_resizing)
        return;
    m_resizing = false;
    m_pressPos = QPoint(0, 0);
    m_resizeRegion = EdgeRegion::None;
    setRegionCursor(EdgeRegion::None);
}

void PanelEventFilter::setRegionCursor(int region)
{
    // Edge cursors are shown as an override while the mouse is on a drag edge
    // or dragging; anywhere else the widgets' own cursors (such as the text
    // cursor in the fields) show again.
    if (!EdgeRegion::startsDrag(region)) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    const Qt::CursorShape shape = EdgeRegion::cursor(region);
    const QCursor *current = QGuiApplication::overrideCursor();
    if (!current)
        QGuiApplication::setOverrideCursor(QCursor(shape));
    else if (current->shape() != shape)
        QGuiApplication::changeOverrideCursor(QCursor(shape));
}
