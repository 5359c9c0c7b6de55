#pragma once

#include "pixeldensity.h"

#include <QString>

// Everything one calculation produces: the numbers the scene widget emits and
// the extents the drawing needs. Distances and widths in metres.
struct SceneResult {
    // Picture footprint and detection band; -1 in L4 and W4 marks a far edge
    // that never meets the ground.
    double L1 = 0.0, W1 = 0.0;
    double L2 = 0.0, W2 = 0.0;
    double L3 = 0.0, W3 = 0.0;
    double L4 = 0.0, W4 = 0.0;

    // The detection range as the pixel limits or the capture point place it,
    // horizontal correction applied, before it is cut to the picture: where
    // a search over settings sees how far off the picture it lies.
    double bandNear = 0.0, bandFar = 0.0;

    // Target pixel widths shown in the plan view at L2 and L3.
    int nearPixels = 0;
    int farPixels = 0;

    // Language index of the error text: 0 (none), 51, 52, 53 or 54.
    int errorIndex = 0;
    // False when an input guard stopped the calculation; then no range is
    // reported and nothing but the fixed parts of the scene is drawn.
    bool rangeEmitted = false;

    // Capture-point scenario: the four "%1 - %2px" texts (plate, vehicle,
    // face, whole person) and the counts they and the drawing are made from.
    bool identificationEmitted = false;
    QString plateRange, vehicleRange, faceRange, personRange;
    int plateAtCapture = 0, plateAtL1 = 0, plateAtL4 = 0;
    int faceAtCapture = 0, faceAtL1 = 0, faceAtL4 = 0;

    // Drawing extents: depth and breadth of the ground figure, the far drawing
    // distance F and width G, and the lateral shrink of the person scenario.
    double drawDepth = 0.0;
    double drawWidth = 0.0;
    double farDistance = 0.0;
    double farWidth = 0.0;
    double lateralScale = 1.0;

    // Inputs the drawing derives from the record, kept here so it never
    // recomputes them differently.
    double plateWidth = 0.0;     // pw, by plate type
    double targetWidth = 0.0;    // tw: 0.2 m in the person scenario, else pw
    double halfHorizontal = 0.0; // half the horizontal angle of view, radians
    double halfVertical = 0.0;   // half the vertical angle of view, radians
    bool correctionActive = false;
    double referenceHeight = 0.0; // Hc: the plane the distances lie on, below the camera

    // Pixels per metre across the picture at L1 to L4 and the density classes.
    PixelDensity density;
};
