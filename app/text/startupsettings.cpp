#include "startupsettings.h"

#include <QSettings>

namespace StartupSettings
{
const char *const Organisation = "velmora";
const char *const Application = "Fenwarde";
const char *const LanguageKey = "language";
const char *const DefaultLanguage = "ENU";

void rememberLanguage(const QString &code)
{
    QSettings store{QString::fromLatin1(Organisation), QString::fromLatin1(Application)};
    store.setValue(QString::fromLatin1(LanguageKey), code);
    store.sync();
}
} // namespace StartupSettings
