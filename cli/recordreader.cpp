#include "recordreader.h"

#include "jsonobjectscanner.h"
#include "recordfields.h"
#include "recordvalue.h"
#include "searchwording.h"

#include <QJsonDocument>
#include <QSet>

#include <algorithm>
#include <limits>

namespace
{

using FieldType = RecordFields::Type;

constexpr qint32 IntMax = std::numeric_limits<qint32>::max();

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

const Field *findIn(const QVector<Field> &fields, const QString &name)
{
    for (const Field &field : fields) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    return nullptr;
}

// Stores the member's value into the field, or explains why it does not fit.
bool assign(const Field &field, const Member &member, SceneParams *params, SolveWish *wish,
            QString *reason)
{
    const QString name = QLatin1String(field.name);
    switch (field.type) {
    case FieldType::Bool:
        return RecordValue::toBool(name, member, &(params->*field.boolMember), reason);
    case FieldType::Int: {
        qint32 value = 0;
        if (!RecordValue::toInt(name, member, field.lowest, field.highest, &value, reason))
            return false;
        if (field.wishInt)
            wish->*field.wishInt = value;
        else
            params->*field.intMember = value;
        return true;
    }
    case FieldType::Double: {
        double value = 0.0;
        if (!RecordValue::toLength(name, member, &value, reason))
            return false;
        if (field.wishDouble)
            wish->*field.wishDouble = value;
        else
            params->*field.doubleMember = value;
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
            value = RecordValue::exactNumber(params.*field.doubleMember);
            break;
        }
        object += object.isEmpty() ? "{\"" : ",\"";
        object += field.name;
        object += "\":";
        object += value;
    }
    return object + '}';
}
