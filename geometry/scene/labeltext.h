#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;

// A label's text as the scene writes it. Fonts draw the infinity sign no
// taller than a small letter, so in "L4:∞m" it reads as a smudge beside the
// digits; here it is written in a larger size of the same font, as tall as
// the digits and level with them. Any other text is written as it is.
class LabelText final
{
public:
    LabelText() = default;
    LabelText(const QString &text, const QFont &font);

    const QString &text() const { return m_text; }
    // The box around the text, from the start of its baseline, as
    // QFontMetrics gives it for a text in one size.
    QRectF boundingRect() const { return m_box; }
    int advance() const { return m_advance; }

    // In the painter's pen; the painter's font is left as it was.
    void paint(QPainter &painter, const QPointF &baseline) const;

    static QChar infinity() { return QChar(0x221E); }

private:
    struct Run {
        QString text;
        QFont font;
        QPoint offset; // of its baseline start from the text's
    };

    static QFont infinityFont(const QFont &font);

    QString m_text;
    QVector<Run> m_runs;
    QRectF m_box;
    int m_advance = 0;
};
