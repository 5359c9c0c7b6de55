#include "recoverystore.h"

#include "filereplacer.h"
#include "planfile.h"
#include "regularfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

namespace
{

constexpr qint64 MaxPathBytes = 64 * 1024;

QString lockName(const QString &copy)
{
    return copy.left(copy.size() - PlanFile::suffix().size()) + QStringLiteral("lock");
}

QString originName(const QString &copy)
{
    return copy.left(copy.size() - PlanFile::suffix().size()) + QStringLiteral("origin");
}

// A lock held by a living program stays held however old it is.
std::unique_ptr<QLockFile> takeLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

void removeCopy(const QString &copy)
{
    QFile::remove(copy);
    QFile::remove(originName(copy));
}

} // namespace

QString RecoveryStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/fenwarde/recovery");
}

RecoveryStore::RecoveryStore(const QString &folder)
    : m_folder(folder), m_name(QStringLiteral("%1-%2.%3")
                                   .arg(QCoreApplication::applicationPid())
                                   .arg(QDateTime::currentMSecsSinceEpoch())
                                   .arg(PlanFile::suffix()))
{
}

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::save(const Plan &plan, const QString &planPath, QString *reason)
{
    if (!QDir().mkpath(m_folder)) {
        *reason = QStringLiteral("cannot make the folder %1").arg(m_folder);
        return false;
    }
    const QString copy = QDir(m_folder).filePath(m_name);
    if (!m_lock)
        m_lock = takeLock(lockName(copy));
    return FileReplacer::replace(originName(copy), planPath.toUtf8(), reason) &&
           PlanFile::write(copy, plan, reason);
}

void RecoveryStore::discard()
{
    if (!m_lock)
        return;
    removeCopy(QDir(m_folder).filePath(m_name));
    m_lock.reset();
}

std::optional<RecoveryStore::Copy> RecoveryStore::claimLeftCopy()
{
    const QFileInfoList copies = QDir(m_folder).entryInfoList(
        {QStringLiteral("*.") + PlanFile::suffix()}, QDir::Files, QDir::Time);
    for (const QFileInfo &info : copies) {
        const QString file = info.filePath();
        if (info.fileName() == m_name)
            continue;
        std::unique_ptr<QLockFile> lock = takeLock(lockName(file));
        if (!lock)
            continue;
        Copy copy;
        QString reason;
        QByteArray origin;
        if (!PlanFile::read(file, &copy.plan, &reason) ||
            (QFile::exists(originName(file)) &&
             !RegularFile::read(originName(file), MaxPathBytes, &origin, &reason))) {
            qWarning().noquote()
                << QStringLiteral("The recovery copy %1 was deleted: %2.").arg(file, reason);
            removeCopy(file);
            continue;
        }
        copy.planPath = QString::fromUtf8(origin);
        copy.file = file;
        m_claimed = std::move(lock);
        return copy;
    }
    return std::nullopt;
}

void RecoveryStore::drop(const Copy &copy)
{
    removeCopy(copy.file);
    m_claimed.reset();
}
