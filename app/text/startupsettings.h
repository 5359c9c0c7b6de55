#pragma once

#include <QString>

// The start-up settings store: the language code that start-up reads to pick
// the language file. The title bar keeps a store of its own; a language the
// user picks in its menu is also written here, so the next start loads it.
namespace StartupSettings
{
extern const char *const Organisation;
extern const char *const Application;
extern const char *const LanguageKey;
extern const char *const DefaultLanguage;

// The stored code, or the default when there is none.
QString storedLanguage();

// Writes the code at once, so a crash or a killed session still keeps it.
// A store that cannot be written keeps its value, with a warning.
void rememberLanguage(const QString &code);
} // namespace StartupSettings
