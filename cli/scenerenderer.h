#pragma once

#include "sceneoptions.h"
#include "sceneparams.h"

#include <QImage>
#include <QSize>
#include <QString>

// Renders the scene of one camera record into a picture file, the way the
// scene widget shows it, for the command-line calculator's --png option.
class SceneRenderer final
{
public:
    // Parses "WxH" into a size of 1 to 16384 pixels a side; false otherwise.
    static bool parseSize(const QString &text, QSize *size);
    // Parses a screen scale factor greater than 0 and at most 8.
    static bool parseScale(const QString &text, qreal *scale);

    // Renders and writes a PNG; on failure leaves a short reason.
    static bool writePng(const SceneParams &params, const QSize &size, qreal scale,
                         const SceneOptions &options, const QString &path, QString *reason);
};
