#include "lxclienticonpushbtn.h"

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "scaledlength.h"

#include <QIcon>
#include <QPixmap>
#include <QResizeEvent>

LxClientIconPushBtn::LxClientIconPushBtn(QWidget *parent)
    : QPushButton(parent),
      m_font(GetFont()), m_colors{GetColor(5), GetColor(5), GetColor(5), GetColor(6),
                                  GetColor(7), GetColor(8), GetColor(9), GetColor(2)},
      m_lengths{5, 5, 1, 0}
{
    m_baseWidth = 40;
    m_baseHeight = 30;
}

LxClientIconPushBtn::~LxClientIconPushBtn() = default;

void LxClientIconPushBtn::SetTextColors(const QColor &normal, const QColor &hover,
                                        const QColor &pressed, const QColor &disabled)
{
    m_colors[0] = ColorToString(normal);
    m_colors[1] = ColorToString(hover);
    m_colors[2] = ColorToString(pressed);
    m_colors[3] = ColorToString(disabled);
}

void LxClientIconPushBtn::SetBackgroundColors(const QColor &normal, const QColor &hover,
                                              const QColor &disabled, const QColor &border)
{
    m_colors[4] = ColorToString(normal);
    m_colors[5] = ColorToString(hover);
    m_colors[6] = ColorToString(disabled);
    m_colors[7] = ColorToString(border);
}

void LxClientIconPushBtn::SetMetrics(qreal borderRadius, qreal padding, qreal pressedMargin,
                                     qreal borderWidth)
{
    m_lengths = {borderRadius, padding, pressedMargin, borderWidth};
}

void LxClientIconPushBtn::SetFont(const QFont &font)
{
    m_font = font;
}

void LxClientIconPushBtn::SetIcon(const QString &path)
{
    m_iconPath = path;
    if (m_iconPath.isEmpty())
        return;
    m_baseWidth = 30;
    LoadIcon();
}

void LxClientIconPushBtn::LoadIcon()
{
    const QSize size(TruncatedLength(m_iconWidth), TruncatedLength(m_iconHeight));
    setIconSize(size);
    if (m_iconPath.contains(QLatin1String(".svg"))) {
        setIcon(QIcon(m_iconPath));
        return;
    }
    const QPixmap pixmap(m_iconPath);
    if (pixmap.isNull() || size.isEmpty()) {
        setIcon(QIcon());
        return;
    }
    setIcon(QIcon(pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void LxClientIconPushBtn::SetScale(qreal scale)
{
    ApplyFixedSize(this, m_baseWidth, m_baseHeight, scale);
    // An icon button keeps its font: only its icon grows with the button.
    if (m_iconPath.isEmpty())
        setFont(ScaledFont(m_font, scale));
    UpdateStyleSheet(scale);
}

void LxClientIconPushBtn::UpdateStyleSheet(qreal scale)
{
    const QString style =
        QString("QPushButton{border-radius: %1px;padding: %2px;color: %9;background-color: "
                "%4;border:%7px solid %8;}QPushButton:hover{outline: none;color: "
                "%11;background-color: %5;}QPushButton:pressed{color: %12;margin: "
                "%3px;}QPushButton:disabled{background-color: %6;color: "
                "%10;}QPushButton::menu-indicator{image:none}")
            .arg(m_lengths.at(0) * scale)
            .arg(m_lengths.at(1) * scale)
            .arg(m_lengths.at(2) * scale)
            .arg(m_colors.at(4))
            .arg(m_colors.at(5))
            .arg(m_colors.at(6))
            .arg(m_lengths.at(3) * scale)
            .arg(m_colors.at(7))
            .arg(m_colors.at(0))
            .arg(m_colors.at(3))
            .arg(m_colors.at(1))
            .arg(m_colors.at(2));
    setStyleSheet(style);
}

QSize LxClientIconPushBtn::sizeHint() const
{
    return QSize(TruncatedLength(m_iconWidth), TruncatedLength(m_iconHeight));
}

void LxClientIconPushBtn::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    m_iconWidth = event->size().width();
    m_iconHeight = event->size().height();
    if (!m_iconPath.isEmpty())
        LoadIcon();
}
