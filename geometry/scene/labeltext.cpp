#include "labeltext.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace
{

// The size the glyphs are compared at: large, so that hinting does not
// round their heights.
constexpr int referenceSize = 200;
// Beyond this the sign would be wider than the text around it can bear.
constexpr double largestEnlargement = 2.0;

int pixelSizeOf(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

} // namespace

LabelText::LabelText(const QString &text, const QFont &font) : m_text(text)
{
    if (!text.contains(infinity())) {
        const QFontMetrics metrics(font);
        m_runs.append({text, font, QPoint()});
        m_box = metrics.boundingRect(text);
        m_advance = metrics.horizontalAdvance(text);
        return;
    }
    // The sign's ink is centred on the digits' ink.
    const QFont large = infinityFont(font);
    const QRectF digits = QFontMetricsF(font).tightBoundingRect(QStringLiteral("0"));
    const QRectF sign = QFontMetricsF(large).tightBoundingRect(QString(infinity()));
    const int rise = qRound(digits.center().y() - sign.center().y());
    // The sign is no taller than the digits, so the text keeps the height
    // the font gives it; only its width grows.
    const QRect plain = QFontMetrics(font).boundingRect(text);
    double left = 0.0;
    double right = 0.0;
    int x = 0;
    for (int start = 0; start < text.size();) {
        const bool isSign = text.at(start) == infinity();
        int end = start;
        while (end < text.size() && (text.at(end) == infinity()) == isSign)
            ++end;
        const QString piece = text.mid(start, end - start);
        const QFont &pieceFont = isSign ? large : font;
        const QPoint offset(x, isSign ? rise : 0);
        const QFontMetrics metrics(pieceFont);
        m_runs.append({piece, pieceFont, offset});
        const QRect box = metrics.boundingRect(piece);
        left = std::min(left, double(x + box.left()));
        right = std::max(right, double(x + box.left() + box.width()));
        x += metrics.horizontalAdvance(piece);
        start = end;
    }
    m_box = QRectF(left, plain.top(), right - left, plain.height());
    m_advance = x;
}

QFont LabelText::infinityFont(const QFont &font)
{
    QFont reference(font);
    reference.setPixelSize(referenceSize);
    const QFontMetricsF metrics(reference);
    const double digit = metrics.tightBoundingRect(QStringLiteral("0")).height();
    const double sign = metrics.tightBoundingRect(QString(infinity())).height();
    QFont large(font);
    if (!(sign > 0.0) || !(digit > sign))
        return large;
    const double enlargement = std::min(digit / sign, largestEnlargement);
    large.setPixelSize(std::max(1, qRound(pixelSizeOf(font) * enlargement)));
    return large;
}

void LabelText::paint(QPainter &painter, const QPointF &baseline) const
{
    const QFont font = painter.font();
    for (const Run &run : m_runs) {
        painter.setFont(run.font);
        painter.drawText(baseline + run.offset, run.text);
    }
    painter.setFont(font);
}
