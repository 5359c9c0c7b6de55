#include "listtexts.h"

#include "languagetable.h"
#include "sceneparams.h"
#include "sensorformats.h"
#include "textid.h"

#include <QStringList>

qint32 ListTexts::scenario(const QString &text)
{
    if (text == languageText(TextId::ScenarioPerson))
        return Scenario::Person;
    if (text == languageText(TextId::ScenarioCapture))
        return Scenario::Capture;
    return Scenario::Lanes;
}

QString ListTexts::scenarioText(qint32 scenario)
{
    if (scenario == Scenario::Person)
        return languageText(TextId::ScenarioPerson);
    if (scenario == Scenario::Capture)
        return languageText(TextId::ScenarioCapture);
    return languageText(TextId::ScenarioLanes);
}

qint32 ListTexts::plateType(const QString &text)
{
    if (text == languageText(TextId::PlateType1))
        return PlateType::Width520;
    if (text == languageText(TextId::PlateType2))
        return PlateType::Width305;
    return PlateType::Width380;
}

QString ListTexts::plateTypeText(qint32 plateType)
{
    switch (plateType) {
    case PlateType::Width520:
        return languageText(TextId::PlateType1);
    case PlateType::Width305:
        return languageText(TextId::PlateType2);
    case PlateType::Width380:
        return languageText(TextId::PlateType3);
    default:
        return QString();
    }
}

bool ListTexts::horizontalMount(const QString &text)
{
    return text == languageText(TextId::InstallModeTurned);
}

QString ListTexts::installModeText(bool horizontalMount)
{
    return languageText(horizontalMount ? TextId::InstallModeTurned : TextId::InstallModeStraight);
}

bool ListTexts::resolution(const QString &text, int *width, int *height)
{
    *width = 0;
    *height = 0;
    const QStringList parts = text.split(QLatin1Char('*'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() != 2)
        return false;
    *width = parts.at(0).trimmed().toInt(nullptr, 10);
    *height = parts.at(1).trimmed().toInt(nullptr, 10);
    return true;
}

QString ListTexts::resolutionText(int width, int height)
{
    return QStringLiteral("%1 * %2").arg(width).arg(height);
}

QString ListTexts::sensorText(double width, double height)
{
    const QString name = sensorFormatName(width, height);
    if (!name.isEmpty())
        return name;
    return QStringLiteral("%1 x %2 mm").arg(width).arg(height);
}
