#pragma once

#include <QtGlobal>

// Codes of SceneParams::scenario. Any other code computes no detection band.
namespace Scenario
{
enum : qint32 { Person = 1, Lanes = 2, Capture = 3 };
} // namespace Scenario

// Codes of SceneParams::plateType, named by the plate width they stand for.
// The panel sends 1 to 3; 0 is what a new record holds (a 0.44 m plate).
namespace PlateType
{
enum : qint32 { Unset = 0, Width520 = 1, Width305 = 2, Width380 = 3 };
} // namespace PlateType

// The parameter record the planning panel fills from its controls and hands to
// the scene widget. Units: angles in degrees, pixel values in pixels, lengths
// in metres, focal length and sensor size in millimetres.
struct SceneParams {
    bool horizontalMount = false; // install mode with a horizontal angle
    qint32 scenario = 0;          // a Scenario code
    qint32 plateType = 0;         // a PlateType code
    qint32 pitchAngle = 0;        // downward tilt below horizontal
    qint32 horizontalAngle = 0;   // sideways turn of the camera
    qint32 minPixels = 0;         // smallest acceptable target width
    qint32 maxPixels = 0;         // largest acceptable target width
    qint32 resolutionWidth = 0;
    qint32 resolutionHeight = 0; // carried, not used by the calculation
    qint32 lanesNum = 1;         // drawing only
    double lanesWidth = 0.0;     // drawing only
    double focalLength = 0.0;
    double targetHeight = 0.0;
    double sensorHeight = 0.0;
    double sensorWidth = 0.0;
    double ipcHeight = 0.0; // pole height H1
    double captureDistance = 0.0;
};
