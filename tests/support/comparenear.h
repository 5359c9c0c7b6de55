#pragma once

#include <QString>
#include <QtTest>

#include <cmath>

// Like QCOMPARE for doubles worked out by hand: passes when actual is within
// tolerance of expected, and names both at full precision when it is not.
#define COMPARE_NEAR(actual, expected, tolerance)                                                  \
    QVERIFY2(std::abs((actual) - (expected)) <= (tolerance),                                       \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                    \
                            .arg(QLatin1String(#actual))                                           \
                            .arg((actual), 0, 'g', 17)                                             \
                            .arg((expected), 0, 'g', 17)))
