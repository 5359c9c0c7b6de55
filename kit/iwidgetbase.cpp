#include "iwidgetbase.h"

void IWidgetBase::SetBaseWidth(qreal width)
{
    m_baseWidth = width;
}

void IWidgetBase::SetBaseHeight(qreal height)
{
    m_baseHeight = height;
}

qreal IWidgetBase::GetBaseWidth() const
{
    return m_baseWidth;
}

qreal IWidgetBase::GetBaseHeight() const
{
    return m_baseHeight;
}
