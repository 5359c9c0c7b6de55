#pragma once

#include <QString>
#include <QStringList>

// The process-wide list of UI texts read from the language file chosen at
// start-up. Every window and the report fetch their texts by a fixed
// zero-based index (see textid.h); the position of a "string" element in the
// file is its identity.
struct LanguageTable {
    qint32 count = 0;
    QStringList texts;
};

// Creates a new, empty table, publishes it as the process-wide table and reads
// the "string" elements of the file into it. A file that cannot be opened
// leaves the table empty; so does anything but a regular file of at most
// 4 MiB, with a warning. A malformed file keeps what was read before the
// fault, and so does a file whose markup would cost the reader too much
// (MarkupBudget). A table loaded earlier is replaced.
void loadLanguageTable(const QString &path);

// A copy of the text at index, or an empty string when no table is loaded or
// the index lies outside 0..count-1.
QString languageText(int index);

// Destroys the process-wide table; does nothing when there is none.
void releaseLanguageTable();

// The process-wide table, or null before loading and after release.
const LanguageTable *currentLanguageTable();
