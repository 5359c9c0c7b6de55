#pragma once

#include <QStringList>

// Every member of a fenwarde-calc result, in the order the tool writes them.
// The output only grows: a new member goes at the end, here and in the tool.
inline QStringList calcResultKeys()
{
    return QStringLiteral("L1 W1 L2 W2 L3 W3 L4 W4 nearPixels farPixels errorIndex rangeEmitted "
                          "identification plateAtCapture plateAtL1 plateAtL4 faceAtCapture "
                          "faceAtL1 faceAtL4 drawDepth drawWidth farDistance farWidth "
                          "lateralScale pxPerMetre densityClasses viewAngles checks")
        .split(QLatin1Char(' '));
}
