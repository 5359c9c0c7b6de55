#pragma once

#include <QString>

// The "language" folder directly inside appDir: "<appDir>/language".
QString languageFolder(const QString &appDir);
// The language folder beside the running executable.
QString languageFolder();

// Chooses the language file at start-up: "<appDir>/language/<code>.xml" when
// something exists there, otherwise the first file in the language folder, in
// the order the directory yields them, whose suffix is exactly "xml". Returns
// an empty string when there is none; the stored code is never rewritten.
QString findLanguageFile(const QString &appDir, const QString &code);
