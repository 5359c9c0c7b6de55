#include "recordreader.h"

#include "jsonobjectscanner.h"
#include "recordfields.h"
#include "searchwording.h"

#include <QJsonDocument>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

using FieldType = RecordFields::Type;

constexpr qint32 IntMax = std::numeric_limits<qint32>::max();
// Stands for a value that is not a number at all, which no field accepts.
constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();

using WishInt = std::optional<qint32> SolveWish::*;
using WishDouble = std::optional<double> SolveWish::*;

// A record field (RecordFields) or a wish field. Integer fields accept
// lowest..highest; every double field is a length or a height and accepts
// any finite value that is not negative: batch users explore beyond the
// planning window's ranges, but a negative size means nothing. A field
// stores into the record or, for a wish, into the wish.
struct Field {
    const char *name;
    FieldType type;
    bool SceneParams::*boolMember;
    qint32 SceneParams::*intMember;
    double SceneParams::*doubleMember;
    WishInt wishInt;
    WishDouble wishDouble;
    qint32 lowest;
    qint32 highest;
    const char *accepted; // for the usage text
};

Field wishIntField(const char *name, WishInt member, qint32 lowest, const char *accepted)
{
    return {name,   FieldType::Int, nullptr, nullptr, nullptr,
            member, nullptr,        lowest,  IntMax,  accepted};
}

Field wishDoubleField(const char *name, WishDouble member, const char *accepted)
{
    return {name, FieldType::Double, nullptr, nullptr, nullptr, nullptr, member, 0, 0, accepted};
}

// In the order of the record, which is also the order of the usage text.
const QVector<Field> &recordFields()
{
    static const QVector<Field> fields = [] {
        QVector<Field> list;
        for (const RecordFields::Field &f : RecordFields::all()) {
            list.append({f.name, f.type, f.boolMember, f.intMember, f.doubleMember, nullptr,
                         nullptr, f.lowest, f.highest, f.accepted});
        }
        return list;
    }();
    return fields;
}

const QVector<Field> &wishFields()
{
    static const QVector<Field> fields = {
        wishDoubleField("wantNear", &SolveWish::wantNear, "0 or more (metres), scenarios 1, 2"),
        wishDoubleField("wantFar", &SolveWish::wantFar,
                        "wantNear or more (metres), scenarios 1, 2"),
        wishIntField("wantPlatePixels", &SolveWish::wantPlatePixels, 1, "1 or more, scenario 3"),
        wishIntField("wantFacePixels", &SolveWish::wantFacePixels, 1, "1 or more, scenario 3"),
    };
    return fields;
}

using Member = JsonObjectScanner::Member;
using Kind = JsonObjectScanner::Kind;

