#include "resolutiontext.h"

#include <QStringList>

bool splitResolution(const QString &text, int *width, int *height)
{
    *width = 0;
    *height = 0;
    const QStringList parts = text.split(QLatin1Char('*'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() != 2)
        return false;
    *width = parts.at(0).trimmed().toInt(nullptr, 10);
    *height = parts.at(1).trimmed().toInt(nullptr, 10);
    return true;
}
