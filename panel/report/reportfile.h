#pragma once

#include <QByteArray>
#include <QString>

// Puts a finished report on disk. A regular file, new or existing, is written
// beside itself and replaces the old one only when every byte of the new one
// has been written, so a failed export never destroys an earlier report. A
// device or pipe is written directly and never renamed over. Returns false,
// with the reason in errorString, when not every byte arrived.
bool writeReportFile(const QString &fileName, const QByteArray &bytes, QString *errorString);
