#include "geometryfixtures.h"

#include "languagetable.h"

#include <QCoreApplication>
#include <QFile>

SceneParams GeometryFixtures::lanes(int pitch, int maxPixels, int minPixels)
{
    SceneParams p;
    p.scenario = 2;
    p.plateType = 1;
    p.pitchAngle = pitch;
    p.maxPixels = maxPixels;
    p.minPixels = minPixels;
    p.resolutionWidth = 1920;
    p.resolutionHeight = 1080;
    p.lanesNum = 2;
    p.lanesWidth = 3.75;
    p.focalLength = 8;
    p.sensorWidth = 4.8;
    p.sensorHeight = 3.6;
    p.ipcHeight = 6;
    return p;
}

SceneParams GeometryFixtures::capture(int pitch, double captureDistance, double targetHeight)
{
    SceneParams p = lanes(pitch, 200, 100);
    p.scenario = 3;
    p.captureDistance = captureDistance;
    p.targetHeight = targetHeight;
    return p;
}

SceneParams GeometryFixtures::person()
{
    SceneParams p;
    p.scenario = 1;
    p.plateType = 1;
    p.pitchAngle = 10;
    p.minPixels = 120;
    p.maxPixels = 320;
    p.resolutionWidth = 3840;
    p.resolutionHeight = 2160;
    p.lanesWidth = 3.75;
    p.focalLength = 12;
    p.targetHeight = 1.6;
    p.sensorWidth = 4.8;
    p.sensorHeight = 3.6;
    p.ipcHeight = 2.5;
    p.captureDistance = 40;
    return p;
}

bool GeometryFixtures::loadEnglish()
{
    const QString file =
        QCoreApplication::applicationDirPath() + QStringLiteral("/language/ENU.xml");
    if (!QFile::exists(file))
        return false;
    loadLanguageTable(file);
    return true;
}
