#include "languagefile.h"

#include <QDirIterator>
#include <QFileInfo>

QString findLanguageFile(const QString &appDir, const QString &code)
{
    const QString wanted =
        QStringLiteral("%1/language/%2").arg(appDir, code + QStringLiteral(".xml"));
    if (QFileInfo::exists(wanted))
        return wanted;

    QDirIterator it(QStringLiteral("%1/language").arg(appDir), QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        if (info.suffix() == QLatin1String("xml"))
            return info.filePath();
    }
    return QString();
}
