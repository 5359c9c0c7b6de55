#pragma once

#include <QByteArray>
#include <QString>

// The gate every file of the program passes before it is opened: language
// files, settings and reports. Only a regular file, or a link to one, is
// opened. A named pipe would block the program in open() for ever, a device
// such as /dev/zero reads without end, and a device replaced by a renamed
// file is destroyed, so all of them are refused with a reason a user can act
// on.
class RegularFile final
{
public:
    enum class Kind { Missing, Regular, Folder, Pipe, Device, Socket };

    // What stands at path, links followed; a dangling link is Missing.
    static Kind kindOf(const QString &path);

    // Empty when path may be opened: a regular file, a link to one or, when
    // mayBeMissing, nothing at all. Otherwise why not, as "it is a named
    // pipe".
    static QString refusal(const QString &path, bool mayBeMissing);

    // Reads the whole of a regular file of at most maxBytes. The kind is
    // checked on the opened file as well, so a pipe put in its place after
    // the check cannot block the read. False, with the reason, otherwise.
    static bool read(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *reason);
};
