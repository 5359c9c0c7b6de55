#include "resourcepath.h"

#include <iterator>

QString GetSkinName()
{
    static const QString skin = QStringLiteral("darkgreen");
    return skin;
}

QString GetResourcePath(const QString &name, ResourceKind kind, bool appendSuffix)
{
    // Root before the skin name, folder after it and file suffix, by kind.
    struct Place {
        const char *root;
        const char *folder;
        const char *suffix;
    };
    static const Place places[] = {
        {":/res/", "/png/", ".png"},        // Png
        {":/icon/res/", "/icon/", ".icon"}, // Icon
        {":/qss/res/", "/", ".qss"},        // Qss
        {":/res/", "/png/", ".gif"},        // Gif
        {":/res/", "/png/", ".bmp"},        // Bmp
        {":/res/", "/png/", ".svg"},        // Svg
    };
    const int index = static_cast<int>(kind);
    if (index < 0 || index >= int(std::size(places)))
        return QString();
    const Place &place = places[index];
    return QLatin1String(place.root) + GetSkinName() + QLatin1String(place.folder) + name +
           (appendSuffix ? QLatin1String(place.suffix) : QLatin1String(""));
}
