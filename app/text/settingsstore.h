#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// One settings store of the program in QSettings' native form: the user's
// own file, then the organisation-wide files read after it when it lacks a
// key. QSettings opens each of them blindly, so a named pipe among them hung
// the program and a link to a device was replaced by a file. Here only
// regular files of a settings file's size are read; a write changes one
// line of the user's own file and leaves the rest of it as it was.
class SettingsStore final
{
public:
    SettingsStore(const QString &organisation, const QString &application);

    // The files QSettings reads for this store, in its order, the user's
    // own first.
    const QStringList &files() const { return m_files; }
    QString fileName() const { return m_files.constFirst(); }

    // The value of key in the first file that holds it, as QSettings reads
    // it; invalid when none does. A file that is no regular file, or is
    // larger than a settings file can be, is passed over with a warning.
    QVariant value(const QString &key) const;

    // Stores value as text under key, a plain name, in the user's own file,
    // waiting a few seconds at most for the lock other writers take. A file
    // that already holds that text stays untouched. False, with the reason,
    // when the file was left as it was.
    bool setValue(const QString &key, const QString &value, QString *reason) const;

private:
    QStringList m_files;
};
