#pragma once

#include "iiconbase.h"
#include "istylesheetbase.h"
#include "iwidgetbase.h"

#include <QFont>
#include <QSizeF>
#include <QStringList>
#include <QToolButton>

#include <memory>

class QPixmap;

// The kit's small tool button, for icon buttons such as a close cross or a
// reset button with text beside its icon. A picture icon is kept at its full
// resolution and scaled to the icon size at each SetScale.
class LxClientToolButton : public QToolButton,
                           public IWidgetBase,
                           public IStyleSheetBase,
                           public IiconBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase IStyleSheetBase IiconBase)

public:
    explicit LxClientToolButton(QWidget *parent = nullptr);
    ~LxClientToolButton() override;

    // An invalid hover colour takes the normal one, an invalid pressed colour
    // the hover one, an invalid disabled colour the normal one. Stores only.
    void SetBackgroundColors(const QColor &normal, const QColor &hover = QColor(),
                             const QColor &pressed = QColor(), const QColor &disabled = QColor());
    void SetIconSize(const QSizeF &size);
    void SetMargins(qreal normal, qreal pressed);
    void SetFont(const QFont &font);

    // An SVG path shows at once; any other picture shows from the next
    // SetScale on, at the scaled icon size.
    void SetIcon(const QString &path) override;

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

private:
    QFont m_font;
    QSizeF m_iconSize;
    // Normal, hover, pressed, disabled.
    QStringList m_textColors;
    QStringList m_backgroundColors;
    qreal m_borderWidth = 0;
    qreal m_borderRadius = 0;
    // Normal, pressed.
    qreal m_padding[2] = {0, 1};
    qreal m_margins[2] = {0, 1};
    std::unique_ptr<QPixmap> m_pixmap;
};
