// Times the search behind fenwarde-calc --solve: a thousand seeded wishes
// of each kind (a person band, a lanes band, the same camera turned, plate
// and face counts at a capture point), with cameras drawn from the planning
// window's ranges, so some wishes can be met and some cannot. Prints the
// time per thousand wishes, the share met and the scenes calculated.
//
// Usage: solve-bench [wishes per kind]   (default 1000)

#include "samplecameras.h"
#include "sensorformats.h"
#include "settingsearch.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <random>
#include <vector>

namespace
{

struct Wish {
    SceneParams record;
    SolveWish wish;
};

class Draw final
{
public:
    explicit Draw(unsigned seed) : m_engine(seed) {}

    double real(double low, double high, double step)
    {
        const int steps = int((high - low) / step);
        return low + step * std::uniform_int_distribution<int>(0, steps)(m_engine);
    }
    int whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }

private:
    std::mt19937 m_engine;
};

// A camera of the given scenario with the pole, pixel limits, resolution
// and sensor a planner might pick.
SceneParams camera(Draw &draw, int scenario)
{
    static const int widths[] = {1280, 1920, 2560, 3840};
    SceneParams p = scenario == Scenario::Person ? SampleCameras::person() : SampleCameras::lanes();
    p.scenario = scenario;
    const SensorFormat &sensor = sensorFormats().at(draw.whole(0, sensorFormats().size() - 1));
    p.sensorWidth = sensor.width;
    p.sensorHeight = sensor.height;
    p.resolutionWidth = widths[draw.whole(0, 3)];
    p.plateType = draw.whole(1, 3);
    p.minPixels = draw.whole(80, 300);
    p.maxPixels = draw.whole(320, 1080);
    p.ipcHeight = scenario == Scenario::Person ? draw.real(2.5, 6, 0.01) : draw.real(3, 12, 0.01);
    p.targetHeight = draw.real(1.5, 1.9, 0.01);
    p.captureDistance = draw.real(5, 60, 0.1);
    return p;
}

std::vector<Wish> bands(Draw &draw, int count, int scenario, bool turned)
{
    std::vector<Wish> wishes;
    for (int i = 0; i < count; ++i) {
        Wish w{camera(draw, scenario), {}};
        w.record.horizontalMount = turned;
        w.record.horizontalAngle = turned ? draw.whole(5, 45) : 0;
        const double near =
            scenario == Scenario::Person ? draw.real(1, 10, 0.5) : draw.real(3, 40, 0.5);
        w.wish.wantNear = near;
        // A band the pixel limits allow in depth, though not always where
        // the picture can show it.
        const double deepest = 0.9 * w.record.maxPixels / w.record.minPixels;
        w.wish.wantFar = near * draw.real(1.2, std::max(1.3, deepest), 0.05);
        wishes.push_back(w);
    }
    return wishes;
}

std::vector<Wish> counts(Draw &draw, int count)
{
    std::vector<Wish> wishes;
    for (int i = 0; i < count; ++i) {
        Wish w{camera(draw, Scenario::Capture), {}};
        const int kind = draw.whole(0, 2);
        if (kind != 1)
            w.wish.wantPlatePixels = draw.whole(60, 300);
        if (kind != 0)
            w.wish.wantFacePixels = draw.whole(30, 150);
        wishes.push_back(w);
    }
    return wishes;
}

} // namespace

int main(int argc, char *argv[])
{
    const int count = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 1000;
    Draw draw(20260115u);
    const struct {
        const char *name;
        std::vector<Wish> wishes;
    } kinds[] = {
        {"person band", bands(draw, count, Scenario::Person, false)},
        {"lanes band", bands(draw, count, Scenario::Lanes, false)},
        {"turned lanes band", bands(draw, count, Scenario::Lanes, true)},
        {"capture counts", counts(draw, count)},
    };

    QTextStream out(stdout);
    out << "wishes per kind: " << count << "\n";
    double total = 0;
    for (const auto &kind : kinds) {
        qint64 met = 0;
        qint64 calculations = 0;
        QElapsedTimer timer;
        timer.start();
        for (const Wish &w : kind.wishes) {
            const SettingSearch search(w.record, w.wish);
            met += search.suggestions().isEmpty() ? 0 : 1;
            calculations += search.calculations();
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        total += seconds;
        out << QStringLiteral("%1 %2 s per 1000 wishes, %3% met, %4 scenes per wish\n")
                   .arg(QLatin1String(kind.name), -18)
                   .arg(seconds * 1000 / count, 6, 'f', 3)
                   .arg(100.0 * met / count, 5, 'f', 1)
                   .arg(double(calculations) / count, 7, 'f', 0);
    }
    out << QStringLiteral("%1 %2 s per 1000 wishes\n")
               .arg(QStringLiteral("all kinds"), -18)
               .arg(total * 1000 / (4.0 * count), 6, 'f', 3);
    return 0;
}
