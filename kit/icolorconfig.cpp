#include "icolorconfig.h"

IColorConfig::IColorConfig()
{
    // Each index is a role of its own, even where two roles share a colour.
    m_colors =
        QStringList{// 0-9
                    "#000000", "#f5f7f8", "#b3b3b3", "#666666", "#f5f7f8", "#f6f7f8", "#a0a0a0",
                    "#336ed3", "#0f4cb2", "#d4d7d7",
                    // 10-19
                    "#000000", "#a0a0a0", "#00000000", "#00000000", "#00000000", "#000000",
                    "#d3eefb", "#ffffff", "#f1f1f1", "#dfdfdf",
                    // 20-29
                    "#dfdfdf", "#000000", "#abb2bd", "#40c4ff", "#40c4ff", "#000000", "#7E8690",
                    "#50B6FF", "#f2f3f4", "#8bbbdc",
                    // 30-39
                    "#000000", "#00000000", "#00000000", "#00000000", "#ff5500", "#000000",
                    "#ff0000", "#ffffff", "#ffffff", "#817889",
                    // 40-49
                    "#accbdb", "#3b92c9", "#878787", "#817889", "#000000", "#ffffff", "#2458af",
                    "#50b7fa", "#06446a", "#f5f7f8",
                    // 50-59
                    "#00bbd8", "#ffffff", "#0f4cb2", "#d5e6ef", "#50b7fa", "#fff212", "#2458af",
                    "#ffffff", "#f5f7f8", "#e7eff4",
                    // 60-69
                    "#98b7c4", "#ffffff", "#97b7c4", "#c1c1c1", "#f5f7f8", "#000000", "#e3e4e6",
                    "#00000000", "#b2b7c2", "#7d8a93",
                    // 70-79
                    "#000000", "#10aa10", "#008000", "#ff7800", "#00b4ff", "#000000", "#999999",
                    "#336ed3", "#b7d4e6", "#3361d3",
                    // 80-89
                    "#22449d", "#b8b8b8", "#888888", "#ffffff", "#f5f7f8", "#9eb2c0", "#f5f7f8",
                    "#9eb2c0", "#a9a9a9", "#d5e6ef",
                    // 90-99
                    "#f5f7f8", "#000000", "#d3eefb", "#000000", "#00000000", "#3278a5", "#ffffff",
                    "#000000", "#dcdcdc", "#387EE3",
                    // 100-106
                    "#3890E3", "#f5f7f8", "#0f4cb2", "#e43333", "#0f4cb2", "#e43333", "#ffffff"};
}

IColorConfig::~IColorConfig() = default;

const IColorConfig &IColorConfig::Instance()
{
    static const IColorConfig instance;
    return instance;
}

QString IColorConfig::GetColor(int index)
{
    const IColorConfig &config = Instance();
    if (index < 0 || index >= config.m_colors.size())
        return QString();
    return config.m_colors.at(index);
}

QString GetColor(int index)
{
    return IColorConfig::GetColor(index);
}

QString ColorToString(const QColor &color)
{
    const auto channel = [](int value) { return QString("%1").arg(value, 2, 16, QChar('0')); };
    return QString("#%1%2%3%4")
        .arg(channel(color.alpha()), channel(color.red()), channel(color.green()),
             channel(color.blue()));
}
