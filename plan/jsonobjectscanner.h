#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Reads one JSON text by the letter of RFC 8259 (a leading UTF-8 byte-order
// mark is ignored, as the RFC allows) and lists the members of its
// top-level object in the order written, keys decoded, duplicates kept, or
// the elements of its top-level array. A number standing directly as a
// member's value is not judged here: the member carries the number as
// written, so the caller can name the field when it is not a JSON number.
// Everything else must be well-formed JSON. A nested object or array is
// read by scanning its text again.
class JsonObjectScanner final
{
public:
    enum class Outcome { Object, OtherValue, Malformed };
    enum class Kind { String, Number, True, False, Null, Array, Object };

    struct Member {
        QString key; // empty for an element of an array
        Kind kind = Kind::Null;
        QByteArray number; // Number only: the text as written
        QString string;    // String only: decoded
        QByteArray text;   // the value as written
    };

    Outcome scan(const QByteArray &text);

    const QVector<Member> &members() const { return m_members; }
    // After OtherValue for a top-level array: its elements in order.
    const QVector<Member> &elements() const { return m_elements; }
    // After Malformed: what is wrong and the byte offset where it was found.
    const QString &error() const { return m_error; }
    int errorOffset() const { return m_errorOffset; }

    // True when text follows the JSON number grammar: an optional minus, an
    // integer part without leading zeros, an optional fraction with digits
    // and an optional exponent with digits.
    static bool isJsonNumber(const QByteArray &text);

private:
    bool value(int depth, Member *member);
    bool object(int depth, bool topLevel);
    bool array(int depth, bool topLevel);
    bool string(QString *decoded);
    bool literal(const char *word);
    bool numberText(QByteArray *number);
    bool escape(QString *decoded);
    bool utf8Sequence(QString *decoded);
    void skipSpace();
    bool fail(const QString &error);
    bool atEnd() const { return m_pos >= m_text.size(); }
    // The byte at, or 0 past the end.
    uchar byteAt(int at) const { return at < m_text.size() ? uchar(m_text.at(at)) : 0; }
    uchar peek() const { return byteAt(m_pos); }

    QByteArray m_text;
    int m_pos = 0;
    QVector<Member> m_members;
    QVector<Member> m_elements;
    QString m_error;
    int m_errorOffset = 0;
};
