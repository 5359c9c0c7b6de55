#include "resulttexts.h"

#include "distancetext.h"

#include <cmath>

namespace
{

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
    return range(DistanceText::number(m_W1), DistanceText::orUnbounded(m_W4));
}

QString ResultTexts::farEdge() const
{
    return single(DistanceText::orUnbounded(m_L4));
}

QString ResultTexts::nearEdge() const
{
    return single(DistanceText::number(m_L1));
}

QString ResultTexts::detectionRange() const
{
    return range(DistanceText::number(m_L2), DistanceText::number(m_L3));
}

QString ResultTexts::detectionWidth() const
{
    return range(DistanceText::number(m_W2), DistanceText::number(m_W3));
}

QString ResultTexts::none()
{
    return QStringLiteral("-");
}

QString ResultTexts::distance(double metres)
{
    if (std::abs(metres) < 1e6)
        return DistanceText::number(metres);
    return QString::number(metres, 'g', 6);
}
