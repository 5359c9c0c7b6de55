#include "lxclientbasewidget.h"

#include "icolorconfig.h"
#include "scaledlength.h"

#include <QPainter>

LxClientBaseWidget::LxClientBaseWidget(QWidget *parent)
    : QWidget(parent), m_backgroundColor(GetColor(50))
{
    m_baseWidth = 1280;
    m_baseHeight = 5;
}

LxClientBaseWidget::~LxClientBaseWidget() = default;

void LxClientBaseWidget::SetScale(qreal scale)
{
    // Only the height is fixed; the width is left to the layout.
    setFixedHeight(TruncatedLength(m_baseHeight * scale));
    ScaleKitChildren(this, scale, "LxClientBaseWidget::SetScale");
}

void LxClientBaseWidget::UpdateStyleSheet(qreal)
{
}

void LxClientBaseWidget::SetBackgroundColor(const QColor &color)
{
    m_backgroundColor = ColorToString(color);
}

void LxClientBaseWidget::paintEvent(QPaintEvent *)
{
    QColor color;
    color.setNamedColor(m_backgroundColor);
    QPainter painter(this);
    painter.fillRect(rect(), color);
}
