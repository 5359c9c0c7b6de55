#include "jsonobjectscanner.h"

#include "utf8sequence.h"

namespace
{

// Deeper texts are refused rather than risking the stack; no record needs
// more than one level.
constexpr int MaxDepth = 512;

bool isDigit(uchar c)
{
    return c >= '0' && c <= '9';
}

int hexValue(uchar c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool startsNumber(uchar c)
{
    // A leading '+' or '.' is taken in so that the number can be refused as
    // a whole, with its field named.
    return isDigit(c) || c == '-' || c == '+' || c == '.';
}

} // namespace

JsonObjectScanner::Outcome JsonObjectScanner::scan(const QByteArray &text)
{
    m_text = text;
    m_pos = 0;
    m_members.clear();
    m_elements.clear();
    m_error.clear();
    m_errorOffset = 0;

    // A byte-order mark before the text is ignored, as Qt's reader always
    // did for these lines.
    if (m_text.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
    skipSpace();
    Outcome outcome = Outcome::Object;
    if (peek() == '{') {
        if (!object(1, true))
            return Outcome::Malformed;
    } else if (peek() == '[') {
        if (!array(1, true))
            return Outcome::Malformed;
        outcome = Outcome::OtherValue;
    } else {
        const int start = m_pos;
        Member member;
        if (!value(1, &member))
            return Outcome::Malformed;
        if (member.kind == Kind::Number && !isJsonNumber(member.number)) {
            m_pos = start;
            fail(QStringLiteral("illegal number"));
            return Outcome::Malformed;
        }
        outcome = Outcome::OtherValue;
    }
    skipSpace();
    if (!atEnd()) {
        fail(QStringLiteral("text after the end of the value"));
        return Outcome::Malformed;
    }
    return outcome;
}

bool JsonObjectScanner::isJsonNumber(const QByteArray &text)
{
    const int n = text.size();
    const auto at = [&text](int i) { return static_cast<uchar>(text.at(i)); };
    int i = 0;
    if (i < n && at(i) == '-')
        ++i;
    if (i < n && at(i) == '0') {
        ++i;
    } else if (i < n && at(i) >= '1' && at(i) <= '9') {
        while (i < n && isDigit(at(i)))
            ++i;
    } else {
        return false;
    }
    if (i < n && at(i) == '.') {
        const int digits = ++i;
        while (i < n && isDigit(at(i)))
            ++i;
        if (i == digits)
            return false;
    }
    if (i < n && (at(i) == 'e' || at(i) == 'E')) {
        ++i;
        if (i < n && (at(i) == '+' || at(i) == '-'))
            ++i;
        const int digits = i;
        while (i < n && isDigit(at(i)))
            ++i;
        if (i == digits)
            return false;
    }
    return i == n;
}

// Only a top-level member keeps its decoded string; nested values are
// checked and passed over.
bool JsonObjectScanner::value(int depth, Member *member)
{
    if (depth > MaxDepth)
        return fail(QStringLiteral("too deeply nested"));
    const uchar c = peek();
    switch (c) {
    case '{':
        member->kind = Kind::Object;
        return object(depth + 1, false);
    case '[':
        member->kind = Kind::Array;
        return array(depth + 1, false);
    case '"':
        member->kind = Kind::String;
        return string(depth == 1 ? &member->string : nullptr);
    case 't':
        member->kind = Kind::True;
        return literal("true");
    case 'f':
        member->kind = Kind::False;
        return literal("false");
    case 'n':
        member->kind = Kind::Null;
        return literal("null");
    default:
        if (startsNumber(c)) {
            member->kind = Kind::Number;
            return numberText(&member->number);
        }
        return fail(atEnd() ? QStringLiteral("the line ends where a value should be")
                            : QStringLiteral("illegal value"));
    }
}

bool JsonObjectScanner::object(int depth, bool topLevel)
{
    ++m_pos;
    skipSpace();
    if (peek() == '}') {
        ++m_pos;
        return true;
    }
    for (;;) {
        if (peek() != '"')
            return fail(QStringLiteral("expected a key in quotes"));
        QString key;
        if (!string(&key))
            return false;
        skipSpace();
        if (peek() != ':')
            return fail(QStringLiteral("expected a colon after the key"));
        ++m_pos;
        skipSpace();
        const int start = m_pos;
        Member member;
        member.key = key;
        if (!value(depth, &member))
            return false;
        if (topLevel) {
            member.text = m_text.mid(start, m_pos - start);
            m_members.append(member);
        } else if (member.kind == Kind::Number && !isJsonNumber(member.number)) {
            m_pos = start;
            return fail(QStringLiteral("illegal number"));
        }
        skipSpace();
        if (peek() == ',') {
            ++m_pos;
            skipSpace();
            continue;
        }
        if (peek() == '}') {
            ++m_pos;
            return true;
        }
        return fail(QStringLiteral("expected a comma or a closing brace"));
    }
}

bool JsonObjectScanner::array(int depth, bool topLevel)
{
    ++m_pos;
    skipSpace();
    if (peek() == ']') {
        ++m_pos;
        return true;
    }
    for (;;) {
        const int start = m_pos;
        Member element;
        if (!value(depth, &element))
            return false;
        if (element.kind == Kind::Number && !isJsonNumber(element.number)) {
            m_pos = start;
            return fail(QStringLiteral("illegal number"));
        }
        if (topLevel) {
            element.text = m_text.mid(start, m_pos - start);
            m_elements.append(element);
        }
        skipSpace();
        if (peek() == ',') {
            ++m_pos;
            skipSpace();
            continue;
        }
        if (peek() == ']') {
            ++m_pos;
            return true;
        }
        return fail(QStringLiteral("expected a comma or a closing bracket"));
    }
}

bool JsonObjectScanner::string(QString *decoded)
{
    ++m_pos;
    for (;;) {
        if (atEnd())
            return fail(QStringLiteral("unterminated string"));
        const uchar c = peek();
        if (c == '"') {
            ++m_pos;
            return true;
        }
        if (c == '\\') {
            if (!escape(decoded))
                return false;
        } else if (c < 0x20) {
            return fail(QStringLiteral("control character in a string"));
        } else if (c < 0x80) {
            if (decoded)
                decoded->append(QLatin1Char(static_cast<char>(c)));
            ++m_pos;
        } else if (!utf8Sequence(decoded)) {
            return false;
        }
    }
}

bool JsonObjectScanner::escape(QString *decoded)
{
    ++m_pos;
    const uchar c = peek();
    char plain = 0;
    switch (c) {
    case '"':
    case '\\':
    case '/':
        plain = static_cast<char>(c);
        break;
    case 'b':
        plain = '\b';
        break;
    case 'f':
        plain = '\f';
        break;
    case 'n':
        plain = '\n';
        break;
    case 'r':
        plain = '\r';
        break;
    case 't':
        plain = '\t';
        break;
    case 'u': {
        ushort unit = 0;
        for (int i = 1; i <= 4; ++i) {
            const int digit = hexValue(byteAt(m_pos + i));
            if (digit < 0)
                return fail(QStringLiteral("illegal \\u escape"));
            unit = static_cast<ushort>(unit * 16 + digit);
        }
        // Surrogate halves are kept as written; a key holding a lone one
        // simply matches no field.
        if (decoded)
            decoded->append(QChar(unit));
        m_pos += 5;
        return true;
    }
    default:
        return fail(QStringLiteral("illegal escape"));
    }
    if (decoded)
        decoded->append(QLatin1Char(plain));
    ++m_pos;
    return true;
}

// One well-formed UTF-8 sequence: no overlong forms, no surrogates, nothing
// beyond U+10FFFF.
bool JsonObjectScanner::utf8Sequence(QString *decoded)
{
    const auto *at = reinterpret_cast<const uchar *>(m_text.constData()) + m_pos;
    const int length = utf8SequenceLength(at, m_text.size() - m_pos);
    if (length == 0)
        return fail(QStringLiteral("invalid UTF-8 in a string"));
    if (decoded)
        decoded->append(QString::fromUtf8(reinterpret_cast<const char *>(at), length));
    m_pos += length;
    return true;
}

bool JsonObjectScanner::literal(const char *word)
{
    const int length = int(qstrlen(word));
    if (m_text.mid(m_pos, length) != word)
        return fail(QStringLiteral("illegal value"));
    m_pos += length;
    return true;
}

bool JsonObjectScanner::numberText(QByteArray *number)
{
    const int start = m_pos;
    while (!atEnd() && (startsNumber(peek()) || peek() == 'e' || peek() == 'E'))
        ++m_pos;
    *number = m_text.mid(start, m_pos - start);
    return true;
}

void JsonObjectScanner::skipSpace()
{
    while (!atEnd()) {
        const uchar c = peek();
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return;
        ++m_pos;
    }
}

bool JsonObjectScanner::fail(const QString &error)
{
    m_error = error;
    m_errorOffset = m_pos;
    return false;
}
