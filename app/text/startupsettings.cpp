#include "startupsettings.h"

#include "settingsstore.h"

#include <QDebug>

namespace StartupSettings
{
const char *const Organisation = "velmora";
const char *const Application = "Fenwarde";
const char *const LanguageKey = "language";
const char *const DefaultLanguage = "ENU";

namespace
{
SettingsStore store()
{
    return SettingsStore(QString::fromLatin1(Organisation), QString::fromLatin1(Application));
}
} // namespace

QString storedLanguage()
{
    const QVariant stored = store().value(QString::fromLatin1(LanguageKey));
    return stored.isValid() ? stored.toString() : QString::fromLatin1(DefaultLanguage);
}

void rememberLanguage(const QString &code)
{
    QString reason;
    if (!store().setValue(QString::fromLatin1(LanguageKey), code, &reason))
        qWarning().noquote()
            << QStringLiteral("The language for the next start was not saved: %1.").arg(reason);
}
} // namespace StartupSettings
