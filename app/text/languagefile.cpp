#include "languagefile.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>

QString languageFolder(const QString &appDir)
{
    return QStringLiteral("%1/language").arg(appDir);
}

QString languageFolder()
{
    return languageFolder(QCoreApplication::applicationDirPath());
}

QString findLanguageFile(const QString &appDir, const QString &code)
{
    const QString folder = languageFolder(appDir);
    const QString wanted = QStringLiteral("%1/%2").arg(folder, code + QStringLiteral(".xml"));
    if (QFileInfo::exists(wanted))
        return wanted;

    QDirIterator it(folder, QDir::Files);
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
