#include "samplecameras.h"

SceneParams SampleCameras::lanes(int pitch, int maxPixels, int minPixels)
{
    SceneParams p;
    p.scenario = Scenario::Lanes;
    p.plateType = PlateType::Width520;
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

SceneParams SampleCameras::capture(int pitch, double captureDistance, double targetHeight)
{
    SceneParams p = lanes(pitch, 200, 100);
    p.scenario = Scenario::Capture;
    p.captureDistance = captureDistance;
    p.targetHeight = targetHeight;
    return p;
}

SceneParams SampleCameras::person()
{
    SceneParams p;
    p.scenario = Scenario::Person;
    p.plateType = PlateType::Width520;
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