const Field *findIn(const QVector<Field> &fields, const QString &name)
{
    for (const Field &field : fields) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    return nullptr;
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
    qint64 exponent = 0;
    bool negative = false;
    if (++i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
        negative = text.at(i++) == '-';
    for (; i < text.size(); ++i)
        exponent = std::min<qint64>(exponent * 10 + (text.at(i) - '0'), 1000000000);
    return integerDigits - 1 - first + (negative ? -exponent : exponent);
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
    qint64 exponent = 0;
    bool negative = false;
    if (++i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
        negative = text.at(i++) == '-';
    for (; i < text.size(); ++i)
        exponent = std::min<qint64>(exponent * 10 + (text.at(i) - '0'), 1000000000);
    const qint64 point = integerDigits + (negative ? -exponent : exponent);
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

QString rangeText(const Field &field)
{
    if (field.highest == IntMax)
        return QStringLiteral("at least %1").arg(field.lowest);
    return QStringLiteral("from %1 to %2").arg(field.lowest).arg(field.highest);
}

// Stores the member's value into the field, or explains why it does not fit.
bool assign(const Field &field, const Member &member, SceneParams *params, SolveWish *wish,
            QString *reason)
{
    const QString name = QLatin1String(field.name);
    if (member.kind == Kind::Number && !JsonObjectScanner::isJsonNumber(member.number)) {
        *reason = QStringLiteral("\"%1\" holds %2, which is not a JSON number")
                      .arg(name, shown(member.number));
        return false;
    }
    switch (field.type) {
    case FieldType::Bool:
        if (member.kind != Kind::True && member.kind != Kind::False) {
            *reason = QStringLiteral("\"%1\" must be true or false").arg(name);
            return false;
        }
        params->*field.boolMember = member.kind == Kind::True;
        return true;
    case FieldType::Int: {
        // JSON has one number type; an integer field takes only whole numbers
        // that fit 32 bits, so nothing is silently rounded or wrapped.
        const double number = member.kind == Kind::Number ? numberValue(member.number) : NoNumber;
        if (!std::isfinite(number) || !isWholeNumber(member.number) || number < -2147483648.0 ||
            number > 2147483647.0) {
            *reason = QStringLiteral("\"%1\" must be a 32-bit integer").arg(name);
            return false;
        }
        const qint32 value = static_cast<qint32>(number);
        if (value < field.lowest || value > field.highest) {
            *reason = QStringLiteral("\"%1\" must be %2").arg(name, rangeText(field));
            return false;
        }
        if (field.wishInt)
            wish->*field.wishInt = value;
        else
            params->*field.intMember = value;
        return true;
    }
    case FieldType::Double: {
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
        if (field.wishDouble)
            wish->*field.wishDouble = number;
        else
            params->*field.doubleMember = number;
        return true;
    }
    }
    return false;
}

// Qt's reason where Qt refuses the text too, so lines that were refused
// before keep their message; otherwise the given one.
QString malformedReason(const QByteArray &line, const QString &otherwise)
{
    QJsonParseError parseError;
    QJsonDocument::fromJson(line, &parseError);
    if (parseError.error == QJsonParseError::NoError)
        return otherwise;
    return QStringLiteral("not valid JSON (%1 at offset %2)")
        .arg(parseError.errorString())
        .arg(parseError.offset);
}

QString typeName(FieldType type)
{
    switch (type) {
    case FieldType::Bool:
        return QStringLiteral("bool");
    case FieldType::Int:
        return QStringLiteral("int");
    case FieldType::Double:
        return QStringLiteral("double");
    }
    return QString();
}

QString defaultText(const Field &field, const SceneParams &defaults)
{
    switch (field.type) {
    case FieldType::Bool:
        return defaults.*field.boolMember ? QStringLiteral("true") : QStringLiteral("false");
    case FieldType::Int:
        return QString::number(defaults.*field.intMember);
    case FieldType::Double:
        return QString::number(defaults.*field.doubleMember, 'f', 1);
    }
    return QString();
}

// The shortest text that reads back to the same double.
QByteArray exactNumber(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QString listFields(const QVector<Field> &fields, bool withDefault)
{
    const SceneParams defaults;
    const auto line = [withDefault](const QString &name, const QString &type,
                                    const QString &byDefault, const QString &accepted) {
        QString text = QStringLiteral("  %1 %2 ").arg(name, -18).arg(type, -7);
        if (withDefault)
            text += QStringLiteral("%1 ").arg(byDefault, -7);
        return text + accepted + QLatin1Char('\n');
    };
    QString text = line(QStringLiteral("field"), QStringLiteral("type"), QStringLiteral("default"),
                        QStringLiteral("accepted"));
    for (const Field &field : fields) {
        text += line(QLatin1String(field.name), typeName(field.type),
                     withDefault ? defaultText(field, defaults) : QString(),
                     QLatin1String(field.accepted));
    }
    return text;
}

} // namespace

RecordReader::RecordReader(QIODevice *input, Mode mode) : m_lines(input), m_mode(mode)
{
}

RecordReader::Status RecordReader::next()
{
    for (;;) {
        switch (m_lines.next()) {
        case ByteLineReader::Status::End:
            return Status::End;
        case ByteLineReader::Status::Error:
            m_reason = m_lines.errorString();
            return Status::ReadError;
        case ByteLineReader::Status::Line:
            break;
        }
        ++m_lineNumber;
        if (m_lines.blank())
            continue;
        m_reason.clear();
        if (m_lines.truncated()) {
            m_reason = QStringLiteral("longer than %1 bytes").arg(m_lines.line().size());
            return Status::Invalid;
        }
        // The line end is handed on, as it always was: it is white space to
        // the record and keeps the offsets in messages where they were.
        QByteArray text = m_lines.line();
        if (m_lines.terminated())
            text += '\n';
        const bool valid = m_mode == Mode::Wishes ? parseWish(text, &m_params, &m_wish, &m_reason)
                                                  : parseRecord(text, &m_params, &m_reason);
        return valid ? Status::Record : Status::Invalid;
    }
}

bool RecordReader::parseRecord(const QByteArray &line, SceneParams *params, QString *reason)
{
    return parse(line, params, nullptr, reason);
}

bool RecordReader::parseWish(const QByteArray &line, SceneParams *params, SolveWish *wish,
                             QString *reason)
{
    return parse(line, params, wish, reason);
}

// Without a wish to fill, the wish fields are unknown keys with a hint.
bool RecordReader::parse(const QByteArray &line, SceneParams *params, SolveWish *wish,
                         QString *reason)
{
    const int nul = line.indexOf('\0');
    if (nul >= 0) {
        *reason = QStringLiteral("a NUL byte at offset %1").arg(nul);
        return false;
    }
    JsonObjectScanner scanner;
    switch (scanner.scan(line)) {
    case JsonObjectScanner::Outcome::Malformed:
        *reason = malformedReason(line, QStringLiteral("not valid JSON (%1 at offset %2)")
                                            .arg(scanner.error())
                                            .arg(scanner.errorOffset()));
        return false;
    case JsonObjectScanner::Outcome::OtherValue:
        *reason = malformedReason(line, QStringLiteral("not a JSON object"));
        return false;
    case JsonObjectScanner::Outcome::Object:
        break;
    }

    QVector<Member> members = scanner.members();
    QSet<QString> seen;
    for (const Member &member : qAsConst(members)) {
        if (seen.contains(member.key)) {
            *reason = QStringLiteral("duplicate key \"%1\"").arg(member.key);
            return false;
        }
        seen.insert(member.key);
    }
    // Fields are judged in key order, the order in which they were always
    // reported.
    std::sort(members.begin(), members.end(),
              [](const Member &a, const Member &b) { return a.key < b.key; });

    SceneParams record;
    SolveWish recordWish;
    for (const Member &member : qAsConst(members)) {
        const Field *field = findIn(recordFields(), member.key);
        if (!field && wish)
            field = findIn(wishFields(), member.key);
        if (!field) {
            *reason = findIn(wishFields(), member.key)
                          ? QStringLiteral("\"%1\" is a wish, read with --solve only")
                          : QStringLiteral("unknown key \"%1\"");
            *reason = reason->arg(member.key);
            return false;
        }
        if (!assign(*field, member, &record, &recordWish, reason))
            return false;
    }
    if (wish) {
        const SearchFailure problem = recordWish.problem(record);
        if (problem.failed()) {
            *reason = SearchWording::text(problem, record, recordWish);
            return false;
        }
        *wish = recordWish;
    }
    *params = record;
    return true;
}

QString RecordReader::fieldList()
{
    return listFields(recordFields(), true);
}

QString RecordReader::wishFieldList()
{
    return listFields(wishFields(), false);
}

QByteArray RecordReader::recordObject(const SceneParams &params)
{
    QByteArray object;
    for (const Field &field : recordFields()) {
        QByteArray value;
        switch (field.type) {
        case FieldType::Bool:
            value = params.*field.boolMember ? "true" : "false";
            break;
        case FieldType::Int:
            if (params.*field.intMember < field.lowest || params.*field.intMember > field.highest)
                continue;
            value = QByteArray::number(params.*field.intMember);
            break;
        case FieldType::Double:
            value = exactNumber(params.*field.doubleMember);
            break;
        }
        object += object.isEmpty() ? "{\"" : ",\"";
        object += field.name;
        object += "\":";
        object += value;
    }
    return object + '}';
}
