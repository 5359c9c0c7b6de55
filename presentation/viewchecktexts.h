#pragma once

#include <QString>

struct ViewCheck;

// The viewing-angle checks as the window words them, one line a check in
// the loaded language: "Plate at L2: passes (vertical 25.7° ≤ 30°)", or
// every angle that fails with its excess, each failing lane named, lanes
// counted from 1 at the left as the camera looks along the road.
class ViewCheckTexts final
{
public:
    static QString line(const ViewCheck &check);
    // Why the guideline file is not used, and that the built-in limits are.
    static QString guidelinesUnread(const QString &reason);

    // Degrees with at most one decimal: "30", "25.7".
    static QString degrees(double value);
    // The same for an angle past its limit and for the excess, except that
    // an angle just past never reads as the limit, nor its excess as 0.
    static QString failingDegrees(double angle, double limit);
    static QString excessDegrees(double excess);
};
