#pragma once

// The one value of pi the calculation and the drawing share, written out so
// every build and the reference check use the same bits.
namespace Angles
{
constexpr double Pi = 3.141592653589793;
constexpr double HalfPi = 1.5707963267948966;

// Degrees to radians in the order the formulas are written: degrees * pi / 180.
constexpr double toRadians(double degrees)
{
    return degrees * Pi / 180;
}
} // namespace Angles
