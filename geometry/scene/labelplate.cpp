#include "labelplate.h"

#include <QPainter>

QColor LabelPlate::colour()
{
    return QColor(39, 49, 58, 235);
}

QRectF LabelPlate::around(const QRectF &textBox, qreal scale)
{
    const qreal pad = 2.0 * scale;
    return textBox.adjusted(-pad, -pad / 2, pad, pad / 2);
}

void LabelPlate::paint(QPainter &painter, const QRectF &plate, qreal scale)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour());
    painter.drawRoundedRect(plate, 2.0 * scale, 2.0 * scale);
    painter.restore();
}
