#pragma once

#include <QByteArray>
#include <QString>

// The text of a settings file in QSettings' INI form, changed one key at a
// time. QSettings writes a whole file from what it understood of it, which
// drops the user's comments and every line it could not read; here every
// line but the key's own stays byte for byte.
class IniFileText final
{
public:
    // text with key, a plain name of letters and digits, set to value in
    // the General section: each line of the key rewritten or, when there is
    // none, a new line after the section's header or a new section at the
    // top. Keys in other sections are other keys and stay.
    static QByteArray withValue(const QByteArray &text, const QString &key, const QString &value);

    // value written so that QSettings reads it back as exactly that text.
    static QByteArray encoded(const QString &value);
};
