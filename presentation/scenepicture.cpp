#include "scenepicture.h"

#include "scenecalculation.h"
#include "scenepainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

QImage ScenePicture::of(const SceneParams &params, const QSize &size, qreal scale,
                        const SceneOptions &options)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QGuiApplication::palette().color(QPalette::Window));
    QPainter painter(&image);
    ScenePainter::render(painter, params, computeScene(params), size, scale, SceneColours(),
                         options);
    painter.end();
    return image;
}
