// Writes the reports of one content described in JSON, for the checks that
// read them back:
//
//   report-sample CONTENT.json OUT.xlsx OUT.pdf
//
// CONTENT.json: {"scenario": 1, "title": "...", "picture": {"width": 400,
// "height": 120, "ratio": 1}, "items": {"poleHeight": ["caption", 2.5], ...}}.
// A JSON number becomes a number value, a string a text value.

#include "pdfreportwriter.h"
#include "reportcontent.h"
#include "xlsxreportwriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTextStream>

namespace
{

const struct {
    const char *name;
    ReportItem ReportContent::*item;
} itemNames[] = {
    {"model", &ReportContent::model},
    {"sensor", &ReportContent::sensor},
    {"poleHeight", &ReportContent::poleHeight},
    {"focalLength", &ReportContent::focalLength},
    {"pitch", &ReportContent::pitch},
    {"resolution", &ReportContent::resolution},
    {"targetHeight", &ReportContent::targetHeight},
    {"minPixels", &ReportContent::minPixels},
    {"maxPixels", &ReportContent::maxPixels},
    {"installMode", &ReportContent::installMode},
    {"horizontalAngle", &ReportContent::horizontalAngle},
    {"lanesNum", &ReportContent::lanesNum},
    {"lanesWidth", &ReportContent::lanesWidth},
    {"plateType", &ReportContent::plateType},
    {"captureDistance", &ReportContent::captureDistance},
    {"detectionWidth", &ReportContent::detectionWidth},
    {"detectionRange", &ReportContent::detectionRange},
    {"nearEdge", &ReportContent::nearEdge},
    {"pictureWidth", &ReportContent::pictureWidth},
    {"farEdge", &ReportContent::farEdge},
    {"platePixels", &ReportContent::platePixels},
    {"vehiclePixels", &ReportContent::vehiclePixels},
    {"facePixels", &ReportContent::facePixels},
    {"personPixels", &ReportContent::personPixels},
};

// A few shapes on the scene's grey, so the picture is neither blank nor text.
QImage picture(const QJsonObject &shape)
{
    const QSize size(shape.value(QStringLiteral("width")).toInt(),
                     shape.value(QStringLiteral("height")).toInt());
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(239, 239, 239));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 128, 0));
    painter.drawEllipse(QRectF(image.rect()).adjusted(10, 10, -10, -10));
    painter.setBrush(QColor(1, 185, 209));
    painter.drawRect(QRect(QPoint(0, 0), size / 4));
    painter.end();
    image.setDevicePixelRatio(shape.value(QStringLiteral("ratio")).toDouble(1.0));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: report-sample CONTENT.json OUT.xlsx OUT.pdf\n";
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        err << "cannot read " << input.fileName() << "\n";
        return 2;
    }
    const QJsonObject json = QJsonDocument::fromJson(input.readAll()).object();

    ReportContent content;
    content.scenario = json.value(QStringLiteral("scenario")).toInt();
    content.title = json.value(QStringLiteral("title")).toString();
    content.picture = picture(json.value(QStringLiteral("picture")).toObject());
    const QJsonObject items = json.value(QStringLiteral("items")).toObject();
    for (const auto &named : itemNames) {
        const QJsonArray pair = items.value(QLatin1String(named.name)).toArray();
        ReportItem &item = content.*named.item;
        item.caption = pair.at(0).toString();
        const QJsonValue value = pair.at(1);
        item.value = value.isDouble() ? QVariant(value.toDouble()) : value.toVariant();
    }

    XlsxReportWriter xlsx;
    const bool xlsxOk = xlsx.write(content, QString::fromLocal8Bit(argv[2]));
    if (!xlsxOk)
        err << xlsx.errorString() << "\n";
    PdfReportWriter pdf;
    const bool pdfOk = pdf.write(content, QString::fromLocal8Bit(argv[3]));
    if (!pdfOk)
        err << pdf.errorString() << "\n";
    return xlsxOk && pdfOk ? 0 : 1;
}
