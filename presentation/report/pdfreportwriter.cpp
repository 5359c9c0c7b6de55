#include "pdfreportwriter.h"

#include "reportcontent.h"
#include "reportfile.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace
{

constexpr int Resolution = 300;
constexpr int PictureTop = 360;
constexpr int PictureGap = 160;
constexpr int RowHeight = 100;
constexpr int WideColumns = 4;
constexpr int WideShift = 60;
constexpr int NarrowColumns = 2;
constexpr int NarrowShift = 400;
constexpr int CellPadding = 10;
constexpr int MinTextPixels = 20;
constexpr int WarningGap = 60;

void append(QStringList &texts, const ReportItem &item)
{
    texts << item.caption << item.text();
}

QStringList firstTable(const ReportContent &c)
{
    QStringList t;
    for (const ReportItem *item :
         {&c.model, &c.sensor, &c.poleHeight, &c.focalLength, &c.pitch, &c.resolution})
        append(t, *item);
    switch (c.scenario) {
    case 1:
        for (const ReportItem *item :
             {&c.targetHeight, &c.minPixels, &c.maxPixels, &c.detectionWidth, &c.detectionRange})
            append(t, *item);
        break;
    case 2:
        for (const ReportItem *item :
             {&c.installMode, &c.plateType, &c.horizontalAngle, &c.minPixels, &c.maxPixels,
              &c.lanesNum, &c.lanesWidth, &c.detectionWidth, &c.detectionRange})
            append(t, *item);
        break;
    case 3:
        for (const ReportItem *item : {&c.targetHeight, &c.plateType, &c.platePixels,
                                       &c.vehiclePixels, &c.captureDistance, &c.facePixels})
            append(t, *item);
        break;
    default:
        break;
    }
    while (t.size() % WideColumns != 0)
        t << QString();
    return t;
}

QStringList secondTable(const ReportContent &c)
{
    QStringList t;
    if (c.scenario == 3) {
        for (const ReportItem *item : {&c.personPixels, &c.pictureWidth, &c.farEdge})
            append(t, *item);
    }
    append(t, c.nearEdge);
    return t;
}

// A text wider than its cell would be cut off at the cell's edges; it is
// drawn smaller instead, down to a size that is still legible.
QFont fittingFont(const QFont &font, const QString &text, int width, QPaintDevice *device)
{
    QFont fitted = font;
    for (int size = font.pixelSize(); size > MinTextPixels; --size) {
        if (QFontMetrics(fitted, device).horizontalAdvance(text) <= width)
            break;
        fitted.setPixelSize(size - 1);
    }
    return fitted;
}

QFont reportFont(int pixelSize, int weight)
{
    // The family names the font the report was designed with; where it is
    // missing the system's fallback chain still renders Chinese captions.
    QFont font(QStringLiteral("宋体"), 26);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

// The picture spans the page width unless that would push the tables off the
// page; then it shrinks, centred, to the height that is left.
QImage fittedPicture(const QImage &picture, int width, int heightLeft)
{
    if (picture.isNull() || width <= 0)
        return QImage();
    QImage scaled = picture.scaledToWidth(width, Qt::SmoothTransformation);
    if (scaled.height() > heightLeft && heightLeft > 0)
        scaled = picture.scaled(width, heightLeft, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return scaled;
}

} // namespace

bool PdfReportWriter::write(const ReportContent &content, const QString &fileName)
{
    m_errorString.clear();
    // The page is made in memory and goes to disk in one checked write.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    if (!paint(content, &buffer)) {
        m_errorString = QStringLiteral("cannot draw the PDF page of %1").arg(fileName);
        return false;
    }
    return writeReportFile(fileName, pdf, &m_errorString);
}

bool PdfReportWriter::paint(const ReportContent &content, QIODevice *device)
{
    QPdfWriter writer(device);
    writer.setTitle(content.title);
    writer.setCreator(reportCreator());
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setResolution(Resolution);
    writer.setPageMargins(QMarginsF(20, 30, 20, 30), QPageLayout::Point);

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int width = painter.viewport().width();

    painter.save();
    painter.setFont(reportFont(86, 60));
    painter.drawText(QRect(0, 40, width, 100), Qt::AlignCenter, content.title);
    painter.restore();

    painter.save();
    painter.setPen(QPen(Qt::black, 5));
    painter.drawLine(0, 200, width, 200);
    painter.drawLine(0, 218, width, 218);
    painter.restore();

    const QStringList first = firstTable(content);
    const QStringList second = secondTable(content);
    const int firstRows = first.size() / WideColumns;
    const int secondRows = (second.size() + NarrowColumns - 1) / NarrowColumns;
    const int tablesHeight = (firstRows + secondRows) * RowHeight;
    const QFont body = reportFont(42, 50);
    // The warning wraps over the page width below the tables.
    QRect warning;
    if (!content.warning.isEmpty()) {
        warning = QFontMetrics(body, &writer)
                      .boundingRect(QRect(0, 0, width, painter.viewport().height()),
                                    Qt::TextWordWrap, content.warning);
        warning.setHeight(warning.height() + WarningGap);
    }
    const QImage picture = fittedPicture(content.flatPicture(), width,
                                         painter.viewport().height() - PictureTop - PictureGap -
                                             tablesHeight - warning.height());
    painter.drawImage(QPoint((width - picture.width()) / 2, PictureTop), picture);

    int top = PictureTop + PictureGap + picture.height();
    drawTable(&painter, top, 0, firstRows, WideColumns, RowHeight, body, first, WideShift);
    top += firstRows * RowHeight;
    drawTable(&painter, top, 0, secondRows, NarrowColumns, RowHeight, body, second, NarrowShift);
    if (!content.warning.isEmpty()) {
        top += secondRows * RowHeight + WarningGap;
        painter.setFont(body);
        painter.drawText(QRect(0, top, width, warning.height() - WarningGap), Qt::TextWordWrap,
                         content.warning);
    }
    return painter.end();
}

void PdfReportWriter::drawTable(QPainter *painter, int top, int left, int rows, int columns,
                                int rowHeight, const QFont &font, const QStringList &texts,
                                int shift)
{
    if (!painter || columns <= 0)
        return;
    painter->save();
    painter->setFont(font);
    painter->setPen(QPen(Qt::black, 2));
    const int cell = (painter->viewport().width() - 2 * left) / columns;
    for (int r = 0; r < rows; ++r) {
        int x = left;
        const int y = top + r * rowHeight;
        for (int i = 0; i < columns; ++i) {
            const bool caption = i % 2 == 0;
            const int w = caption ? cell + shift : cell - shift;
            const QRect rect(x, y, w, rowHeight);
            painter->save();
            if (caption)
                painter->setBrush(QColor(54, 205, 225, 200));
            painter->drawRect(rect);
            painter->restore();
            const QString text = texts.value(r * columns + i);
            painter->setFont(fittingFont(font, text, w - 2 * CellPadding, painter->device()));
            painter->drawText(rect, Qt::AlignCenter, text);
            x += w;
        }
    }
    painter->restore();
}
