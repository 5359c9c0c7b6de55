#include "scenecalculation.h"

#include "angles.h"
#include "pixeldensity.h"
#include "textid.h"

#include <algorithm>
#include <cmath>

namespace
{

using Angles::HalfPi;
using Angles::toRadians;

constexpr double FaceWidth = 0.2;
constexpr double VehicleWidth = 1.8;
constexpr double BodyWidth = 0.5;

// Depth and breadth of the ground figure drawn for the fixed-size scenarios.
constexpr double PersonDepth = 20.0;
constexpr double PersonWidth = 10.0;
constexpr double LanesDepth = 50.0;
constexpr double LanesWidth = 30.0;

double plateWidthFor(qint32 plateType)
{
    switch (plateType) {
    case PlateType::Unset:
        return 0.44;
    case PlateType::Width520:
        return 0.52;
    case PlateType::Width305:
        return 0.305;
    default:
        return 0.38;
    }
}

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

// The record's values under the short names the formulas use, with the
// angles in radians.
struct Inputs {
    qint32 scenario;
    double f;  // focal length, mm
    double sw; // sensor width, mm
    double sh; // sensor height, mm
    double H1; // pole height
    double tH; // target height
    double res;
    double p; // pitch
    double h; // horizontal angle

    explicit Inputs(const SceneParams &params)
        : scenario(params.scenario), f(params.focalLength), sw(params.sensorWidth),
          sh(params.sensorHeight), H1(params.ipcHeight), tH(params.targetHeight),
          res(params.resolutionWidth), p(toRadians(params.pitchAngle)),
          h(toRadians(params.horizontalAngle))
    {
    }
};

// Pixels a target of the given width gets on the plane at height h below the
// camera, x metres from the pole.
int pixelsAt(double res, double width, double x, double h, double p, double sw, double f)
{
    return toCount(res * width / ((std::cos(p) * x + std::sin(p) * h) * sw / f));
}

QString pixelRange(int farCount, int nearCount)
{
    return QStringLiteral("%1 - %2px").arg(farCount).arg(nearCount);
}

// Keeps NaN and infinity from reaching anything that becomes a pixel position.
void sanitize(SceneResult &r)
{
    for (double *v : {&r.L1, &r.W1, &r.L2, &r.W2, &r.L3, &r.W3, &r.L4, &r.W4, &r.bandNear,
                      &r.bandFar, &r.drawDepth, &r.drawWidth, &r.farDistance, &r.farWidth,
                      &r.halfHorizontal, &r.halfVertical, &r.referenceHeight})
        *v = finiteOr(*v, 0.0);
    r.lateralScale = finiteOr(r.lateralScale, 1.0);
}

// The checks that stop the calculation before any distance is computed.
int inputGuard(const Inputs &in, const SceneResult &r)
{
    if (in.scenario == Scenario::Person && in.tH >= in.H1)
        return TextId::ErrorNoBand;
    if (in.scenario == Scenario::Lanes && in.H1 <= 0)
        return TextId::ErrorNoBand;
    if (r.correctionActive && in.h + r.halfHorizontal >= HalfPi)
        return TextId::ErrorHorizontalAngle;
    return 0;
}

// Where the lower and upper picture edges meet the reference plane Hc below
// the camera; an upper edge at or above the horizon never does (-1).
void placePictureEdges(const Inputs &in, double Hc, SceneResult &r)
{
    const double halfH = r.halfHorizontal;
    const double halfV = r.halfVertical;
    if (in.p + halfV < HalfPi) {
        r.L1 = Hc / std::tan(in.p + halfV);
        r.W1 = std::tan(halfH) * 2 * r.L1;
    }
    if (in.p > halfV) {
        r.L4 = std::tan(halfV + HalfPi - in.p) * Hc;
        r.W4 = std::tan(halfH) * 2 * r.L4;
    } else {
        r.L4 = -1;
        r.W4 = -1;
    }
}

// How much ground the drawing shows, and how far and wide its far edge is.
void placeDrawingExtents(const Inputs &in, SceneResult &r)
{
    if (in.scenario == Scenario::Person) {
        r.drawDepth = PersonDepth;
        r.drawWidth = PersonWidth;
    } else if (in.scenario == Scenario::Lanes) {
        r.drawDepth = LanesDepth;
        r.drawWidth = LanesWidth;
    } else {
        r.drawDepth = 2.2 * r.L1;
        r.drawWidth = 3 * r.W1;
    }
    r.farDistance = r.L4;
    r.farWidth = r.W4;
    if (r.L4 == -1 || r.L4 >= r.drawDepth) {
        r.farDistance = r.drawDepth;
        r.farWidth = in.sw * r.drawDepth / in.f;
    }
    if (in.scenario == Scenario::Person && r.farWidth > r.drawWidth)
        r.lateralScale = r.drawWidth / r.farWidth;
}

// The band between the distances where the target has maxPixels and
// minPixels across.
void placeBandFromPixelLimits(const Inputs &in, const SceneParams &params, double Hc,
                              SceneResult &r)
{
    const double tw = r.targetWidth;
    r.W2 = in.res * tw / params.maxPixels;
    r.W3 = in.res * tw / params.minPixels;
    r.L2 = (in.f * r.W2 / in.sw - std::sin(in.p) * Hc) / std::cos(in.p);
    r.L3 = (in.f * r.W3 / in.sw - std::sin(in.p) * Hc) / std::cos(in.p);
}

// The capture point, and the plate and face counts there and at both
// picture edges. Faces are counted on the plane of the face, H1 - tH below
// the camera, and only when the face is not above the camera.
void placeCapturePoint(const Inputs &in, const SceneParams &params, double Hc, SceneResult &r)
{
    const double pw = r.plateWidth;
    r.L2 = params.captureDistance;
    r.L3 = params.captureDistance;
    r.W2 = (std::cos(in.p) * r.L3 + std::sin(in.p) * Hc) * in.sw / in.f;
    r.W3 = r.W2;
    r.plateAtCapture = toCount(in.res * pw / r.W2);
    r.plateAtL1 = pixelsAt(in.res, pw, r.L1, Hc, in.p, in.sw, in.f);
    if (r.L4 != -1)
        r.plateAtL4 = pixelsAt(in.res, pw, r.L4, Hc, in.p, in.sw, in.f);
    if (in.tH <= in.H1) {
        const double Hf = in.H1 - in.tH;
        r.faceAtCapture = pixelsAt(in.res, FaceWidth, r.L3, Hf, in.p, in.sw, in.f);
        r.faceAtL1 = pixelsAt(in.res, FaceWidth, r.L1, Hf, in.p, in.sw, in.f);
        if (r.L4 != -1)
            r.faceAtL4 = pixelsAt(in.res, FaceWidth, r.L4, Hf, in.p, in.sw, in.f);
    }
}

// A camera turned across the road sees its distances shortened along the
// road: edges by cos h, the band by cos² h.
void applyHorizontalCorrection(const Inputs &in, SceneResult &r)
{
    const double c = std::cos(in.h);
    r.L1 = r.L1 * c;
    r.L2 = r.L2 * (c * c);
    r.L3 = r.L3 * (c * c);
    if (r.L4 != -1) {
        r.L4 = r.L4 * c;
        r.farDistance = std::min(r.drawDepth, r.L4);
    }
}

// Cuts the band to the picture [L1, L4] (L4 unbounded when -1), or drops it
// when none of it lies in the picture.
void clampBandToPicture(const Inputs &in, double Hc, SceneResult &r)
{
    // The clamped widths divide by cos² of the horizontal angle even when the
    // correction is off; the panel keeps that angle at 0 outside that mode.
    const double ch = std::cos(in.h);
    const double k = ch * ch;
    const auto widthAt = [&](double x) {
        return in.sw * ((x / k) * std::cos(in.p) + std::sin(in.p) * Hc) / in.f;
    };
    const double tw = r.targetWidth;
    const bool unbounded = r.L4 == -1;

    if (r.L2 < r.L1 && r.L3 >= r.L1 && (r.L4 >= r.L3 || unbounded)) {
        // The band starts before the lower picture edge and ends inside the
        // picture: its near end moves up to L1.
        r.L2 = r.L1;
        r.W2 = widthAt(r.L1);
        r.nearPixels = toCount(in.res * tw / r.W2);
        r.errorIndex = TextId::ErrorBandCut;
    } else if (r.L2 < r.L1 && r.L3 > r.L4 && !unbounded) {
        // The band overhangs both picture edges: it becomes the whole
        // picture, L1 to L4.
        r.L2 = r.L1;
        r.L3 = r.L4;
        r.W2 = widthAt(r.L1);
        r.W3 = widthAt(r.L4);
        r.nearPixels = toCount(in.res * tw / r.W2);
        r.farPixels = toCount(in.res * tw / r.W3);
        r.errorIndex = TextId::ErrorBandCut;
    } else if (r.L2 >= r.L1 && (r.L4 >= r.L2 || unbounded) && r.L3 > r.L4 && !unbounded) {
        // The band starts inside the picture and runs past its upper edge:
        // its far end moves back to L4.
        r.L3 = r.L4;
        r.W3 = widthAt(r.L4);
        r.farPixels = toCount(in.res * tw / r.W3);
        r.errorIndex = TextId::ErrorBandCut;
    } else if ((r.L2 < r.L1 && r.L3 < r.L1) || (r.L2 > r.L4 && r.L3 > r.L4 && !unbounded) ||
               r.L1 > r.drawDepth) {
        // The band lies wholly before or beyond the picture, or the picture
        // starts beyond the drawn ground: there is no band.
        r.L2 = 0;
        r.L3 = 0;
        r.W2 = 0;
        r.W3 = 0;
        r.errorIndex =
            in.scenario == Scenario::Capture ? TextId::ErrorCapturePoint : TextId::ErrorNoBand;
    }
}

// The four "far - near" pixel texts of the capture point; vehicles and whole
// persons scale from the plate and the face by their fixed widths.
void describeIdentification(const Inputs &in, SceneResult &r)
{
    const double pw = r.plateWidth;
    r.identificationEmitted = true;
    r.plateRange = pixelRange(r.plateAtL4, r.plateAtL1);
    r.vehicleRange = pixelRange(toCount(r.plateAtL4 * VehicleWidth / pw),
                                toCount(r.plateAtL1 * VehicleWidth / pw));
    r.faceRange = pixelRange(r.faceAtL4, r.faceAtL1);
    r.personRange = pixelRange(toCount(r.faceAtL4 * BodyWidth / FaceWidth),
                               toCount(r.faceAtL1 / FaceWidth * in.tH));
}

} // namespace

