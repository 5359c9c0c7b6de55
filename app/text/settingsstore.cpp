#include "settingsstore.h"

#include "filereplacer.h"
#include "inifiletext.h"
#include "regularfile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace
{

// The program keeps one short key per store; even an organisation-wide file
// that other programs share stays far below this.
constexpr qint64 MaxSettingsBytes = 1024 * 1024;

// QSettings waits for the lock of its file without end. A stale lock it
// cannot remove, such as a folder of that name, would hang the program at
// exit, after its window has gone.
constexpr int LockWaitMs = 3000;

// The value of key in a file's bytes, parsed by QSettings from a private
// copy: what it parses is exactly what was checked, and a name it has read
// before cannot stand for older contents from its cache. Without room for
// the copy, QSettings reads the checked file itself.
QVariant parsedValue(const QString &path, const QByteArray &bytes, const QString &key)
{
    if (bytes.isEmpty())
        return QVariant();
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/fenwarde-settings-XXXXXX.conf"));
    const bool copied = copy.open() && copy.write(bytes) == bytes.size() && copy.flush();
    const QSettings settings(copied ? copy.fileName() : path, QSettings::IniFormat);
    return settings.value(key);
}

} // namespace

SettingsStore::SettingsStore(const QString &organisation, const QString &application)
{
    const QString appFile = QStringLiteral("/%1/%2.conf").arg(organisation, application);
    const QString orgFile = QStringLiteral("/%1.conf").arg(organisation);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    m_files << user + appFile << user + orgFile;
    const QStringList system =
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation).mid(1);
    for (const QString &folder : system)
        m_files << folder + appFile;
    for (const QString &folder : system)
        m_files << folder + orgFile;
}

QVariant SettingsStore::value(const QString &key) const
{
    for (const QString &path : m_files) {
        if (RegularFile::kindOf(path) == RegularFile::Kind::Missing)
            continue;
        QByteArray bytes;
        QString reason;
        if (!RegularFile::read(path, MaxSettingsBytes, &bytes, &reason)) {
            qWarning().noquote()
                << QStringLiteral("The settings file %1 was passed over: %2.").arg(path, reason);
            continue;
        }
        const QVariant value = parsedValue(path, bytes, key);
        if (value.isValid())
            return value;
    }
    return QVariant();
}

bool SettingsStore::setValue(const QString &key, const QString &value, QString *reason) const
{
    const QString path = fileName();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *reason = QStringLiteral("cannot make the folder %1").arg(folder);
        return false;
    }
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs)) {
        *reason = lock.error() == QLockFile::LockFailedError
                      ? QStringLiteral("%1 stays locked").arg(path)
                      : QStringLiteral("cannot lock %1").arg(path);
        return false;
    }
    QByteArray bytes;
    if (RegularFile::kindOf(path) != RegularFile::Kind::Missing &&
        !RegularFile::read(path, MaxSettingsBytes, &bytes, reason)) {
        *reason = QStringLiteral("%1: %2").arg(path, *reason);
        return false;
    }
    const QVariant current = parsedValue(path, bytes, key);
    if (current.userType() == QMetaType::QString && current.toString() == value)
        return true;
    if (FileReplacer::replace(path, IniFileText::withValue(bytes, key, value), reason))
        return true;
    *reason = QStringLiteral("%1: %2").arg(path, *reason);
    return false;
}
