#pragma once

#include <QByteArray>
#include <QString>

// Puts new contents in place of a file as a whole. The bytes go to a
// temporary file beside the target, which takes the target's place only
// once every byte has reached the disk, so a failed write never destroys
// what was there. The temporary name is short: a target whose name is as
// long as the system allows can be replaced as well as created.
//
// Only a new name, a regular file or a link to one is written; a link stays
// a link and its file gets the contents. A replaced file keeps its
// permissions. Folders, pipes and devices are refused (RegularFile).
class FileReplacer final
{
public:
    // False, with the system's reason, when the file was left as it was.
    static bool replace(const QString &path, const QByteArray &bytes, QString *reason);
};
