#include "lxclienttoolbutton.h"

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "scaledlength.h"

#include <QIcon>
#include <QPixmap>

LxClientToolButton::LxClientToolButton(QWidget *parent)
    : QToolButton(parent), m_font(GetFont()),
      m_iconSize(16, 16), m_textColors{GetColor(10), GetColor(10), GetColor(10), GetColor(11)},
      m_backgroundColors{GetColor(12), GetColor(13), GetColor(13), GetColor(14)}
{
    m_baseWidth = 40;
    m_baseHeight = 30;
}

LxClientToolButton::~LxClientToolButton() = default;

void LxClientToolButton::SetBackgroundColors(const QColor &normal, const QColor &hover,
                                             const QColor &pressed, const QColor &disabled)
{
    const QColor hoverColor = hover.isValid() ? hover : normal;
    const QColor pressedColor = pressed.isValid() ? pressed : hoverColor;
    const QColor disabledColor = disabled.isValid() ? disabled : normal;
    m_backgroundColors = QStringList{ColorToString(normal), ColorToString(hoverColor),
                                     ColorToString(pressedColor), ColorToString(disabledColor)};
}

void LxClientToolButton::SetIconSize(const QSizeF &size)
{
    m_iconSize = size;
}

void LxClientToolButton::SetMargins(qreal normal, qreal pressed)
{
    m_margins[0] = normal;
    m_margins[1] = pressed;
}

void LxClientToolButton::SetFont(const QFont &font)
{
    m_font = font;
}

void LxClientToolButton::SetIcon(const QString &path)
{
    if (path.endsWith(QLatin1String(".svg"))) {
        setIcon(QIcon(path));
        m_pixmap.reset();
        return;
    }
    m_pixmap = std::make_unique<QPixmap>(path);
}

void LxClientToolButton::SetScale(qreal scale)
{
    ApplyFixedSize(this, m_baseWidth, m_baseHeight, scale);
    const QSize iconSize(RoundedLength(m_iconSize.width() * scale),
                         RoundedLength(m_iconSize.height() * scale));
    setIconSize(iconSize);
    if (m_pixmap) {
        if (m_pixmap->isNull() || iconSize.isEmpty())
            setIcon(QIcon());
        else
            setIcon(
                QIcon(m_pixmap->scaled(iconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    setFont(ScaledFont(m_font, scale));
    UpdateStyleSheet(scale);
}

void LxClientToolButton::UpdateStyleSheet(qreal scale)
{
    const QStringList &back = m_backgroundColors;
    const QStringList &text = m_textColors;
    QString style = QString("QToolButton{background-color: %1;color:%2;border:%3px;border-radius: "
                            "%4px;padding: %5px;margin: %6px;}")
                        .arg(back.at(0), text.at(0))
                        .arg(m_borderWidth * scale)
                        .arg(m_borderRadius * scale)
                        .arg(m_padding[0] * scale)
                        .arg(m_margins[0] * scale);
    style +=
        QString("QToolButton:hover{background-color:%1;color:%2;}").arg(back.at(1), text.at(1));
    style +=
        QString("QToolButton:pressed{background-color:%1;color: %2;padding: %3px;margin: %4px;}")
            .arg(back.at(2), text.at(2))
            .arg(m_padding[1] * scale)
            .arg(m_margins[1] * scale);
    style += QString("QToolButton:disabled{background-color: %1;color: %2;}")
                 .arg(back.at(3), text.at(3));
    setStyleSheet(style);
}
