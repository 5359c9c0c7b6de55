#include "lxclientscrollbar.h"

#include "icolorconfig.h"

#include <QStringList>

LxClientScrollBar::LxClientScrollBar(QWidget *parent) : LxClientScrollBar(Qt::Vertical, parent)
{
}

LxClientScrollBar::LxClientScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent), m_grooveColor(GetColor(67)), m_handleColor(GetColor(68)),
      m_handlePressedColor(GetColor(69))
{
}

LxClientScrollBar::~LxClientScrollBar() = default;

void LxClientScrollBar::SetScale(qreal scale)
{
    UpdateStyleSheet(scale);
}

void LxClientScrollBar::UpdateStyleSheet(qreal scale)
{
    const qreal s = scale;
    QStringList parts;
    parts << QString("QScrollBar::vertical{border-radius: %1px;background: %2;min-width: "
                     "%3px;max-width: %3px;margin-top:%4px;margin-bottom:%4px;}")
                 .arg(4 * s)
                 .arg(m_grooveColor)
                 .arg(8 * s)
                 .arg(0 * s);
    parts << QString("QScrollBar::handle:vertical{border-radius:%1px;min-height: "
                     "%2px;margin-left:  %3px;margin-right: %3px;}")
                 .arg(2 * s)
                 .arg(20 * s)
                 .arg(2 * s);
    parts << QString("QScrollBar::handle:vertical:enabled{background-color: "
                     "%1;}QScrollBar::handle:vertical:pressed{background-color: %2;}")
                 .arg(m_handleColor, m_handlePressedColor);
    parts << QString("QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background: "
                     "transparent;}");
    parts << QString("QScrollBar::add-line:vertical{height: "
                     "0px;subcontrol-position:bottom;subcontrol-origin: margin;margin: 0px 0px 0px "
                     "0px;background: transparent;}QScrollBar::sub-line:vertical{height: "
                     "0px;subcontrol-position:top;subcontrol-origin: margin;margin: 0px 0px 0px "
                     "0px;background: transparent;}");
    parts << QString("QScrollBar::horizontal{border-radius: %1px;background: %2;min-height: "
                     "%3px;max-height: %3px;margin-left:%4px;margin-right:%4px;}")
                 .arg(2 * s)
                 .arg(m_grooveColor)
                 .arg(8 * s)
                 .arg(0 * s);
    parts << QString("QScrollBar::handle:horizontal{border-radius:%1px;min-width: "
                     "%2px;margin-top: %3px;margin-bottom: %3px;}")
                 .arg(2 * s)
                 .arg(20 * s)
                 .arg(2 * s);
    parts << QString("QScrollBar::handle:horizontal:enabled{background-color: "
                     "%1;}QScrollBar::handle:horizontal:pressed{background-color: %2;}")
                 .arg(m_handleColor, m_handlePressedColor);
    parts << QString("QScrollBar::add-page:horizontal,QScrollBar::sub-page:horizontal{background: "
                     "transparent;}");
    parts << QString("QScrollBar::add-line:horizontal{width: "
                     "0px;subcontrol-position:right;subcontrol-origin: margin;margin: 0px 0px 0px "
                     "0px;background: transparent;}QScrollBar::sub-line:horizontal{width: "
                     "0px;subcontrol-position:left;subcontrol-origin: margin;margin: 0px 0px 0px "
                     "0px;background: transparent;}");
    setStyleSheet(parts.join(QString()));
}