int toCount(double value)
{
    // The bounds are the first values outside int's range after truncation;
    // NaN fails both comparisons.
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return 0;
    return static_cast<int>(value);
}

SceneResult computeScene(const SceneParams &params)
{
    const Inputs in(params);
    SceneResult r;
    r.nearPixels = params.maxPixels;
    r.farPixels = params.minPixels;
    r.plateWidth = plateWidthFor(params.plateType);
    r.targetWidth = in.scenario == Scenario::Person ? FaceWidth : r.plateWidth;
    r.halfHorizontal = std::atan(0.5 * in.sw / in.f);
    r.halfVertical = std::atan(0.5 * in.sh / in.f);
    r.correctionActive = in.scenario == Scenario::Lanes && params.horizontalMount;

    r.errorIndex = inputGuard(in, r);
    if (r.errorIndex != 0) {
        sanitize(r);
        return r;
    }
    r.rangeEmitted = true;

    const double Hc = in.scenario == Scenario::Person ? in.H1 - in.tH : in.H1;
    r.referenceHeight = Hc;
    placePictureEdges(in, Hc, r);
    placeDrawingExtents(in, r);
    if (in.scenario == Scenario::Person || in.scenario == Scenario::Lanes)
        placeBandFromPixelLimits(in, params, Hc, r);
    else if (in.scenario == Scenario::Capture)
        placeCapturePoint(in, params, Hc, r);
    if (r.correctionActive)
        applyHorizontalCorrection(in, r);
    r.bandNear = r.L2;
    r.bandFar = r.L3;
    clampBandToPicture(in, Hc, r);
    if (in.scenario == Scenario::Capture)
        describeIdentification(in, r);

    sanitize(r);
    r.density = computePixelDensity(params, r);
    return r;
}
