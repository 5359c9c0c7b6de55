#pragma once

#include <QtGlobal>

class QScreen;
class QWidget;

// The scale bucket (0.5, 1, 1.5, 2 or 3) of the screen that shows the widget,
// from the screen's dots per inch; 0 when the widget lies on no screen.
qreal GetScreenScale(QWidget *widget);

// The bucket of one screen; with `withTwoAndAHalf` (the message pop-up) there
// is a 2.5 bucket between 2 and 3. 0 for no screen.
qreal ScreenScaleOf(QScreen *screen, bool withTwoAndAHalf = false);

// The bucket for a ratio of dots per inch to 96; the message pop-up adds the
// 2.5 bucket between 2 and 3.
qreal ScaleBucketForRatio(qreal ratio, bool withTwoAndAHalf = false);
