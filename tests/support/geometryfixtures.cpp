#include "geometryfixtures.h"

#include "languagefile.h"
#include "languagetable.h"

#include <QFile>

bool GeometryFixtures::loadEnglish()
{
    const QString file = languageFolder() + QStringLiteral("/ENU.xml");
    if (!QFile::exists(file))
        return false;
    loadLanguageTable(file);
    return true;
}
