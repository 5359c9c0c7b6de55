#include "ifontconfig.h"

IFontConfig::IFontConfig()
{
    m_font.setPixelSize(14);
    m_font.setFamily("Arial");
}

IFontConfig::~IFontConfig() = default;

const IFontConfig &IFontConfig::Instance()
{
    static const IFontConfig instance;
    return instance;
}

QFont IFontConfig::GetFont()
{
    return Instance().m_font;
}

QFont GetFont()
{
    return IFontConfig::GetFont();
}
