#include "reportfile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace
{

bool fail(QString *errorString, const QString &fileName, const QString &reason)
{
    if (errorString)
        *errorString = QStringLiteral("cannot write %1: %2").arg(fileName, reason);
    return false;
}

// A short write, or a flush that fails, means the data did not all arrive.
bool writeAll(QFileDevice &file, const QByteArray &bytes, QString *reason)
{
    if (file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError)
        return true;
    *reason = QStringLiteral("not every byte was written (%1)").arg(file.errorString());
    return false;
}

} // namespace

bool writeReportFile(const QString &fileName, const QByteArray &bytes, QString *errorString)
{
    if (fileName.isEmpty())
        return fail(errorString, fileName, QStringLiteral("no file name given"));
    const QFileInfo info(fileName);
    if (info.isDir())
        return fail(errorString, fileName, QStringLiteral("it is a folder"));

    // A temporary file beside a device node would be renamed over the node
    // itself, which succeeds for root.
    if (info.exists() && !info.isFile()) {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            return fail(errorString, fileName, file.errorString());
        QString reason;
        if (!writeAll(file, bytes, &reason))
            return fail(errorString, fileName, reason);
        return true;
    }

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(errorString, fileName, file.errorString());
    // commit() does not notice a failure of the flush it makes itself, and
    // would then put a truncated file in place of the old one.
    QString reason;
    if (!writeAll(file, bytes, &reason)) {
        file.cancelWriting();
        return fail(errorString, fileName, reason);
    }
    if (!file.commit())
        return fail(errorString, fileName, file.errorString());
    return true;
}
