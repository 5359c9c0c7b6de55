#pragma once

#include "istylesheetbase.h"
#include "iwidgetbase.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

#include <memory>

class QPixmap;
class QSvgRenderer;

// The kit's label: text in the kit font and colours, or a PNG or SVG picture
// stretched over the whole label. Setting a picture makes its size the design
// size, so the label shows the picture at its own size times the scale.
class LxClientBaseLabel : public QLabel, public IStyleSheetBase, public IWidgetBase
{
    Q_OBJECT
    Q_INTERFACES(IStyleSheetBase IWidgetBase)

public:
    explicit LxClientBaseLabel(QWidget *parent = nullptr);
    ~LxClientBaseLabel() override;

    void SetText(const QString &text);
    QString GetText() const;

    // These store only; the look changes at the next SetScale.
    void SetTextColor(const QColor &color);
    void SetBackgroundColor(const QColor &color);
    void SetFont(const QFont &font);
    void SetFontPixelSize(int pixelSize);

    // Loads a picture; a path containing ".svg" is drawn as vector art. A
    // non-empty `part` shows only that rectangle of the picture (in picture
    // pixels or view-box units). A file that cannot be loaded leaves the
    // current picture and design size.
    void SetImage(const QString &path, const QRect &part = QRect());

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont m_font;
    QColor m_backgroundColor;
    QColor m_textColor;
    QString m_fullText;
    std::unique_ptr<QPixmap> m_pixmap;
    QSvgRenderer *m_svgRenderer = nullptr;
};
