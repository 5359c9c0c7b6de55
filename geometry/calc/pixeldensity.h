#pragma once

#include <array>

struct SceneParams;
struct SceneResult;

// The four pixel densities across the picture that the trade plans by, in
// pixels per metre, weakest first.
namespace DensityClass
{
enum : int { Detect, Observe, Recognise, Identify, Count };
constexpr std::array<double, Count> PerMetre{25.0, 62.5, 125.0, 250.0};
} // namespace DensityClass

// The ground from the lower picture edge out to the farthest distance where
// the picture still has a class's density.
struct DensityStretch {
    bool reached = false; // false: not even at the lower picture edge
    double from = 0.0;
    double to = 0.0;
};

// Horizontal pixel density of one calculated scene: at the four distances
// L1 to L4, and the stretch of ground each density class covers. A density
// is NaN where there is none: a distance of 0, an unbounded far edge, or a
// picture with no positive width.
struct PixelDensity {
    std::array<double, 4> atDistance{}; // at L1, L2, L3, L4
    std::array<DensityStretch, DensityClass::Count> classes{};

    PixelDensity();
};

// The picture width, in metres, on the result's reference plane at the given
// distance from the pole. Distances are those the calculation reports: with
// the horizontal correction on, a distance stands for distance / cos² h
// along the camera's own line, the mapping the calculation uses for the
// detection band and for the widths it gives a cut band.
double pictureWidthAt(const SceneParams &params, const SceneResult &result, double distance);

// Pixels across one metre at that distance; NaN where the width is not a
// positive finite number.
double densityAt(const SceneParams &params, const SceneResult &result, double distance);

// The distance, reported like the calculation's, at which the density falls
// to perMetre; nearer ground has more.
double distanceForDensity(const SceneParams &params, const SceneResult &result, double perMetre);

// Everything above for the distances in the result; all NaN and no class
// reached when the calculation stopped before it placed the picture.
PixelDensity computePixelDensity(const SceneParams &params, const SceneResult &result);
