#pragma once

#include <QByteArray>
#include <QString>

// Puts a finished report on disk. A new file, or a regular file to replace,
// is written beside itself and takes the old one's place only when every
// byte of the new one has been written, so a failed export never destroys
// an earlier report. A folder, a pipe or a device at the name is refused and
// left as it is. Returns false, with the reason in errorString, when the
// report was not written.
bool writeReportFile(const QString &fileName, const QByteArray &bytes, QString *errorString);
