// Times one full repaint of the scene (calculation and painting into a
// picture) for a record of each scenario and one with the horizontal
// correction, at the panel's usual size and at a large high-density size.
//
// Usage: scene-bench [repaints]   (default 200)

#include "languagetable.h"
#include "scenecalculation.h"
#include "scenepainter.h"
#include "sceneparams.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace
{

struct Case {
    const char *name;
    SceneParams params;
};

SceneParams lanes()
{
    SceneParams p;
    p.scenario = 2;
    p.sensorWidth = 4.8;
    p.sensorHeight = 3.6;
    p.focalLength = 8;
    p.pitchAngle = 15;
    p.ipcHeight = 6;
    p.plateType = 1;
    p.minPixels = 100;
    p.maxPixels = 200;
    p.resolutionWidth = 1920;
    p.resolutionHeight = 1080;
    p.lanesNum = 2;
    p.lanesWidth = 3.75;
    p.targetHeight = 1.7;
    return p;
}

std::vector<Case> cases()
{
    SceneParams person;
    person.scenario = 1;
    person.sensorWidth = 4.8;
    person.sensorHeight = 3.6;
    person.focalLength = 12;
    person.pitchAngle = 10;
    person.ipcHeight = 2.5;
    person.targetHeight = 1.6;
    person.minPixels = 80;
    person.maxPixels = 320;
    person.resolutionWidth = 3840;
    person.resolutionHeight = 2160;

    SceneParams capture = lanes();
    capture.scenario = 3;
    capture.captureDistance = 12;

    SceneParams turned = lanes();
    turned.horizontalMount = true;
    turned.horizontalAngle = 10;

    return {{"person", person}, {"lanes", lanes()}, {"capture", capture}, {"turned", turned}};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    loadLanguageTable(QCoreApplication::applicationDirPath() + QStringLiteral("/language/ENU.xml"));
    const int repaints = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 200;

    QTextStream out(stdout);
    out << "repaints per case: " << repaints << "\n";
    for (const QSize size : {QSize(1354, 660), QSize(2560, 1300)}) {
        const qreal scale = size.width() > 2000 ? 2.0 : 1.0;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        for (const Case &c : cases()) {
            std::vector<double> times;
            times.reserve(repaints);
            for (int i = 0; i < repaints; ++i) {
                QElapsedTimer timer;
                timer.start();
                image.fill(QColor(239, 239, 239));
                QPainter painter(&image);
                ScenePainter::render(painter, c.params, computeScene(c.params), size, scale);
                painter.end();
                times.push_back(timer.nsecsElapsed() / 1.0e6);
            }
            std::sort(times.begin(), times.end());
            out << QStringLiteral("%1x%2 scale %3 %4: median %5 ms, max %6 ms\n")
                       .arg(size.width())
                       .arg(size.height())
                       .arg(scale)
                       .arg(QLatin1String(c.name), -8)
                       .arg(times[times.size() / 2], 0, 'f', 2)
                       .arg(times.back(), 0, 'f', 2);
        }
    }
    return 0;
}
