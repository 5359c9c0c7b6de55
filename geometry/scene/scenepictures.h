#pragma once

#include <QHash>
#include <QImage>
#include <QSize>

// The pictures of the scene, decoded once from the compiled-in resources and
// kept for the life of the process, together with a few scaled copies of
// each, so that repaints at unchanged sizes scale nothing. A picture that
// is missing from the resources is a null image and draws nothing.
class ScenePictures final
{
public:
    enum Picture { People, Car, Camera, Pitch, Level, PictureCount };

    static ScenePictures &instance();

    const QImage &original(Picture picture) const;
    // The picture scaled smoothly to size, aspect ratio ignored; a null image
    // when the picture is missing or the size is empty.
    QImage scaled(Picture picture, const QSize &size);

private:
    ScenePictures();

    QImage m_original[PictureCount];
    QHash<quint64, QImage> m_scaled[PictureCount];
    QImage m_null;
};
