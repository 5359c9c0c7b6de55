#pragma once

#include <QFont>
#include <QString>
#include <QtGlobal>

class QWidget;

// Conversions of scaled design lengths shared by the kit's controls. Any real
// a caller may pass (negative, huge, NaN) ends as a valid widget length, never
// as an undefined int.

// Truncated toward zero and clamped to 0..QWIDGETSIZE_MAX.
int TruncatedLength(qreal value);

// Rounded to the nearest pixel (halves away from zero), same clamping.
int RoundedLength(qreal value);

// The font with its pixel size times `scale`, truncated and at least 1. A font
// sized in points is scaled in points instead.
QFont ScaledFont(const QFont &font, qreal scale);

// Fixes the widget's width and height at the design size times `scale`
// (truncated); a design length of 0 leaves that dimension to the layout.
void ApplyFixedSize(QWidget *widget, qreal baseWidth, qreal baseHeight, qreal scale);

// Passes `scale` on to the direct child widgets that are kit controls, in
// creation order; grandchildren are reached through their own parents.
void ScaleKitChildren(QWidget *parent, qreal scale, const char *caller);

// True when the two reals are equal within a relative tolerance of 1e-12.
bool SameScale(qreal a, qreal b);
