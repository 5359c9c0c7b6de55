// Times one full repaint of the scene (calculation and painting into a
// picture) for a record of each scenario and one with the horizontal
// correction, at the panel's usual size and at a large high-density size;
// each with the density zones off and on, and what the zones add.
//
// Usage: scene-bench [repaints]   (default 200)

#include "languagefile.h"
#include "languagetable.h"
#include "samplecameras.h"
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

std::vector<Case> cases()
{
    SceneParams turned = SampleCameras::lanes();
    turned.horizontalMount = true;
    turned.horizontalAngle = 10;

    return {{"person", SampleCameras::person()},
            {"lanes", SampleCameras::lanes()},
            {"capture", SampleCameras::capture()},
            {"turned", turned}};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    loadLanguageTable(languageFolder() + QStringLiteral("/ENU.xml"));
    const int repaints = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 200;

    QTextStream out(stdout);
    out << "repaints per case: " << repaints << "\n";
    for (const QSize size : {QSize(1354, 660), QSize(1354, 720), QSize(2560, 1300)}) {
        const qreal scale = size.width() > 2000 ? 2.0 : 1.0;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        for (const Case &c : cases()) {
            // Zones off and on in turn, so both meet the same machine load.
            std::vector<double> times[2];
            for (int i = 0; i < 2 * repaints; ++i) {
                SceneOptions options;
                options.densityZones = i % 2 == 1;
                QElapsedTimer timer;
                timer.start();
                image.fill(QColor(239, 239, 239));
                QPainter painter(&image);
                ScenePainter::render(painter, c.params, computeScene(c.params), size, scale,
                                     SceneColours(), options);
                painter.end();
                times[i % 2].push_back(timer.nsecsElapsed() / 1.0e6);
            }
            for (std::vector<double> &t : times)
                std::sort(t.begin(), t.end());
            const double off = times[0][times[0].size() / 2];
            const double on = times[1][times[1].size() / 2];
            out << QStringLiteral("%1x%2 scale %3 %4: median %5 ms, max %6 ms; zones on "
                                  "median %7 ms (+%8 ms)\n")
                       .arg(size.width())
                       .arg(size.height())
                       .arg(scale)
                       .arg(QLatin1String(c.name), -8)
                       .arg(off, 0, 'f', 2)
                       .arg(times[0].back(), 0, 'f', 2)
                       .arg(on, 0, 'f', 2)
                       .arg(on - off, 0, 'f', 3);
        }
    }
    return 0;
}
