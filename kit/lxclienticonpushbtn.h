#pragma once

#include "iiconbase.h"
#include "istylesheetbase.h"
#include "iwidgetbase.h"

#include <QFont>
#include <QList>
#include <QPushButton>
#include <QStringList>

// The kit's push button: a filled, rounded text button, or an icon button
// whose icon always fills the button. Colours and metrics are stored unscaled
// and written into the style sheet at each SetScale.
class LxClientIconPushBtn : public QPushButton,
                            public IWidgetBase,
                            public IStyleSheetBase,
                            public IiconBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase IStyleSheetBase IiconBase)

public:
    explicit LxClientIconPushBtn(QWidget *parent = nullptr);
    ~LxClientIconPushBtn() override;

    // These store only; the look changes at the next SetScale.
    void SetTextColors(const QColor &normal, const QColor &hover, const QColor &pressed,
                       const QColor &disabled);
    void SetBackgroundColors(const QColor &normal, const QColor &hover, const QColor &disabled,
                             const QColor &border);
    void SetMetrics(qreal borderRadius, qreal padding, qreal pressedMargin, qreal borderWidth);
    void SetFont(const QFont &font);

    // A path containing ".svg" is used as vector icon, anything else is loaded
    // as a picture scaled to the icon size. Setting an icon makes the design
    // width 30.
    void SetIcon(const QString &path) override;
    QString GetIconPath() const { return m_iconPath; }

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void LoadIcon();

    qreal m_iconWidth = 30;
    qreal m_iconHeight = 30;
    QString m_iconPath;
    QFont m_font;
    // 0 text, 1 hover text, 2 pressed text, 3 disabled text, 4 background,
    // 5 hover background, 6 disabled background, 7 border.
    QStringList m_colors;
    // 0 border radius, 1 padding, 2 pressed margin, 3 border width.
    QList<qreal> m_lengths;
};
