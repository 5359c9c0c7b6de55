#include "reportfile.h"

#include "filereplacer.h"

bool writeReportFile(const QString &fileName, const QByteArray &bytes, QString *errorString)
{
    QString reason;
    if (FileReplacer::replace(fileName, bytes, &reason))
        return true;
    if (errorString)
        *errorString = QStringLiteral("cannot write %1: %2").arg(fileName, reason);
    return false;
}
