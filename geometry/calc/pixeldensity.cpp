#include "pixeldensity.h"

#include "angles.h"
#include "sceneparams.h"
#include "sceneresult.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

constexpr double None = std::numeric_limits<double>::quiet_NaN();

// How a reported distance relates to the distance along the camera's own
// line. A camera turned across the road reports its detection band at
// cos² h of that distance (the plate turned away needs the camera one cos h
// nearer, and the road runs at cos h to its line), and when it cuts the band
// it widens the picture at a reported distance x as at x / cos² h. Densities
// describe the same thing as the band, the pixels a target gets, so they
// use that mapping too: the density at the reported L2 and L3 times the
// target width is the pixel count there, and a class ends where the band
// for its density would end. The picture edges are reported at cos h of
// theirs; a density at L1 or L4 is that of a target at the edge's reported
// distance, like the width of a band cut to that edge.
double correctionScale(const SceneParams &params, const SceneResult &result)
{
    if (!result.correctionActive)
        return 1.0;
    const double c = std::cos(Angles::toRadians(params.horizontalAngle));
    return c * c;
}

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

// The picture width model of one scene, its angles worked out once.
class WidthModel final
{
public:
    WidthModel(const SceneParams &params, const SceneResult &result)
        : m_params(params), m_result(result), m_scale(correctionScale(params, result)),
          m_cos(std::cos(Angles::toRadians(params.pitchAngle))),
          m_sin(std::sin(Angles::toRadians(params.pitchAngle)))
    {
    }

    double widthAt(double distance) const
    {
        const double along = distance / m_scale;
        return m_params.sensorWidth * (along * m_cos + m_sin * m_result.referenceHeight) /
               m_params.focalLength;
    }

    double densityAt(double distance) const
    {
        const double width = widthAt(distance);
        if (!(width > 0.0) || !std::isfinite(width))
            return None;
        return finiteOr(m_params.resolutionWidth / width, None);
    }

    // The width model solved for the distance, as the calculation places
    // the ends of its band.
    double distanceFor(double perMetre) const
    {
        const double width = m_params.resolutionWidth / perMetre;
        const double along = (m_params.focalLength * width / m_params.sensorWidth -
                              m_sin * m_result.referenceHeight) /
                             m_cos;
        return along * m_scale;
    }

private:
    const SceneParams &m_params;
    const SceneResult &m_result;
    double m_scale;
    double m_cos;
    double m_sin;
};

} // namespace

PixelDensity::PixelDensity()
{
    atDistance.fill(None);
}

double pictureWidthAt(const SceneParams &params, const SceneResult &result, double distance)
{
    return WidthModel(params, result).widthAt(distance);
}

double densityAt(const SceneParams &params, const SceneResult &result, double distance)
{
    return WidthModel(params, result).densityAt(distance);
}

double distanceForDensity(const SceneParams &params, const SceneResult &result, double perMetre)
{
    return WidthModel(params, result).distanceFor(perMetre);
}

PixelDensity computePixelDensity(const SceneParams &params, const SceneResult &r)
{
    PixelDensity density;
    if (!r.rangeEmitted)
        return density;
    const WidthModel model(params, r);

    const bool unbounded = r.L4 == -1;
    const std::array<double, 4> distances{r.L1, r.L2, r.L3, r.L4};
    for (std::size_t i = 0; i < distances.size(); ++i) {
        const bool none = distances[i] == 0.0 || (i == 3 && unbounded);
        density.atDistance[i] = none ? None : model.densityAt(distances[i]);
    }

    for (int c = 0; c < DensityClass::Count; ++c) {
        const double farthest = model.distanceFor(DensityClass::PerMetre[c]);
        const double to = unbounded ? farthest : std::min(farthest, r.L4);
        DensityStretch &stretch = density.classes[c];
        // Density falls with distance, so a class that ends before the
        // lower picture edge is not reached anywhere in the picture.
        if (std::isfinite(to) && to >= r.L1) {
            stretch.reached = true;
            stretch.from = r.L1;
            stretch.to = to;
        }
    }
    return density;
}
