#include "recordvalue.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

using Member = JsonObjectScanner::Member;
using Kind = JsonObjectScanner::Kind;

constexpr qint32 IntMax = std::numeric_limits<qint32>::max();
// Stands for a value that is not a number at all, which no field accepts.
constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();

// The exponent of a JSON number whose mantissa ends at index i (at its 'e',
// or at the end), capped far beyond any field's range.
qint64 exponentAfter(const QByteArray &text, int i)
{
    qint64 exponent = 0;
    bool negative = false;
    if (++i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
        negative = text.at(i++) == '-';
    for (; i < text.size(); ++i)
        exponent = std::min<qint64>(exponent * 10 + (text.at(i) - '0'), 1000000000);
    return negative ? -exponent : exponent;
}

// The power of ten of the first significant digit of a JSON number; 0 for a
// number whose digits are all zero.
qint64 leadingPower(const QByteArray &text)
{
    qint64 integerDigits = 0;
    qint64 index = 0;
    qint64 first = -1;
    bool fraction = false;
    int i = text.startsWith('-') ? 1 : 0;
    for (; i < text.size() && text.at(i) != 'e' && text.at(i) != 'E'; ++i) {
        const char c = text.at(i);
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (!fraction)
            ++integerDigits;
        if (first < 0 && c != '0')
            first = index;
        ++index;
    }
    if (first < 0)
        return 0;
    return integerDigits - 1 - first + exponentAfter(text, i);
}

// True when a JSON number, as written, is a whole number: every digit
// after its decimal point, once the exponent has moved the point, is a zero.
// The nearest double cannot tell: 29.99999999999999999 reads as 30.
bool isWholeNumber(const QByteArray &text)
{
    QByteArray digits;
    qint64 integerDigits = 0;
    bool fraction = false;
    int i = text.startsWith('-') ? 1 : 0;
    for (; i < text.size() && text.at(i) != 'e' && text.at(i) != 'E'; ++i) {
        if (text.at(i) == '.') {
            fraction = true;
            continue;
        }
        digits += text.at(i);
        if (!fraction)
            ++integerDigits;
    }
    const qint64 point = integerDigits + exponentAfter(text, i);
    for (qint64 d = std::max<qint64>(point, 0); d < digits.size(); ++d) {
        if (digits.at(int(d)) != '0')
            return false;
    }
    return true;
}

// The double nearest to a JSON number. As JSON parsers do, a number too small
// for a double reads as a zero that keeps the number's sign; one too large
// reads as infinity.
double numberValue(const QByteArray &text)
{
    bool ok = false;
    double value = text.toDouble(&ok);
    if (!ok)
        value = leadingPower(text) < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    return std::copysign(value, text.startsWith('-') ? -1.0 : 1.0);
}

// A number as written, shortened for a message.
QString shown(const QByteArray &number)
{
    constexpr int Longest = 40;
    if (number.size() <= Longest)
        return QString::fromLatin1(number);
    return QString::fromLatin1(number.left(Longest - 3)) + QStringLiteral("...");
}

QString rangeText(qint32 lowest, qint32 highest)
{
    if (highest == IntMax)
        return QStringLiteral("at least %1").arg(lowest);
    return QStringLiteral("from %1 to %2").arg(lowest).arg(highest);
}

// A number field holding something that looks like a number but is none.
bool notJsonNumber(const QString &name, const Member &member, QString *reason)
{
    if (member.kind != Kind::Number || JsonObjectScanner::isJsonNumber(member.number))
        return false;
    *reason = QStringLiteral("\"%1\" holds %2, which is not a JSON number")
                  .arg(name, shown(member.number));
    return true;
}

} // namespace

namespace RecordValue
{

bool toBool(const QString &name, const Member &member, bool *value, QString *reason)
{
    if (notJsonNumber(name, member, reason))
        return false;
    if (member.kind != Kind::True && member.kind != Kind::False) {
        *reason = QStringLiteral("\"%1\" must be true or false").arg(name);
        return false;
    }
    *value = member.kind == Kind::True;
    return true;
}

bool toInt(const QString &name, const Member &member, qint32 lowest, qint32 highest, qint32 *value,
           QString *reason)
{
    if (notJsonNumber(name, member, reason))
        return false;
    const double number = member.kind == Kind::Number ? numberValue(member.number) : NoNumber;
    if (!std::isfinite(number) || !isWholeNumber(member.number) || number < -2147483648.0 ||
        number > 2147483647.0) {
        *reason = QStringLiteral("\"%1\" must be a 32-bit integer").arg(name);
        return false;
    }
    const qint32 whole = static_cast<qint32>(number);
    if (whole < lowest || whole > highest) {
        *reason = QStringLiteral("\"%1\" must be %2").arg(name, rangeText(lowest, highest));
        return false;
    }
    *value = whole;
    return true;
}

bool toLength(const QString &name, const Member &member, double *value, QString *reason)
{
    if (notJsonNumber(name, member, reason))
        return false;
    const double number = member.kind == Kind::Number ? numberValue(member.number) : NoNumber;
    if (!std::isfinite(number)) {
        *reason = QStringLiteral("\"%1\" must be a finite number").arg(name);
        return false;
    }
    // -0.0 is no length below zero; it is kept as written.
    if (number < 0.0) {
        *reason = QStringLiteral("\"%1\" must not be negative").arg(name);
        return false;
    }
    *value = number;
    return true;
}

bool assign(const RecordFields::Field &field, const Member &member, SceneParams *record,
            QString *reason)
{
    const QString name = QLatin1String(field.name);
    switch (field.type) {
    case RecordFields::Type::Bool:
        return toBool(name, member, &(record->*field.boolMember), reason);
    case RecordFields::Type::Int:
        return toInt(name, member, field.lowest, field.highest, &(record->*field.intMember),
                     reason);
    case RecordFields::Type::Double:
        return toLength(name, member, &(record->*field.doubleMember), reason);
    }
    return false;
}

QByteArray exactNumber(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace RecordValue
