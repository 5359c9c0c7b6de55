#include "inifiletext.h"

#include <QList>

#include <algorithm>

namespace
{

// The lines of text, each with its own ending.
QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines;
    int start = 0;
    while (start < text.size()) {
        const int newline = text.indexOf('\n', start);
        const int end = newline < 0 ? text.size() : newline + 1;
        lines << text.mid(start, end - start);
        start = end;
    }
    return lines;
}

QByteArray endingOf(const QByteArray &line)
{
    if (line.endsWith("\r\n"))
        return QByteArrayLiteral("\r\n");
    return line.endsWith('\n') ? QByteArrayLiteral("\n") : QByteArray();
}

// QSettings reads a backslash at the end of a line as an escaped line
// break: the next line belongs to the same entry.
bool continues(const QByteArray &line)
{
    const QByteArray content = line.left(line.size() - endingOf(line).size());
    int backslashes = 0;
    while (backslashes < content.size() && content.at(content.size() - 1 - backslashes) == '\\')
        ++backslashes;
    return backslashes % 2 == 1;
}

bool isKeyLine(const QByteArray &content, const QByteArray &key)
{
    return content.startsWith(key) && content.mid(key.size()).trimmed().startsWith('=');
}

bool isGeneralHeader(const QByteArray &content)
{
    return content.endsWith(']') &&
           content.mid(1, content.size() - 2).trimmed().toLower() == QByteArrayLiteral("general");
}

} // namespace

QByteArray IniFileText::withValue(const QByteArray &text, const QString &key, const QString &value)
{
    const QByteArray entry = key.toLatin1() + '=' + encoded(value);
    const QByteArray newline = text.contains("\r\n") ? "\r\n" : "\n";
    QByteArray result;
    int afterHeader = -1;
    bool general = true; // lines before any section header belong to General
    bool found = false;
    bool continued = false;
    bool dropping = false;
    for (const QByteArray &line : linesOf(text)) {
        if (continued) {
            continued = continues(line);
            if (!dropping)
                result += line;
            continue;
        }
        const QByteArray content = line.trimmed();
        const bool comment = content.startsWith(';') || content.startsWith('#');
        continued = !comment && continues(line);
        dropping = false;
        if (content.startsWith('[')) {
            general = isGeneralHeader(content);
            result += line;
            if (general && afterHeader < 0) {
                if (endingOf(line).isEmpty())
                    result += newline;
                afterHeader = result.size();
            }
        } else if (general && !comment && isKeyLine(content, key.toLatin1())) {
            result += entry + endingOf(line);
            found = true;
            dropping = continued;
        } else {
            result += line;
        }
    }
    if (found)
        return result;
    if (afterHeader >= 0)
        return result.insert(afterHeader, entry + newline);
    return "[General]" + newline + entry + newline + result;
}

QByteArray IniFileText::encoded(const QString &value)
{
    // QSettings reads a text that begins with "@" as a typed value unless
    // the "@" is doubled.
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    const bool plain = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
               (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_') ||
               c == QLatin1Char('-') || c == QLatin1Char('.');
    });
    if (plain)
        return text.toLatin1();
    // Every character escaped alike: a hexadecimal escape runs on while
    // hexadecimal digits follow, so none may follow one unescaped.
    QByteArray escaped;
    for (const QChar c : text)
        escaped += "\\x" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    return escaped;
}
