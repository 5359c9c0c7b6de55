// Times what a large site costs: opening and saving a plan of 200 poles
// and writing the site report of 50 poles as PDF and as a spreadsheet,
// median and worst case over several runs. A timing tool, not a test.
//
// Usage: plan-bench [runs]   (default 20 runs of the plan, 3 of the reports)

#include "languagefile.h"
#include "languagetable.h"
#include "planfile.h"
#include "recordfields.h"
#include "sitereport.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace
{

// Poles of every scenario with settings that differ from pole to pole, as
// a real site's do.
Plan plan(int poles)
{
    Plan site;
    site.siteName = QStringLiteral("Depot");
    site.siteNote = QStringLiteral("Gates, lanes and the yard");
    for (int i = 0; i < poles; ++i) {
        PlanPole pole;
        pole.name = QStringLiteral("Pole %1").arg(i + 1);
        pole.note = QStringLiteral("Mast %1 by the fence").arg(i + 1);
        pole.record = RecordFields::presets();
        pole.record.scenario = 1 + i % 3;
        pole.record.horizontalAngle = 0;
        pole.record.sensorWidth = 4.8;
        pole.record.sensorHeight = 3.6;
        pole.record.focalLength = 4 + (i % 40) * 0.5;
        pole.record.pitchAngle = 5 + i % 20;
        pole.record.ipcHeight = 3 + (i % 10) * 0.25;
        site.poles << pole;
    }
    return site;
}

void report(QTextStream &out, const char *what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    out << what << ": median " << times[times.size() / 2] << " ms, worst " << times.back()
        << " ms\n";
}

std::vector<double> timed(int runs, const std::function<bool()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!work())
            return {};
        times.push_back(timer.nsecsElapsed() / 1.0e6);
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 20;
    QTextStream out(stdout);
    loadLanguageTable(languageFolder() + QStringLiteral("/ENU.xml"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("site.fenwarde"));
    QString reason;

    const Plan large = plan(200);
    const std::vector<double> saves =
        timed(runs, [&] { return PlanFile::write(file, large, &reason); });
    Plan read;
    const std::vector<double> opens =
        timed(runs, [&] { return PlanFile::read(file, &read, &reason); });
    const Plan fifty = plan(50);
    const auto site = [&](const char *suffix) {
        return timed(qMax(1, runs / 7), [&] {
            return SiteReport::write(fifty, dir.filePath(QStringLiteral("site.") + suffix),
                                     SiteReport::defaultPictureSize(), 1.0,
                                     &reason) == ReportExport::Outcome::Written;
        });
    };
    const std::vector<double> pdf = site("pdf");
    const std::vector<double> xlsx = site("xlsx");
    if (saves.empty() || opens.empty() || pdf.empty() || xlsx.empty() ||
        read.poles.size() != large.poles.size()) {
        out << "failed: " << reason << "\n";
        return 1;
    }
    out << "plan of 200 poles, " << QFileInfo(file).size() << " bytes, runs: " << runs << "\n";
    report(out, "save 200 poles (aim < 50 ms)", saves);
    report(out, "open 200 poles (aim < 50 ms)", opens);
    report(out, "site PDF of 50 poles (aim < 2000 ms)", pdf);
    report(out, "site spreadsheet of 50 poles", xlsx);
    return 0;
}
