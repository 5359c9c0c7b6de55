#include "scenariotext.h"

#include "languagetable.h"
#include "sceneparams.h"
#include "textid.h"

qint32 scenarioForText(const QString &text)
{
    if (text == languageText(TextId::ScenarioPerson))
        return Scenario::Person;
    if (text == languageText(TextId::ScenarioCapture))
        return Scenario::Capture;
    return Scenario::Lanes;
}

qint32 plateTypeForText(const QString &text)
{
    if (text == languageText(TextId::PlateType1))
        return PlateType::Width520;
    if (text == languageText(TextId::PlateType2))
        return PlateType::Width305;
    return PlateType::Width380;
}
