#include "scenecalculation.h"

#include <algorithm>
#include <cmath>

namespace
{

// Written out rather than taken from M_PI so every build uses the same bits.
constexpr double Pi = 3.141592653589793;
constexpr double HalfPi = 1.5707963267948966;

constexpr double FaceWidth = 0.2;
constexpr double VehicleWidth = 1.8;
constexpr double BodyWidth = 0.5;

// Error texts (language indices).
constexpr int NoBand = 51;
constexpr int HorizontalAngleTooWide = 52;
constexpr int BandCut = 53;
constexpr int CapturePointOutside = 54;

constexpr double PersonDepth = 20.0;
constexpr double PersonWidth = 10.0;
constexpr double LanesDepth = 50.0;
constexpr double LanesWidth = 30.0;

double plateWidthFor(qint32 plateType)
{
    switch (plateType) {
    case 0:
        return 0.44;
    case 1:
        return 0.52;
    case 2:
        return 0.305;
    default:
        return 0.38;
    }
}

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

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
    for (double *v :
         {&r.L1, &r.W1, &r.L2, &r.W2, &r.L3, &r.W3, &r.L4, &r.W4, &r.drawDepth, &r.drawWidth,
          &r.farDistance, &r.farWidth, &r.halfHorizontal, &r.halfVertical})
        *v = finiteOr(*v, 0.0);
    r.lateralScale = finiteOr(r.lateralScale, 1.0);
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
    SceneResult r;
    const qint32 scenario = params.scenario;
    const double f = params.focalLength;
    const double sw = params.sensorWidth;
    const double sh = params.sensorHeight;
    const double H1 = params.ipcHeight;
    const double tH = params.targetHeight;
    const double res = params.resolutionWidth;
    const double p = params.pitchAngle * Pi / 180;
    const double h = params.horizontalAngle * Pi / 180;

    r.nearPixels = params.maxPixels;
    r.farPixels = params.minPixels;
    r.plateWidth = plateWidthFor(params.plateType);
    r.targetWidth = scenario == 1 ? FaceWidth : r.plateWidth;
    const double pw = r.plateWidth;
    const double tw = r.targetWidth;
    const double halfH = std::atan(0.5 * sw / f);
    const double halfV = std::atan(0.5 * sh / f);
    r.halfHorizontal = halfH;
    r.halfVertical = halfV;
    r.correctionActive = scenario == 2 && params.horizontalMount;

    if (scenario == 1 && tH >= H1)
        r.errorIndex = NoBand;
    else if (scenario == 2 && H1 <= 0)
        r.errorIndex = NoBand;
    else if (r.correctionActive && h + halfH >= HalfPi)
        r.errorIndex = HorizontalAngleTooWide;
    if (r.errorIndex != 0) {
        sanitize(r);
        return r;
    }
    r.rangeEmitted = true;

    const double Hc = scenario == 1 ? H1 - tH : H1;

    if (p + halfV < HalfPi) {
        r.L1 = Hc / std::tan(p + halfV);
        r.W1 = std::tan(halfH) * 2 * r.L1;
    }
    if (p > halfV) {
        r.L4 = std::tan(halfV + HalfPi - p) * Hc;
        r.W4 = std::tan(halfH) * 2 * r.L4;
    } else {
        r.L4 = -1;
        r.W4 = -1;
    }

    if (scenario == 1) {
        r.drawDepth = PersonDepth;
        r.drawWidth = PersonWidth;
    } else if (scenario == 2) {
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
        r.farWidth = sw * r.drawDepth / f;
    }
    if (scenario == 1 && r.farWidth > r.drawWidth)
        r.lateralScale = r.drawWidth / r.farWidth;

