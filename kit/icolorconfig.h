#pragma once

#include "singleton.h"

#include <QColor>
#include <QString>
#include <QStringList>

// The kit's fixed palette: 107 colour strings looked up by number. Controls
// write the strings into style sheets or turn them into QColor values. The
// palette never changes after it is built; callers always receive copies.
class IColorConfig : public Singleton<IColorConfig>
{
public:
    virtual ~IColorConfig();

    // Palette entry `index` (0 to 106); an empty string for any other index.
    static QString GetColor(int index);

    static constexpr int ColorCount = 107;

private:
    IColorConfig();
    static const IColorConfig &Instance();

    QStringList m_colors;
};

// Same as IColorConfig::GetColor.
QString GetColor(int index);

// "#aarrggbb" with two lower-case hexadecimal digits per channel, the form in
// which setters that take QColor values store their colours.
QString ColorToString(const QColor &color);
