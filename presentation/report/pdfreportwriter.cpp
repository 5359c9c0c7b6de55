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

#include <numeric>

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

// Widths for columns that need these widths, filling width: all of them
// grown alike when they fit, else the narrow ones whole and the wide ones
// sharing what is left.
QVector<int> shares(const QVector<int> &need, int width)
{
    QVector<int> widths(need.size(), 0);
    const int total = std::accumulate(need.begin(), need.end(), 0);
    if (total <= width) {
        for (int c = 0; c < need.size(); ++c)
            widths[c] = total > 0 ? int(qint64(need.at(c)) * width / total) : 0;
        return widths;
    }
    QVector<bool> fixed(need.size(), false);
    int left = width;
    int open = need.size();
    for (bool changed = true; changed && open > 0;) {
        changed = false;
        for (int c = 0; c < need.size(); ++c) {
            if (!fixed.at(c) && need.at(c) <= left / open) {
                fixed[c] = true;
                widths[c] = need.at(c);
                left -= need.at(c);
                --open;
                changed = true;
            }
        }
    }
    for (int c = 0; c < need.size(); ++c) {
        if (!fixed.at(c))
            widths[c] = left / open;
    }
    return widths;
}

void paintHeading(QPainter &painter, const QString &title)
{
    const int width = painter.viewport().width();
    painter.save();
    // A pole's name makes a title longer than the page is wide.
    painter.setFont(fittingFont(reportFont(86, 60), title, width, painter.device()));
    painter.drawText(QRect(0, 40, width, 100), Qt::AlignCenter, title);
    painter.restore();

    painter.save();
    painter.setPen(QPen(Qt::black, 5));
    painter.drawLine(0, 200, width, 200);
    painter.drawLine(0, 218, width, 218);
    painter.restore();
}

void paintReport(QPainter &painter, const ReportContent &content)
{
    const int width = painter.viewport().width();
    paintHeading(painter, content.title);

    const QStringList first = firstTable(content);
    const QStringList second = secondTable(content);
    const int firstRows = first.size() / WideColumns;
    const int secondRows = (second.size() + NarrowColumns - 1) / NarrowColumns;
    const int tablesHeight = (firstRows + secondRows) * RowHeight;
    const QFont body = reportFont(42, 50);
    // The warning wraps over the page width below the tables.
    QRect warning;
    if (!content.warning.isEmpty()) {
        warning = QFontMetrics(body, painter.device())
                      .boundingRect(QRect(0, 0, width, painter.viewport().height()),
                                    Qt::TextWordWrap, content.warning);
        warning.setHeight(warning.height() + WarningGap);
    }
    const QImage picture = fittedPicture(content.flatPicture(), width,
                                         painter.viewport().height() - PictureTop - PictureGap -
                                             tablesHeight - warning.height());
    painter.drawImage(QPoint((width - picture.width()) / 2, PictureTop), picture);

    int top = PictureTop + PictureGap + picture.height();
    PdfReportWriter::drawTable(&painter, top, 0, firstRows, WideColumns, RowHeight, body, first,
                               WideShift);
    top += firstRows * RowHeight;
    PdfReportWriter::drawTable(&painter, top, 0, secondRows, NarrowColumns, RowHeight, body, second,
                               NarrowShift);
    if (!content.warning.isEmpty()) {
        top += secondRows * RowHeight + WarningGap;
        painter.setFont(body);
        painter.drawText(QRect(0, top, width, warning.height() - WarningGap), Qt::TextWordWrap,
                         content.warning);
    }
}

