#pragma once

#include <QObject>
#include <QtGlobal>

// A control that writes its own style sheet, with every length multiplied by
// the scale it is given.
class IStyleSheetBase
{
public:
    virtual void UpdateStyleSheet(qreal scale) = 0;

protected:
    IStyleSheetBase() = default;
    IStyleSheetBase(const IStyleSheetBase &) = default;
    IStyleSheetBase &operator=(const IStyleSheetBase &) = default;
    ~IStyleSheetBase() = default;
};

Q_DECLARE_INTERFACE(IStyleSheetBase, "IStyleSheetBase")
