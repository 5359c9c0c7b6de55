// Times the program's start: from process start to the first complete frame
// of its window, against a bare Qt window of the same size that shows one
// label, started the same number of times in the same run. It also reports
// the peak resident memory (VmHWM) of both once their first frame is up.
//
// Usage: startup-bench [starts]   (default 15; run it offscreen or under X)
//
// The tool starts copies of itself in probe mode: "--probe fenwarde" runs the
// program's own start-up, "--probe bare" the bare window. A probe prints the
// monotonic clock at its first frame and its VmHWM, then quits.
//
// The program tells Qt not to load OpenGL, which it never uses; on X11 that
// spares it the driver stack a bare window loads. "--probe bare-nogl" is the
// bare window started the same way, so the cost of the program's own work
// can be read apart from that saving.

#include "programstart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace
{

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Reports once the window's first paint has been handled and the event loop
// is idle again, which is when the frame is complete on screen.
class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                std::printf("frame %lld %lld\n", monotonicNanoseconds(), peakResidentKiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

int probe(int argc, char **argv, const char *what)
{
    FirstFrame watcher;
    FirstFrame *frame = &watcher;
    const bool noGl = std::strcmp(what, "bare-nogl") == 0;
    if (noGl && !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    if (noGl || std::strcmp(what, "bare") == 0) {
        QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
        QApplication app(argc, argv);
        QLabel label(QStringLiteral("Fenwarde"));
        label.resize(1354, 720);
        label.installEventFilter(frame);
        label.show();
        return app.exec();
    }
    // The program takes its one argument as a plan to open; the probe's
    // own arguments are no plan.
    int programOnly = 1;
    return runFenwarde(programOnly, argv, [frame](QWidget *window) {
        // The view draws its scene in its viewport.
        for (QObject *child : window->children())
            child->installEventFilter(frame);
        window->installEventFilter(frame);
    });
}

struct Run {
    double milliseconds;
    qint64 peakKiB;
};

bool startOnce(const QString &self, const QString &what, Run *run)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 started = monotonicNanoseconds();
    process.start(self, {QStringLiteral("--probe"), what});
    if (!process.waitForFinished(60000))
        return false;
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 3 || fields.at(0) != "frame")
        return false;
    run->milliseconds = (fields.at(1).toLongLong() - started) / 1e6;
    run->peakKiB = fields.at(2).toLongLong();
    return true;
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--probe") == 0)
        return probe(argc, argv, argv[2]);

    QCoreApplication app(argc, argv);
    const int starts = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;
    const QString self = QCoreApplication::applicationFilePath();
    QTextStream out(stdout);

    constexpr int Kinds = 3;
    std::vector<double> times[Kinds];
    std::vector<qint64> peaks[Kinds];
    const QString kinds[Kinds] = {QStringLiteral("fenwarde"), QStringLiteral("bare"),
                                  QStringLiteral("bare-nogl")};
    // Alternating keeps a slow moment of the machine from landing on one kind.
    for (int i = 0; i < starts; ++i) {
        for (int k = 0; k < Kinds; ++k) {
            Run run{};
            if (!startOnce(self, kinds[k], &run)) {
                QTextStream(stderr) << "startup-bench: the " << kinds[k] << " probe failed\n";
                return 1;
            }
            times[k].push_back(run.milliseconds);
            peaks[k].push_back(run.peakKiB);
        }
    }

    const double program = median(times[0]);
    const double bare = median(times[1]);
    const double bareNoGl = median(times[2]);
    const qint64 programPeak = median(peaks[0]);
    const qint64 barePeak = median(peaks[1]);
    out << "platform " << qgetenv("QT_QPA_PLATFORM") << ", " << starts << " starts each\n";
    out << QString::asprintf("first frame  fenwarde %.1f ms   bare %.1f ms   ratio %.2f\n", program,
                             bare, program / bare);
    out << QString::asprintf("without GL   fenwarde %.1f ms   bare %.1f ms   ratio %.2f\n", program,
                             bareNoGl, program / bareNoGl);
    out << QString::asprintf("peak memory  fenwarde %lld KiB   bare %lld KiB   ratio %.2f\n",
                             programPeak, barePeak, double(programPeak) / double(barePeak));
    return 0;
}
