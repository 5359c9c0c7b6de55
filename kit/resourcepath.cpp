#include "resourcepath.h"

QString GetSkinName()
{
    static const QString skin = QStringLiteral("darkgreen");
    return skin;
}

QString GetResourcePath(const QString &name, ResourceKind kind, bool appendSuffix)
{
    const QString skin = GetSkinName();
    QString folder;
    QString suffix;
    switch (kind) {
    case Png:
        folder = ":/res/" + skin + "/png/";
        suffix = ".png";
        break;
    case Icon:
        folder = ":/icon/res/" + skin + "/icon/";
        suffix = ".icon";
        break;
    case Qss:
        folder = ":/qss/res/" + skin + "/";
        suffix = ".qss";
        break;
    case Gif:
        folder = ":/res/" + skin + "/png/";
        suffix = ".gif";
        break;
    case Bmp:
        folder = ":/res/" + skin + "/png/";
        suffix = ".bmp";
        break;
    case Svg:
        folder = ":/res/" + skin + "/png/";
        suffix = ".svg";
        break;
    default:
        return QString();
    }
    return folder + name + (appendSuffix ? suffix : QString());
}