// The summary's table: a column whose longest text fits its fair share of
// the page gets what it needs, the others share the rest and wrap; rows are
// as high as their wrapped texts, the header row shaded and repeated on
// every page.
class SummaryTable final
{
public:
    SummaryTable(QPainter &painter, const SiteReportContent &site)
        : m_painter(painter), m_site(site), m_font(reportFont(38, 50)),
          m_metrics(m_font, painter.device())
    {
        QVector<int> need;
        for (int c = 0; c < site.columns.size(); ++c) {
            int longest = m_metrics.horizontalAdvance(site.columns.at(c));
            for (const QStringList &row : site.rows)
                longest = qMax(longest, m_metrics.horizontalAdvance(row.value(c)));
            need << longest + 2 * CellPadding;
        }
        m_widths = shares(need, painter.viewport().width());
    }
    // Draws the table from top down, turning pages on writer as it fills.
    void paint(QPdfWriter &writer, int top)
    {
        const int bottom = m_painter.viewport().height();
        int y = top + paintRow(m_site.columns, top, true);
        for (const QStringList &row : m_site.rows) {
            if (y + rowHeight(row) > bottom && y > 0 && writer.newPage())
                y = paintRow(m_site.columns, 0, true);
            y += paintRow(row, y, false);
        }
    }

private:
    int rowHeight(const QStringList &row) const
    {
        int height = RowHeight;
        for (int c = 0; c < m_widths.size(); ++c) {
            const QRect room(0, 0, qMax(1, m_widths.at(c) - 2 * CellPadding), 100000);
            const int text = m_metrics.boundingRect(room, Qt::TextWordWrap, row.value(c)).height();
            height = qMax(height, text + 2 * CellPadding);
        }
        return height;
    }

    int paintRow(const QStringList &row, int top, bool header)
    {
        const int height = rowHeight(row);
        m_painter.save();
        m_painter.setFont(m_font);
        m_painter.setPen(QPen(Qt::black, 2));
        int x = 0;
        for (int c = 0; c < m_widths.size(); ++c) {
            const QRect cell(x, top, m_widths.at(c), height);
            m_painter.setBrush(header ? QBrush(QColor(54, 205, 225, 200)) : QBrush());
            m_painter.drawRect(cell);
            m_painter.drawText(cell.adjusted(CellPadding, CellPadding, -CellPadding, -CellPadding),
                               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, row.value(c));
            x += m_widths.at(c);
        }
        m_painter.restore();
        return height;
    }

    QPainter &m_painter;
    const SiteReportContent &m_site;
    QFont m_font;
    QFontMetrics m_metrics;
    QVector<int> m_widths;
};

// The site's title, name and note, then the summary table.
void paintSummary(QPdfWriter &writer, QPainter &painter, const SiteReportContent &site)
{
    const int width = painter.viewport().width();
    paintHeading(painter, site.title);
    int top = 260;
    const struct {
        const QString &text;
        QFont font;
    } lines[] = {{site.siteName, reportFont(56, 60)}, {site.siteNote, reportFont(42, 50)}};
    for (const auto &line : lines) {
        if (line.text.isEmpty())
            continue;
        const QRect room(0, top, width, painter.viewport().height() / 3);
        const QRect used = QFontMetrics(line.font, painter.device())
                               .boundingRect(room, Qt::TextWordWrap, line.text);
        painter.save();
        painter.setFont(line.font);
        painter.drawText(room, Qt::TextWordWrap, line.text);
        painter.restore();
        top += qMin(used.height(), room.height()) + WarningGap;
    }
    SummaryTable(painter, site).paint(writer, top + WarningGap);
}

} // namespace

bool PdfReportWriter::write(const ReportContent &content, const QString &fileName)
{
    return writePages(fileName, content.title, [&content](QPdfWriter &, QPainter &painter) {
        paintReport(painter, content);
        return true;
    });
}

bool PdfReportWriter::write(const SiteReportContent &site, const QString &fileName)
{
    return writePages(fileName, site.title, [&site](QPdfWriter &writer, QPainter &painter) {
        paintSummary(writer, painter, site);
        for (const ReportContent &pole : site.poles) {
            if (!writer.newPage())
                return false;
            paintReport(painter, pole);
        }
        return true;
    });
}

bool PdfReportWriter::writePages(const QString &fileName, const QString &title,
                                 const std::function<bool(QPdfWriter &, QPainter &)> &paint)
{
    m_errorString.clear();
    // The pages are made in memory and go to disk in one checked write.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(reportCreator());
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setResolution(Resolution);
        writer.setPageMargins(QMarginsF(20, 30, 20, 30), QPageLayout::Point);
        QPainter painter;
        if (painter.begin(&writer)) {
            painted = paint(writer, painter);
            painted = painter.end() && painted;
        }
    }
    if (!painted) {
        m_errorString = QStringLiteral("cannot draw the PDF page of %1").arg(fileName);
        return false;
    }
    return writeReportFile(fileName, pdf, &m_errorString);
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
