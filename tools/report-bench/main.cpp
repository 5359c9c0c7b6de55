// Times writing a typical report, from the finished content to the closed
// file, in both formats: median and worst case over several runs, and the
// median processor time, which a busy machine disturbs less. A timing tool,
// not a test.
//
// Usage: report-bench [runs] [scene.png]   (default 30 runs; without a
// picture file a 1000 x 560 stand-in for the scene is drawn)

#include "pdfreportwriter.h"
#include "reportcontent.h"
#include "xlsxreportwriter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

#include <algorithm>
#include <functional>
#include <vector>

namespace
{

// Ground, a road with lanes, a footprint and labels: colours and edges much
// like the scene's, so the picture compresses as the real one does.
QImage standInScene()
{
    QImage image(1000, 560, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(239, 239, 239));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 200, 200));
    p.drawPolygon(QPolygonF({{350, 560}, {650, 560}, {560, 40}, {440, 40}}));
    p.setPen(QPen(Qt::white, 4, Qt::DashLine));
    p.drawLine(500, 560, 500, 40);
    p.setPen(QPen(QColor(1, 185, 209), 2));
    p.setBrush(QColor(1, 185, 209, 60));
    p.drawPolygon(QPolygonF({{300, 480}, {700, 480}, {620, 150}, {380, 150}}));
    p.setPen(Qt::black);
    for (int i = 0; i < 8; ++i)
        p.drawText(QPointF(720, 160 + 40 * i), QStringLiteral("L%1 = %2 m").arg(i).arg(i * 3.7));
    return image;
}

ReportContent typicalContent(const QImage &picture)
{
    auto text = [](const char *caption, const char *value) {
        return ReportItem{QString::fromUtf8(caption), QString::fromUtf8(value)};
    };
    auto number = [](const char *caption, double value) {
        return ReportItem{QString::fromUtf8(caption), value};
    };
    ReportContent c;
    c.scenario = 3;
    c.title = QStringLiteral("摄像机安装规划报告");
    c.model = text("模式:", "抓拍点");
    c.sensor = text("Sensor型号:", "1/3''");
    c.poleHeight = number("架杆高度(m)", 2.5);
    c.focalLength = number("焦距(mm)", 12);
    c.pitch = text("俯仰角(°)", "10");
    c.resolution = text("分辨率:", "3840 * 2160");
    c.targetHeight = number("目标身高(m)", 1.6);
    c.plateType = text("车牌类型:", "车牌宽0.52m");
    c.captureDistance = number("抓拍点距离(L3):", 40);
    c.pictureWidth = text("摄像机画面宽度范围(W1-W2):", "1.05m - 25.10m");
    c.farEdge = text("画面上边缘与架杆水平距离(L2):", "∞");
    c.nearEdge = text("画面下边缘与架杆水平距离(L1):", "2.63m");
    c.platePixels = text("车牌像素值范围:", "118 - 560");
    c.vehiclePixels = text("车辆像素值范围:", "301 - 1400");
    c.facePixels = text("目标像素值范围:", "41 - 210");
    c.personPixels = text("目标整体像素值范围:", "297 - 1500");
    c.picture = picture;
    return c;
}

double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1.0e3 + now.tv_nsec / 1.0e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 30;
    const QImage picture = argc > 2 ? QImage(QString::fromLocal8Bit(argv[2])) : standInScene();
    QTextStream out(stdout);
    if (picture.isNull()) {
        out << "cannot read the picture\n";
        return 1;
    }
    const ReportContent content = typicalContent(picture);
    QTemporaryDir dir;

    const std::vector<std::pair<const char *, std::function<bool(const QString &)>>> formats = {
        {"xlsx", [&](const QString &f) { return XlsxReportWriter().write(content, f); }},
        {"pdf", [&](const QString &f) { return PdfReportWriter().write(content, f); }},
    };
    out << "picture " << picture.width() << "x" << picture.height() << ", runs: " << runs << "\n";
    for (const auto &format : formats) {
        const QString file = dir.filePath(QStringLiteral("report.") + format.first);
        std::vector<double> times;
        std::vector<double> processor;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            const double start = processorMilliseconds();
            if (!format.second(file)) {
                out << format.first << ": writing failed\n";
                return 1;
            }
            processor.push_back(processorMilliseconds() - start);
            times.push_back(timer.nsecsElapsed() / 1.0e6);
        }
        std::sort(times.begin(), times.end());
        std::sort(processor.begin(), processor.end());
        out << QStringLiteral("%1: median %2 ms, max %3 ms, processor median %4 ms, %5 bytes\n")
                   .arg(QLatin1String(format.first), -5)
                   .arg(times[times.size() / 2], 0, 'f', 2)
                   .arg(times.back(), 0, 'f', 2)
                   .arg(processor[processor.size() / 2], 0, 'f', 2)
                   .arg(QFileInfo(file).size());
    }
    return 0;
}
