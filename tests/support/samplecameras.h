#pragma once

#include "sceneparams.h"

// Worked camera records, written down once for the tests and the benchmarks
// that need a realistic plan without a panel.
class SampleCameras final
{
public:
    // The lanes camera of the worked example: sensor 4.8 x 3.6 mm, 8 mm lens,
    // 6 m pole, plate type 1 (0.52 m), 1920 pixels across, two 3.75 m lanes.
    static SceneParams lanes(int pitch = 15, int maxPixels = 200, int minPixels = 100);
    // The same camera at a capture point.
    static SceneParams capture(int pitch = 15, double captureDistance = 12,
                               double targetHeight = 1.7);
    // The person preset of a new panel.
    static SceneParams person();
};
