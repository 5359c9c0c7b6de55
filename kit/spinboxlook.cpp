#include "spinboxlook.h"

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "resourcepath.h"
#include "scaledlength.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QStringList>

SpinBoxLook::SpinBoxLook()
    : m_textMargins(5, 0, 5, 0), m_borderRadius(2), m_borderWidth(1), m_buttonWidth(16),
      m_textColor(GetColor(0)), m_backgroundColor(GetColor(84)), m_borderColor(GetColor(85)),
      m_upImage(GetResourcePath("playback/TimeUp", Png, true)),
      m_downImage(GetResourcePath("playback/TimeDown", Png, true)), m_font(GetFont())
{
}

void SpinBoxLook::Apply(QAbstractSpinBox *box, QLineEdit *edit, qreal baseWidth, qreal baseHeight,
                        qreal scale) const
{
    ApplyFixedSize(box, baseWidth, baseHeight, scale);
    box->setFont(ScaledFont(m_font, scale));
    if (edit)
        edit->setTextMargins(RoundedLength(m_textMargins.left() * scale),
                             RoundedLength(m_textMargins.top() * scale),
                             RoundedLength(m_textMargins.right() * scale),
                             RoundedLength(m_textMargins.bottom() * scale));
}

QString SpinBoxLook::StyleSheet(const QString &className, qreal scale) const
{
    QStringList parts;
    parts << QString("%1{border: %2px solid   %3;border-radius: %4px;background-color: %5;}")
                 .arg(className)
                 .arg(m_borderWidth * scale)
                 .arg(m_borderColor)
                 .arg(m_borderRadius * scale)
                 .arg(m_backgroundColor);
    parts << QString("%1:enabled{color: %2;}").arg(className, m_textColor);
    // The arrows grow with the field: a button of fixed width would keep
    // them at their unscaled size in a field twice as large.
    parts << QString("%1::up-button{image: url(%2);width: %3px;}")
                 .arg(className, m_upImage)
                 .arg(m_buttonWidth * scale);
    parts << QString("%1::down-button{image: url(%2);width: %3px;}")
                 .arg(className, m_downImage)
                 .arg(m_buttonWidth * scale);
    return parts.join(QString());
}
