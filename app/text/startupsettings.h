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

// Writes the code at once, so a crash or a killed session still keeps it.
void rememberLanguage(const QString &code);
} // namespace StartupSettings
