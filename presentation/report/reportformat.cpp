#include "reportformat.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace ReportFormat
{
Kind of(const QString &fileName)
{
    return ofSuffix(QFileInfo(fileName).suffix());
}

Kind ofSuffix(const QString &suffix)
{
    if (suffix.compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return Spreadsheet;
    if (suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return Pdf;
    return Unknown;
}

QString withSuffix(const QString &fileName, const QString &defaultSuffix)
{
    if (defaultSuffix.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    // "plan." already has its dot.
    if (fileName.endsWith(QLatin1Char('.')))
        return fileName + defaultSuffix;
    return fileName + QLatin1Char('.') + defaultSuffix;
}

QString suffixOfFilter(const QString &filter)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}
} // namespace ReportFormat
