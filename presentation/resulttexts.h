#pragma once

#include <QString>

// The result lines as the panel shows them and the report writes them:
// metres with two decimals, "%1 - %2m" for a range and "%1m" for one value,
// and the language's text for an unbounded far edge (-1).
class ResultTexts final
{
public:
    ResultTexts(double L1, double W1, double L2, double W2, double L3, double W3, double L4,
                double W4);

    QString pictureWidth() const;   // W1 - W4
    QString farEdge() const;        // L4
    QString nearEdge() const;       // L1
    QString detectionRange() const; // L2 - L3
    QString detectionWidth() const; // W2 - W3

    // What every result line and pixel range shows when the calculation gave
    // no result for the current settings, in place of any number.
    static QString none();

    // A distance in metres, without its unit: two decimals, or six
    // significant digits for one no camera plans for (a million metres on).
    static QString distance(double metres);

private:
    double m_L1, m_W1, m_L2, m_W2, m_L3, m_W3, m_L4, m_W4;
};
