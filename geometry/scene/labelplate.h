#pragma once

#include <QColor>
#include <QRectF>
#include <QtGlobal>

class QPainter;

// The dark, nearly opaque plate behind every label of the scene, so that a
// label keeps its colour and still reads on the light picture footprint and
// on the light background around the ground. It is the road's colour, so on
// the road and the ground it hardly shows.
class LabelPlate final
{
public:
    static QColor colour();
    // The plate around a text box at a screen scale.
    static QRectF around(const QRectF &textBox, qreal scale);
    static void paint(QPainter &painter, const QRectF &plate, qreal scale);
};
