#include "regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{

#ifdef Q_OS_UNIX
RegularFile::Kind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return RegularFile::Kind::Regular;
    if (S_ISDIR(mode))
        return RegularFile::Kind::Folder;
    if (S_ISFIFO(mode))
        return RegularFile::Kind::Pipe;
    if (S_ISSOCK(mode))
        return RegularFile::Kind::Socket;
    return RegularFile::Kind::Device;
}
#endif

// The kind, or Missing with the system's reason when nothing can be found
// there; the reason stays empty when there is simply nothing.
RegularFile::Kind lookUp(const QString &path, QString *reason)
{
    if (path.isEmpty()) {
        *reason = QStringLiteral("no file name given");
        return RegularFile::Kind::Missing;
    }
#ifdef Q_OS_UNIX
    struct stat status {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return kindOfMode(status.st_mode);
    if (errno != ENOENT)
        *reason = qt_error_string(errno);
    return RegularFile::Kind::Missing;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return RegularFile::Kind::Missing;
    if (info.isDir())
        return RegularFile::Kind::Folder;
    return info.isFile() ? RegularFile::Kind::Regular : RegularFile::Kind::Device;
#endif
}

QString describe(RegularFile::Kind kind)
{
    switch (kind) {
    case RegularFile::Kind::Missing:
        return QStringLiteral("it does not exist");
    case RegularFile::Kind::Regular:
        return QString();
    case RegularFile::Kind::Folder:
        return QStringLiteral("it is a folder");
    case RegularFile::Kind::Pipe:
        return QStringLiteral("it is a named pipe");
    case RegularFile::Kind::Device:
        return QStringLiteral("it is a device");
    case RegularFile::Kind::Socket:
        return QStringLiteral("it is a socket");
    }
    return QString();
}

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("it is larger than %1 bytes").arg(maxBytes);
}

} // namespace

RegularFile::Kind RegularFile::kindOf(const QString &path)
{
    QString ignored;
    return lookUp(path, &ignored);
}

QString RegularFile::refusal(const QString &path, bool mayBeMissing)
{
    QString reason;
    const Kind kind = lookUp(path, &reason);
    if (!reason.isEmpty())
        return reason;
    if (kind == Kind::Missing && mayBeMissing)
        return QString();
    return describe(kind);
}

bool RegularFile::read(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *reason)
{
    *reason = refusal(path, false);
    if (!reason->isEmpty())
        return false;
    QFile file;
#ifdef Q_OS_UNIX
    // Opening without blocking, then asking the open file what it is, leaves
    // no moment in which a pipe put at the name could stop the program.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *reason = qt_error_string(errno);
        return false;
    }
    struct stat status {
    };
    const bool known = ::fstat(fd, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        *reason = known ? describe(kindOfMode(status.st_mode)) : qt_error_string(errno);
        ::close(fd);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *reason = file.errorString();
        return false;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
#endif
    if (file.size() > maxBytes) {
        *reason = tooLarge(maxBytes);
        return false;
    }
    // A file that grows while it is read is still cut off at the bound.
    bytes->clear();
    while (bytes->size() <= maxBytes) {
        const QByteArray chunk = file.read(qMin<qint64>(1 << 16, maxBytes + 1 - bytes->size()));
        if (chunk.isEmpty())
            break;
        bytes->append(chunk);
    }
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return false;
    }
    if (bytes->size() > maxBytes) {
        bytes->clear();
        *reason = tooLarge(maxBytes);
        return false;
    }
    return true;
}
