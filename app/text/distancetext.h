#pragma once

#include <QString>

// How the program writes a distance or a width in metres, in the scene's
// dimensions and in the results alike: two decimals and a dot, whatever the
// system's locale. A far edge that never meets the ground is -1 exactly and
// reads as the language's word for it where the value may be unbounded.
class DistanceText final
{
public:
    // "11.44" for 11.437829.
    static QString number(double metres);
    // number(), or language text 41 for -1.
    static QString orUnbounded(double metres);
};
