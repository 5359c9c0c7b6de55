#pragma once

#include "sceneparams.h"
#include "sceneresult.h"

// The field-of-view geometry of one camera record: where the picture meets the
// ground, the detection band and the capture-point pixel counts. A pure
// function of the record, so the scene widget, the command-line tool and the
// tests all get the same numbers without a widget or a language table.
//
// Degenerate records (a zero focal length, sensor size, pixel limit or
// resolution, a camera at ground height) never yield NaN or infinity in a
// distance, width or drawing extent: such a value becomes 0. After an input
// guard the drawing extents are 0 as well, so only the fixed parts of the
// scene are drawn.
SceneResult computeScene(const SceneParams &params);

// Truncates toward zero; 0 when the value is not finite or does not fit an int.
int toCount(double value);
