#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Runs the fenwarde-calc tool built beside the test on some input and
// collects what it prints, for the tests of the tool.
class GeometryCalcRunner final
{
public:
    struct Run {
        int exitCode = -1; // -1 when the tool did not start or crashed
        QList<QByteArray> lines;
        QByteArray errorOutput;
    };

    // Without a display the tool gets no platform plugin, display or
    // Wayland socket from the environment and must choose one itself.
    static Run run(const QStringList &arguments, const QByteArray &input,
                   bool withoutDisplay = false);
};
