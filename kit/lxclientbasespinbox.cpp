#include "lxclientbasespinbox.h"

#include <QLineEdit>

LxClientBaseSpinBox::LxClientBaseSpinBox(QWidget *parent) : QSpinBox(parent)
{
    m_baseWidth = 110;
    m_baseHeight = 25;
}

LxClientBaseSpinBox::~LxClientBaseSpinBox() = default;

void LxClientBaseSpinBox::SetScale(qreal scale)
{
    m_look.Apply(this, lineEdit(), m_baseWidth, m_baseHeight, scale);
    UpdateStyleSheet(scale);
}

void LxClientBaseSpinBox::UpdateStyleSheet(qreal scale)
{
    setStyleSheet(m_look.StyleSheet(QStringLiteral("QSpinBox"), scale));
}
