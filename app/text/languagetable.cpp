#include "languagetable.h"

#include <QFile>
#include <QXmlStreamReader>

namespace
{
LanguageTable *g_table = nullptr;
}

void loadLanguageTable(const QString &path)
{
    releaseLanguageTable();
    g_table = new LanguageTable;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;

    // The reader counts as at its end after any error, which is what stops the
    // loop early on a malformed file or on a "string" element with a child.
    QXmlStreamReader reader(&file);
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isStartElement() && reader.name() == QLatin1String("string"))
            g_table->texts.append(
                reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement));
        reader.readNext();
    }
    reader.clear();
    g_table->count = g_table->texts.size();
    file.close();
}

QString languageText(int index)
{
    if (!g_table || index < 0 || index >= g_table->texts.size())
        return QString();
    return g_table->texts.at(index);
}

void releaseLanguageTable()
{
    if (!g_table)
        return;
    g_table->texts.clear();
    delete g_table;
    g_table = nullptr;
}

const LanguageTable *currentLanguageTable()
{
    return g_table;
}
