#include "scenepictures.h"

namespace
{

const char *const resourcePaths[ScenePictures::PictureCount] = {
    ":/res/painter/people.png", ":/res/painter/car.png", ":/res/painter/ipc.png",
    ":/res/painter/pitch.png", ":/res/painter/level.png"};

constexpr int maxCachedSizes = 32;

} // namespace

ScenePictures &ScenePictures::instance()
{
    static ScenePictures pictures;
    return pictures;
}

ScenePictures::ScenePictures()
{
    for (int i = 0; i < PictureCount; ++i) {
        m_original[i] = QImage(QString::fromLatin1(resourcePaths[i]))
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
}

const QImage &ScenePictures::original(Picture picture) const
{
    return m_original[picture];
}

QImage ScenePictures::scaled(Picture picture, const QSize &size)
{
    const QImage &source = m_original[picture];
    if (source.isNull() || size.isEmpty())
        return m_null;
    if (source.size() == size)
        return source;
    QHash<quint64, QImage> &cache = m_scaled[picture];
    const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(size.height());
    auto found = cache.find(key);
    if (found != cache.end())
        return *found;
    // Figures shrink with distance, so sizes vary; keep the cache small.
    if (cache.size() >= maxCachedSizes)
        cache.clear();
    const QImage image = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    cache.insert(key, image);
    return image;
}
