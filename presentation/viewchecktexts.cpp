#include "viewchecktexts.h"

#include "languagetable.h"
#include "textid.h"
#include "viewchecks.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace
{

double tenths(double value)
{
    return std::round(value * 10) / 10;
}

QString pointName(ViewPoint point)
{
    switch (point) {
    case ViewPoint::BandNear:
        return QStringLiteral("L2");
    case ViewPoint::BandFar:
        return QStringLiteral("L3");
    case ViewPoint::CapturePoint:
        break;
    }
    return languageText(TextId::CheckCapturePoint);
}

} // namespace

QString ViewCheckTexts::line(const ViewCheck &check)
{
    const int target =
        check.target == ViewTarget::Plate ? TextId::CheckPlateAt : TextId::CheckFaceAt;
    const QString name = languageText(target).arg(pointName(check.point));
    const double vertical = std::abs(check.vertical);
    if (check.passed())
        return languageText(TextId::CheckPasses)
            .arg(name, degrees(vertical), degrees(check.verticalLimit));

    QStringList failures;
    if (check.verticalFails())
        failures << languageText(TextId::CheckVertical)
                        .arg(failingDegrees(vertical, check.verticalLimit),
                             degrees(check.verticalLimit), excessDegrees(check.verticalExcess));
    for (const LaneExcess &lane : check.lanes)
        failures << languageText(TextId::CheckLane)
                        .arg(QString::number(lane.lane + 1),
                             failingDegrees(std::abs(lane.angle), check.horizontalLimit),
                             degrees(check.horizontalLimit), excessDegrees(lane.excess));
    return languageText(TextId::CheckFails).arg(name, failures.join(QStringLiteral("; ")));
}

QString ViewCheckTexts::guidelinesUnread(const QString &reason)
{
    return languageText(TextId::GuidelinesUnread).arg(reason);
}

QString ViewCheckTexts::degrees(double value)
{
    QString text = QString::number(tenths(value), 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString ViewCheckTexts::failingDegrees(double angle, double limit)
{
    if (tenths(angle) > limit)
        return degrees(angle);
    return degrees(std::ceil(limit * 10 + 1e-6) / 10);
}

QString ViewCheckTexts::excessDegrees(double excess)
{
    return degrees(std::max(tenths(excess), 0.1));
}
