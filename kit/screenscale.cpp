#include "screenscale.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QScreen>
#include <QWidget>

#include <cmath>

qreal ScaleBucketForRatio(qreal ratio, bool withTwoAndAHalf)
{
    if (ratio > 0 && ratio <= 0.75)
        return 0.5;
    if (ratio > 0.75 && ratio <= 1.25)
        return 1.0;
    if (ratio > 1.25 && ratio <= 1.75)
        return 1.5;
    if (ratio > 1.75 && ratio <= 2.25)
        return 2.0;
    if (withTwoAndAHalf && ratio > 2.25 && ratio <= 2.5)
        return 2.5;
    return 3.0;
}

qreal ScreenScaleOf(QScreen *screen, bool withTwoAndAHalf)
{
    if (!screen)
        return 0;
    qreal dpi = screen->logicalDotsPerInch();
    // A logical 96 is what many systems report regardless of the panel, so
    // the physical density is the better guide there. A screen of unknown
    // physical size can report 0 or a non-finite density; the logical value
    // is the sound answer then, not the largest bucket.
    if (qFuzzyCompare(dpi, 96.0)) {
        const qreal physical = screen->physicalDotsPerInch();
        if (std::isfinite(physical) && physical > 0)
            dpi = physical;
    }
    return ScaleBucketForRatio(dpi / 96.0, withTwoAndAHalf);
}

qreal GetScreenScale(QWidget *widget)
{
    if (!widget)
        return 0;
    const int number = QApplication::desktop()->screenNumber(widget);
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (number < 0 || number >= screens.size())
        return 0;
    return ScreenScaleOf(screens.at(number));
}
