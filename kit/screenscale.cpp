#include "screenscale.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QScreen>
#include <QWidget>

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

qreal GetScreenScale(QWidget *widget)
{
    if (!widget)
        return 0;
    const int number = QApplication::desktop()->screenNumber(widget);
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (number < 0 || number >= screens.size())
        return 0;
    QScreen *screen = screens.at(number);
    qreal dpi = screen->logicalDotsPerInch();
    // A logical 96 is what many systems report regardless of the panel, so
    // the physical density is the better guide there.
    if (qFuzzyCompare(dpi, 96.0))
        dpi = screen->physicalDotsPerInch();
    return ScaleBucketForRatio(dpi / 96.0);
}
