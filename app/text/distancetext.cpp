#include "distancetext.h"

#include "languagetable.h"
#include "textid.h"

QString DistanceText::number(double metres)
{
    return QString::number(metres, 'f', 2);
}

QString DistanceText::orUnbounded(double metres)
{
    return metres == -1.0 ? languageText(TextId::Unbounded) : number(metres);
}
