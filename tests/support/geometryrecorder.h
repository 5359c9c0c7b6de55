#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QVector>

#include <memory>

class QPaintEngine;

// A paint device that keeps a list of what is painted on it instead of
// pixels: texts with their baseline points, lines, ellipses, rectangles,
// polygons, paths and images, each with the pen, brush, font and world
// transform in force. Scene tests read positions, labels and styles from it
// exactly, where pixel probes could only guess. Every entry carries its place
// in the painting order.
class GeometryRecorder final : public QPaintDevice
{
public:
    struct Text {
        int order = 0;
        QString text;
        QPointF at; // baseline start, logical coordinates
        QColor colour;
        QString family;
        int pixelSize = 0;
    };
    struct Line {
        int order = 0;
        QLineF line;
        QColor colour;
        Qt::PenStyle style = Qt::SolidLine;
        QTransform transform;
    };
    struct Shape {
        int order = 0;
        QRectF rect;             // ellipses and rectangles
        QVector<QPointF> points; // polygons
        QColor pen;
        Qt::PenStyle penStyle = Qt::SolidLine;
        QColor brush;
        Qt::BrushStyle brushStyle = Qt::NoBrush;
    };
    struct Image {
        int order = 0;
        QRectF target;
        QSize size;
        QTransform transform;
    };
    struct Path {
        int order = 0;
        QPainterPath path;
        QTransform transform;
        QColor pen;
        Qt::PenStyle penStyle = Qt::SolidLine;
        Qt::BrushStyle brushStyle = Qt::NoBrush;
        QColor brush;
    };

    explicit GeometryRecorder(const QSize &size);
    ~GeometryRecorder() override;

    QPaintEngine *paintEngine() const override;

    const QVector<Text> &texts() const { return m_texts; }
    const QVector<Line> &lines() const { return m_lines; }
    const QVector<Shape> &ellipses() const { return m_ellipses; }
    const QVector<Shape> &rects() const { return m_rects; }
    const QVector<Shape> &polygons() const { return m_polygons; }
    const QVector<Image> &images() const { return m_images; }
    const QVector<Path> &paths() const { return m_paths; }

    // The first text that reads exactly so; null when there is none.
    const Text *text(const QString &text) const;
    // How many texts start with the prefix.
    int countTexts(const QString &prefix) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    friend class Engine;

    QSize m_size;
    std::unique_ptr<Engine> m_engine;
    QVector<Text> m_texts;
    QVector<Line> m_lines;
    QVector<Shape> m_ellipses;
    QVector<Shape> m_rects;
    QVector<Shape> m_polygons;
    QVector<Image> m_images;
    QVector<Path> m_paths;
};
