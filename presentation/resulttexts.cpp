#include "resulttexts.h"

#include "languagetable.h"
#include "textid.h"

namespace
{

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

// A far edge that never meets the ground is -1 exactly.
QString farNumber(double value)
{
    return value == -1 ? languageText(TextId::Unbounded) : number(value);
}

QString range(const QString &from, const QString &to)
{
    return QStringLiteral("%1 - %2m").arg(from, to);
}

QString single(const QString &value)
{
    return QStringLiteral("%1m").arg(value);
}

} // namespace

ResultTexts::ResultTexts(double L1, double W1, double L2, double W2, double L3, double W3,
                         double L4, double W4)
    : m_L1(L1), m_W1(W1), m_L2(L2), m_W2(W2), m_L3(L3), m_W3(W3), m_L4(L4), m_W4(W4)
{
}

QString ResultTexts::pictureWidth() const
{
    return range(number(m_W1), farNumber(m_W4));
}

QString ResultTexts::farEdge() const
{
    return single(farNumber(m_L4));
}

QString ResultTexts::nearEdge() const
{
    return single(number(m_L1));
}

QString ResultTexts::detectionRange() const
{
    return range(number(m_L2), number(m_L3));
}

QString ResultTexts::detectionWidth() const
{
    return range(number(m_W2), number(m_W3));
}

QString ResultTexts::none()
{
    return QStringLiteral("-");
}
