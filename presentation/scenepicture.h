#pragma once

#include "sceneoptions.h"

#include <QImage>
#include <QSize>

struct SceneParams;

// The scene of one record as a picture, the way the scene widget shows it
// on its default background, drawn from the first colours (SceneColours):
// what was drawn before never shows through.
class ScenePicture final
{
public:
    // scale is the screen scale factor the scene is drawn for; options say
    // what it shows beyond its fixed parts.
    static QImage of(const SceneParams &params, const QSize &size, qreal scale,
                     const SceneOptions &options = SceneOptions());
};
