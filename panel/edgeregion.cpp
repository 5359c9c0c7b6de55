#include "edgeregion.h"

#include <QRect>

namespace EdgeRegion
{

int at(const QPoint &pos, const QSize &size)
{
    constexpr int band = 10;
    const int w = size.width();
    const int h = size.height();
    // Tested in this order; the first rectangle that holds the position wins.
    const struct {
        int code;
        QRect rect;
    } regions[] = {
        {TopLeft, QRect(0, 0, band, band)},
        {Top, QRect(band, 0, w - 2 * band, band)},
        {TopRight, QRect(w - band, 0, band, band)},
        {Left, QRect(0, band, band, h - 2 * band)},
        {BottomLeft, QRect(0, h - band, band, band)},
        {Bottom, QRect(band, h - band, w - 2 * band, band)},
        {BottomRight, QRect(w - band, h - band, band, band)},
        {Right, QRect(w - band, band, band, h - 2 * band)},
    };
    for (const auto &region : regions) {
        if (region.rect.contains(pos))
            return region.code;
    }
    return None;
}

bool startsDrag(int region)
{
    return region == Right || region == BottomRight || region == Bottom;
}

Qt::CursorShape cursor(int region)
{
    switch (region) {
    case BottomRight:
        return Qt::SizeFDiagCursor;
    case Bottom:
        return Qt::SizeVerCursor;
    case Right:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace EdgeRegion