    if (scenario == 1 || scenario == 2) {
        r.W2 = res * tw / params.maxPixels;
        r.W3 = res * tw / params.minPixels;
        r.L2 = (f * r.W2 / sw - std::sin(p) * Hc) / std::cos(p);
        r.L3 = (f * r.W3 / sw - std::sin(p) * Hc) / std::cos(p);
    } else if (scenario == 3) {
        r.L2 = params.captureDistance;
        r.L3 = params.captureDistance;
        r.W2 = (std::cos(p) * r.L3 + std::sin(p) * Hc) * sw / f;
        r.W3 = r.W2;
        r.plateAtCapture = toCount(res * pw / r.W2);
        r.plateAtL1 = pixelsAt(res, pw, r.L1, Hc, p, sw, f);
        if (r.L4 != -1)
            r.plateAtL4 = pixelsAt(res, pw, r.L4, Hc, p, sw, f);
        if (tH <= H1) {
            const double Hf = H1 - tH;
            r.faceAtCapture = pixelsAt(res, FaceWidth, r.L3, Hf, p, sw, f);
            r.faceAtL1 = pixelsAt(res, FaceWidth, r.L1, Hf, p, sw, f);
            if (r.L4 != -1)
                r.faceAtL4 = pixelsAt(res, FaceWidth, r.L4, Hf, p, sw, f);
        }
    }

    if (r.correctionActive) {
        const double c = std::cos(h);
        r.L1 = r.L1 * c;
        r.L2 = r.L2 * (c * c);
        r.L3 = r.L3 * (c * c);
        if (r.L4 != -1) {
            r.L4 = r.L4 * c;
            r.farDistance = std::min(r.drawDepth, r.L4);
        }
    }

    // The clamped widths divide by cos² of the horizontal angle even when the
    // correction is off; the panel keeps that angle at 0 outside that mode.
    const double ch = std::cos(params.horizontalAngle * Pi / 180);
    const double k = ch * ch;
    const auto widthAt = [&](double x) {
        return sw * ((x / k) * std::cos(p) + std::sin(p) * Hc) / f;
    };
    const bool unbounded = r.L4 == -1;
    if (r.L2 < r.L1 && r.L3 >= r.L1 && (r.L4 >= r.L3 || unbounded)) {
        r.L2 = r.L1;
        r.W2 = widthAt(r.L1);
        r.nearPixels = toCount(res * tw / r.W2);
        r.errorIndex = BandCut;
    } else if (r.L2 < r.L1 && r.L3 > r.L4 && !unbounded) {
        r.L2 = r.L1;
        r.L3 = r.L4;
        r.W2 = widthAt(r.L1);
        r.W3 = widthAt(r.L4);
        r.nearPixels = toCount(res * tw / r.W2);
        r.farPixels = toCount(res * tw / r.W3);
        r.errorIndex = BandCut;
    } else if (r.L2 >= r.L1 && (r.L4 >= r.L2 || unbounded) && r.L3 > r.L4 && !unbounded) {
        r.L3 = r.L4;
        r.W3 = widthAt(r.L4);
        r.farPixels = toCount(res * tw / r.W3);
        r.errorIndex = BandCut;
    } else if ((r.L2 < r.L1 && r.L3 < r.L1) || (r.L2 > r.L4 && r.L3 > r.L4 && !unbounded) ||
               r.L1 > r.drawDepth) {
        r.L2 = 0;
        r.L3 = 0;
        r.W2 = 0;
        r.W3 = 0;
        r.errorIndex = scenario == 3 ? CapturePointOutside : NoBand;
    }

    if (scenario == 3) {
        r.identificationEmitted = true;
        r.plateRange = pixelRange(r.plateAtL4, r.plateAtL1);
        r.vehicleRange = pixelRange(toCount(r.plateAtL4 * VehicleWidth / pw),
                                    toCount(r.plateAtL1 * VehicleWidth / pw));
        r.faceRange = pixelRange(r.faceAtL4, r.faceAtL1);
        r.personRange = pixelRange(toCount(r.faceAtL4 * BodyWidth / FaceWidth),
                                   toCount(r.faceAtL1 / FaceWidth * tH));
    }

    sanitize(r);
    return r;
}
