#include "lxclientbasedoublespinbox.h"

#include <QLineEdit>

LxClientBaseDoubleSpinBox::LxClientBaseDoubleSpinBox(QWidget *parent) : QDoubleSpinBox(parent)
{
    m_baseWidth = 110;
    m_baseHeight = 25;
}

LxClientBaseDoubleSpinBox::~LxClientBaseDoubleSpinBox() = default;

void LxClientBaseDoubleSpinBox::SetScale(qreal scale)
{
    m_look.Apply(this, lineEdit(), m_baseWidth, m_baseHeight, scale);
    UpdateStyleSheet(scale);
}

void LxClientBaseDoubleSpinBox::UpdateStyleSheet(qreal scale)
{
    setStyleSheet(m_look.StyleSheet(QStringLiteral("QDoubleSpinBox"), scale));
}

QValidator::State LxClientBaseDoubleSpinBox::validate(QString &text, int &pos) const
{
    const QChar point = locale().decimalPoint();
    if (point != QLatin1Char(','))
        text.replace(QLatin1Char(','), point);
    return QDoubleSpinBox::validate(text, pos);
}
