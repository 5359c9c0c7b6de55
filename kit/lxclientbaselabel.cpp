#include "lxclientbaselabel.h"

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "scaledlength.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

LxClientBaseLabel::LxClientBaseLabel(QWidget *parent)
    : QLabel(parent), m_font(GetFont()), m_backgroundColor(Qt::transparent), m_textColor(Qt::black)
{
    m_baseWidth = 0;
    m_baseHeight = 40;
}

LxClientBaseLabel::~LxClientBaseLabel() = default;

void LxClientBaseLabel::SetText(const QString &text)
{
    m_fullText = text;
    setText(text);
}

QString LxClientBaseLabel::GetText() const
{
    return m_fullText;
}

void LxClientBaseLabel::SetTextColor(const QColor &color)
{
    m_textColor = color;
}

void LxClientBaseLabel::SetBackgroundColor(const QColor &color)
{
    m_backgroundColor = color;
}

void LxClientBaseLabel::SetFont(const QFont &font)
{
    m_font = font;
}

void LxClientBaseLabel::SetFontPixelSize(int pixelSize)
{
    if (pixelSize > 0)
        m_font.setPixelSize(pixelSize);
}

void LxClientBaseLabel::SetImage(const QString &path, const QRect &part)
{
    // Each picture is loaded aside first, so a failed load keeps the old one.
    // The picture that loaded last is the one shown: the other kind is dropped,
    // otherwise an earlier SVG would hide every later PNG.
    if (!path.contains(QLatin1String(".svg"))) {
        auto pixmap = std::make_unique<QPixmap>();
        if (!pixmap->load(path))
            return;
        if (!part.isEmpty()) {
            const QRect inside = part.intersected(pixmap->rect());
            if (inside.isEmpty())
                return;
            *pixmap = pixmap->copy(inside);
        }
        m_pixmap = std::move(pixmap);
        delete m_svgRenderer;
        m_svgRenderer = nullptr;
        m_baseWidth = m_pixmap->width();
        m_baseHeight = m_pixmap->height();
    } else {
        auto *renderer = new QSvgRenderer(this);
        if (!renderer->load(path)) {
            delete renderer;
            return;
        }
        if (!part.isEmpty())
            renderer->setViewBox(part);
        delete m_svgRenderer;
        m_svgRenderer = renderer;
        m_pixmap.reset();
        const QRectF box = m_svgRenderer->viewBoxF();
        m_baseWidth = box.width();
        m_baseHeight = box.height();
    }
    update();
}

void LxClientBaseLabel::SetScale(qreal scale)
{
    setFont(ScaledFont(m_font, scale));
    ApplyFixedSize(this, 0, m_baseHeight, scale);
    ApplyFixedSize(this, m_baseWidth, 0, scale);
    UpdateStyleSheet(scale);
}

void LxClientBaseLabel::UpdateStyleSheet(qreal)
{
    setStyleSheet(QString("QLabel{background: %1;}").arg(ColorToString(m_backgroundColor)) +
                  QString("QLabel::enabled{color: %1;}").arg(ColorToString(m_textColor)));
}

void LxClientBaseLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_svgRenderer && m_svgRenderer->isValid()) {
        QPainter painter(this);
        m_svgRenderer->render(&painter, QRectF(rect()));
    } else if (m_pixmap && !m_pixmap->isNull()) {
        QPainter painter(this);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), *m_pixmap);
    }
}
