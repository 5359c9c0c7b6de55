#pragma once

#include "singleton.h"

#include <QFont>

// The kit's default text font (family "Arial", 14 pixels). Each control takes
// a copy and scales its pixel size for itself; the default never changes.
class IFontConfig : public Singleton<IFontConfig>
{
public:
    virtual ~IFontConfig();

    static QFont GetFont();

private:
    IFontConfig();
    static const IFontConfig &Instance();

    QFont m_font;
};

// Same as IFontConfig::GetFont.
QFont GetFont();
