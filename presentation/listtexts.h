#pragma once

#include <QString>
#include <QtGlobal>

// The record's codes as the planning panel's lists show them, both ways. A
// list text gives its code by exact comparison with the language's item
// texts: text 12 is the person scenario, 14 the capture point and anything
// else the vehicle lanes; texts 29 and 30 are the first two plate types and
// anything else the third; text 18 is the turned install mode.
class ListTexts final
{
public:
    static qint32 scenario(const QString &text);
    static QString scenarioText(qint32 scenario);

    static qint32 plateType(const QString &text);
    // Empty for a code the list does not offer.
    static QString plateTypeText(qint32 plateType);

    static bool horizontalMount(const QString &text);
    static QString installModeText(bool horizontalMount);

    // A resolution item such as "3840 * 2160", split at "*" into its two
    // numbers (surrounding blanks ignored; a part that is no number reads as
    // 0). False, with both numbers 0, when the text does not have exactly two
    // parts.
    static bool resolution(const QString &text, int *width, int *height);
    static QString resolutionText(int width, int height);

    // The sensor format's name, or the size itself for one the list does not
    // offer.
    static QString sensorText(double width, double height);
};
