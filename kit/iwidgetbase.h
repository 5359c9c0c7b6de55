#pragma once

#include <QObject>
#include <QtGlobal>

// A control that is designed for scale 1 and can be scaled as a whole: it
// keeps its unscaled design size and recomputes everything from it in
// SetScale, so repeated scaling never accumulates. A design length of 0 means
// that dimension is left to the layout.
//
// Kit objects are always deleted through their Qt class, so the destructor is
// protected and not virtual.
class IWidgetBase
{
public:
    virtual void SetScale(qreal scale) = 0;
    virtual void SetBaseWidth(qreal width);
    virtual void SetBaseHeight(qreal height);
    virtual qreal GetBaseWidth() const;
    virtual qreal GetBaseHeight() const;

protected:
    IWidgetBase() = default;
    IWidgetBase(const IWidgetBase &) = default;
    IWidgetBase &operator=(const IWidgetBase &) = default;
    ~IWidgetBase() = default;

    qreal m_baseWidth = 0;
    qreal m_baseHeight = 0;
};

Q_DECLARE_INTERFACE(IWidgetBase, "IWidgetBase")
