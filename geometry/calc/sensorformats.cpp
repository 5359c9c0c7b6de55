#include "sensorformats.h"

const QVector<SensorFormat> &sensorFormats()
{
    static const QVector<SensorFormat> formats = {
        {QStringLiteral("1/3''"), 4.8, 3.6},
        {QStringLiteral("1/2.8''"), 5.1, 3.82},
        {QStringLiteral("1/2.7''"), 5.38, 4.03},
        {QStringLiteral("1/1.8''"), 7.18, 5.32},
    };
    return formats;
}

QString sensorFormatName(double width, double height)
{
    for (const SensorFormat &format : sensorFormats()) {
        if (format.width == width && format.height == height)
            return format.name;
    }
    return QString();
}
