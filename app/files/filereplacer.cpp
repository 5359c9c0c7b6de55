#include "filereplacer.h"

#include "regularfile.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{

// The file a chain of links ends at, as QSaveFile finds it.
QString finalTarget(const QString &path)
{
    constexpr int MaxLinks = 40;
    QFileInfo info(path);
    for (int depth = 0; depth < MaxLinks && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

// Qt's buffered write reports "Unknown error" when the disk fills part way
// through a block; writing directly keeps the system's own reason.
bool writeFully(QFileDevice &file, const QByteArray &bytes, QString *reason)
{
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *reason = QStringLiteral("not every byte was written (%1)")
                          .arg(qt_error_string(written < 0 ? errno : ENOSPC));
            return false;
        }
        done += written;
    }
    // Some file systems report a full disk only here. One that cannot sync
    // at all says so with EINVAL, which is no failure of the write.
    if (::fsync(fd) != 0 && errno != EINVAL) {
        *reason = QStringLiteral("not every byte was written (%1)").arg(qt_error_string(errno));
        return false;
    }
    return true;
#else
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    *reason = QStringLiteral("not every byte was written (%1)").arg(file.errorString());
    return false;
#endif
}

// A new file gets the permissions any new file of this process gets; a
// replaced one keeps its own.
bool takePermissions(QFileDevice &file, const QString &target, bool replacing, QString *reason)
{
#ifdef Q_OS_UNIX
    mode_t mode = 0;
    if (replacing) {
        struct stat status {
        };
        if (::stat(QFile::encodeName(target).constData(), &status) != 0) {
            *reason = qt_error_string(errno);
            return false;
        }
        mode = status.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.handle(), mode) != 0) {
        *reason = qt_error_string(errno);
        return false;
    }
    return true;
#else
    if (!replacing || file.setPermissions(QFileInfo(target).permissions()))
        return true;
    *reason = file.errorString();
    return false;
#endif
}

} // namespace

bool FileReplacer::replace(const QString &path, const QByteArray &bytes, QString *reason)
{
    *reason = RegularFile::refusal(path, true);
    if (!reason->isEmpty())
        return false;
    const QString target = finalTarget(path);
    const QFileInfo info(target);
    const bool replacing = info.exists();
    if (replacing && !info.isWritable()) {
        *reason = QStringLiteral("it is not writable");
        return false;
    }

    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.fenwarde-XXXXXX"));
    if (!temporary.open()) {
        *reason = temporary.errorString();
        return false;
    }
    if (!takePermissions(temporary, target, replacing, reason) ||
        !writeFully(temporary, bytes, reason))
        return false;
    temporary.close();
    if (temporary.error() != QFileDevice::NoError) {
        *reason = temporary.errorString();
        return false;
    }
    // rename() replaces the target in one step, where QFile::rename would
    // refuse an existing one.
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        *reason = qt_error_string(errno);
        return false;
    }
    temporary.setAutoRemove(false);
    return true;
}
