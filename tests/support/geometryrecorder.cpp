#include "geometryrecorder.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

// Takes every primitive as it comes: with all features claimed, the painter
// hands over texts, lines and images untransformed together with its state.
class GeometryRecorder::Engine final : public QPaintEngine
{
public:
    explicit Engine(GeometryRecorder *recorder)
        : QPaintEngine(QPaintEngine::AllFeatures), m_recorder(recorder)
    {
    }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    Type type() const override { return QPaintEngine::User; }

    // A text drawn in pieces straight after one another in one colour (a sign
    // written larger amid it, or another script) is kept as one text.
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QFont font = painter()->font();
        const QColor colour = painter()->pen().color();
        QVector<Text> &texts = m_recorder->m_texts;
        if (!texts.isEmpty() && texts.last().order == m_next - 1 && texts.last().colour == colour &&
            qAbs(p.x() - m_textEnd) < 1.0)
            texts.last().text += item.text();
        else
            texts.append({next(), item.text(), p, colour, font.family(), font.pixelSize()});
        m_textEnd = p.x() + QFontMetricsF(font).horizontalAdvance(item.text());
    }

    void drawLines(const QLineF *lines, int count) override
    {
        const QPen pen = painter()->pen();
        for (int i = 0; i < count; ++i)
            m_recorder->m_lines.append(
                {next(), lines[i], pen.color(), pen.style(), painter()->worldTransform()});
    }

    void drawEllipse(const QRectF &rect) override { m_recorder->m_ellipses.append(shape(rect)); }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_recorder->m_rects.append(shape(rects[i]));
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
    {
        Shape s = shape(QRectF());
        for (int i = 0; i < count; ++i)
            s.points.append(points[i]);
        m_recorder->m_polygons.append(s);
    }

    void drawPath(const QPainterPath &path) override
    {
        m_recorder->m_paths.append({next(), path, painter()->worldTransform(),
                                    painter()->pen().color(), painter()->pen().style(),
                                    painter()->brush().style(), painter()->brush().color()});
    }

    void drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &) override
    {
        m_recorder->m_images.append({next(), target, pixmap.size(), painter()->worldTransform()});
    }

    void drawImage(const QRectF &target, const QImage &image, const QRectF &,
                   Qt::ImageConversionFlags) override
    {
        m_recorder->m_images.append({next(), target, image.size(), painter()->worldTransform()});
    }

private:
    int next() { return m_next++; }

    Shape shape(const QRectF &rect)
    {
        Shape s;
        s.order = next();
        s.rect = rect;
        s.pen = painter()->pen().color();
        s.penStyle = painter()->pen().style();
        s.brush = painter()->brush().color();
        s.brushStyle = painter()->brush().style();
        return s;
    }

    GeometryRecorder *m_recorder;
    int m_next = 0;
    double m_textEnd = 0.0;
};

GeometryRecorder::GeometryRecorder(const QSize &size)
    : m_size(size), m_engine(std::make_unique<Engine>(this))
{
}

GeometryRecorder::~GeometryRecorder() = default;

QPaintEngine *GeometryRecorder::paintEngine() const
{
    return m_engine.get();
}

const GeometryRecorder::Text *GeometryRecorder::text(const QString &text) const
{
    for (const Text &t : m_texts) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

int GeometryRecorder::countTexts(const QString &prefix) const
{
    int count = 0;
    for (const Text &t : m_texts) {
        if (t.text.startsWith(prefix))
            ++count;
    }
    return count;
}

int GeometryRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return m_size.width() * 254 / 960;
    case PdmHeightMM:
        return m_size.height() * 254 / 960;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
