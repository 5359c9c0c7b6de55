#include "scenerenderer.h"

#include "filereplacer.h"
#include "scenepicture.h"

#include <QBuffer>
#include <QRegularExpression>

namespace
{

constexpr int maxSide = 16384;
constexpr qreal maxScale = 8.0;

} // namespace

bool SceneRenderer::parseSize(const QString &text, QSize *size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > maxSide || height > maxSide)
        return false;
    *size = QSize(width, height);
    return true;
}

bool SceneRenderer::parseScale(const QString &text, qreal *scale)
{
    bool ok = false;
    const qreal value = text.trimmed().toDouble(&ok);
    if (!ok || !(value > 0.0) || value > maxScale)
        return false;
    *scale = value;
    return true;
}

bool SceneRenderer::writePng(const SceneParams &params, const QSize &size, qreal scale,
                             const SceneOptions &options, const QString &path, QString *reason)
{
    const QImage image = ScenePicture::of(params, size, scale, options);
    if (image.isNull()) {
        *reason =
            QStringLiteral("cannot allocate a %1x%2 picture").arg(size.width()).arg(size.height());
        return false;
    }
    // Made in memory and put in place whole, like the reports: a pipe or a
    // device at the name is refused, and a failed write keeps the old file.
    QByteArray png;
    QBuffer buffer(&png);
    QString why;
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG") ||
        !FileReplacer::replace(path, png, &why)) {
        *reason = why.isEmpty() ? QStringLiteral("cannot write %1").arg(path)
                                : QStringLiteral("cannot write %1: %2").arg(path, why);
        return false;
    }
    return true;
}
