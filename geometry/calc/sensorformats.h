#pragma once

#include <QString>
#include <QVector>

// The camera sensor formats the panel offers, by the name the installer
// knows them by, with the sensor's size in millimetres.
struct SensorFormat {
    QString name;
    double width;
    double height;
};

// In the order the panel's list first holds them.
const QVector<SensorFormat> &sensorFormats();

// The name of the format with this size, or an empty string.
QString sensorFormatName(double width, double height);
