#include "planfile.h"

#include "filereplacer.h"
#include "jsonobjectscanner.h"
#include "recordfields.h"
#include "recordvalue.h"
#include "regularfile.h"

#include <QSet>

#include <limits>

namespace
{

using Member = JsonObjectScanner::Member;
using Kind = JsonObjectScanner::Kind;

constexpr qint32 IntMax = std::numeric_limits<qint32>::max();

// The members of an object's text, each key once.
bool objectMembers(const QByteArray &text, QVector<Member> *members, QString *reason)
{
    JsonObjectScanner scanner;
    switch (scanner.scan(text)) {
    case JsonObjectScanner::Outcome::Malformed:
        *reason = QStringLiteral("not valid JSON (%1 at offset %2)")
                      .arg(scanner.error())
                      .arg(scanner.errorOffset());
        return false;
    case JsonObjectScanner::Outcome::OtherValue:
        *reason = QStringLiteral("not a JSON object");
        return false;
    case JsonObjectScanner::Outcome::Object:
        break;
    }
    QSet<QString> seen;
    for (const Member &member : scanner.members()) {
        if (seen.contains(member.key)) {
            *reason = QStringLiteral("duplicate key \"%1\"").arg(member.key);
            return false;
        }
        seen.insert(member.key);
    }
    *members = scanner.members();
    return true;
}

bool toText(const Member &member, QString *text, QString *reason)
{
    if (member.kind != Kind::String) {
        *reason = QStringLiteral("\"%1\" must be text").arg(member.key);
        return false;
    }
    *text = member.string;
    return true;
}

// name, note and the members nobody knows; false when a name or note is no
// text.
bool takeNamed(const Member &member, QString *name, QString *note, QVector<PlanExtra> *extra,
               QString *reason)
{
    if (member.key == QLatin1String("name"))
        return toText(member, name, reason);
    if (member.key == QLatin1String("note"))
        return toText(member, note, reason);
    extra->append({member.key, member.text});
    return true;
}

bool readSite(const Member &site, Plan *plan, QString *reason)
{
    QVector<Member> members;
    if (site.kind != Kind::Object) {
        *reason = QStringLiteral("\"site\" must be an object");
        return false;
    }
    if (!objectMembers(site.text, &members, reason))
        return false;
    for (const Member &member : qAsConst(members)) {
        if (!takeNamed(member, &plan->siteName, &plan->siteNote, &plan->siteExtra, reason)) {
            *reason = QStringLiteral("site: %1").arg(*reason);
            return false;
        }
    }
    return true;
}

bool readPoleMembers(const QVector<Member> &members, PlanPole *pole, QString *reason)
{
    QSet<QString> fields;
    for (const Member &member : members) {
        if (const RecordFields::Field *field = RecordFields::find(member.key)) {
            if (!RecordValue::assign(*field, member, &pole->record, reason))
                return false;
            fields.insert(member.key);
        } else if (!takeNamed(member, &pole->name, &pole->note, &pole->extra, reason)) {
            return false;
        }
    }
    // A plan is a window's document: it says every value the window shows.
    for (const RecordFields::Field &field : RecordFields::all()) {
        if (!fields.contains(QLatin1String(field.name))) {
            *reason = QStringLiteral("\"%1\" is missing").arg(QLatin1String(field.name));
            return false;
        }
    }
    *reason = RecordFields::outsideWindow(pole->record);
    return reason->isEmpty();
}

bool readPole(const Member &element, int number, PlanPole *pole, QString *reason)
{
    QVector<Member> members;
    if (element.kind != Kind::Object) {
        *reason = QStringLiteral("pole %1 is not a JSON object").arg(number);
        return false;
    }
    if (objectMembers(element.text, &members, reason) && readPoleMembers(members, pole, reason))
        return true;
    *reason = pole->name.isEmpty()
                  ? QStringLiteral("pole %1: %2").arg(number).arg(*reason)
                  : QStringLiteral("pole %1 (\"%2\"): %3").arg(number).arg(pole->name, *reason);
    return false;
}

bool readPoles(const Member &poles, Plan *plan, QString *reason)
{
    JsonObjectScanner scanner;
    if (poles.kind != Kind::Array ||
        scanner.scan(poles.text) != JsonObjectScanner::Outcome::OtherValue) {
        *reason = QStringLiteral("\"poles\" must be an array");
        return false;
    }
    if (scanner.elements().isEmpty()) {
        *reason = QStringLiteral("\"poles\" must hold at least one pole");
        return false;
    }
    for (const Member &element : scanner.elements()) {
        PlanPole pole;
        if (!readPole(element, plan->poles.size() + 1, &pole, reason))
            return false;
        plan->poles.append(pole);
    }
    return true;
}

// A newer format is refused before anything else is judged: its members
// may mean what this program cannot know.
bool readVersion(const QVector<Member> &members, QString *reason)
{
    for (const Member &member : members) {
        if (member.key != QLatin1String("version"))
            continue;
        qint32 version = 0;
        if (!RecordValue::toInt(member.key, member, 1, IntMax, &version, reason))
            return false;
        if (version > PlanFile::FormatVersion) {
            *reason = QStringLiteral("it is plan format %1, from a newer Fenwarde; this one "
                                     "reads format %2")
                          .arg(version)
                          .arg(PlanFile::FormatVersion);
            return false;
        }
        return true;
    }
    *reason = QStringLiteral("\"version\" is missing: not a Fenwarde plan");
    return false;
}

QByteArray jsonString(const QString &text)
{
    QByteArray json = "\"";
    for (const char c : text.toUtf8()) {
        const uchar byte = uchar(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (byte < 0x20) {
            json += "\\u00" + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            json += c;
        }
    }
    return json + '"';
}

QByteArray fieldValue(const RecordFields::Field &field, const SceneParams &record)
{
    switch (field.type) {
    case RecordFields::Type::Bool:
        return record.*field.boolMember ? "true" : "false";
    case RecordFields::Type::Int:
        return QByteArray::number(record.*field.intMember);
    case RecordFields::Type::Double:
        return RecordValue::exactNumber(record.*field.doubleMember);
    }
    return QByteArray();
}

// Writes an object's members at one indentation, one per line.
class ObjectText final
{
public:
    explicit ObjectText(int indent) : m_indent(indent, ' ') {}

    void add(const QString &key, const QByteArray &json)
    {
        m_text += m_text.isEmpty() ? "{\n" : ",\n";
        m_text += m_indent + "  " + jsonString(key) + ": " + json;
    }
    void add(const QVector<PlanExtra> &extra)
    {
        for (const PlanExtra &member : extra)
            add(member.key, member.json);
    }
    QByteArray text() const { return m_text.isEmpty() ? "{}" : m_text + '\n' + m_indent + '}'; }

private:
    QByteArray m_indent;
    QByteArray m_text;
};

QByteArray poleText(const PlanPole &pole)
{
    ObjectText object(4);
    object.add(QStringLiteral("name"), jsonString(pole.name));
    object.add(QStringLiteral("note"), jsonString(pole.note));
    for (const RecordFields::Field &field : RecordFields::all())
        object.add(QLatin1String(field.name), fieldValue(field, pole.record));
    object.add(pole.extra);
    return object.text();
}

} // namespace

bool PlanFile::read(const QString &path, Plan *plan, QString *reason)
{
    QByteArray bytes;
    if (!RegularFile::read(path, MaxBytes, &bytes, reason))
        return false;
    return parse(bytes, plan, reason);
}

bool PlanFile::parse(const QByteArray &bytes, Plan *plan, QString *reason)
{
    QVector<Member> members;
    if (!objectMembers(bytes, &members, reason) || !readVersion(members, reason))
        return false;
    Plan read;
    bool poles = false;
    for (const Member &member : qAsConst(members)) {
        if (member.key == QLatin1String("version"))
            continue;
        if (member.key == QLatin1String("site")) {
            if (!readSite(member, &read, reason))
                return false;
        } else if (member.key == QLatin1String("poles")) {
            if (!readPoles(member, &read, reason))
                return false;
            poles = true;
        } else {
            read.extra.append({member.key, member.text});
        }
    }
    if (!poles) {
        *reason = QStringLiteral("\"poles\" is missing");
        return false;
    }
    *plan = read;
    return true;
}

QByteArray PlanFile::text(const Plan &plan)
{
    ObjectText site(2);
    site.add(QStringLiteral("name"), jsonString(plan.siteName));
    site.add(QStringLiteral("note"), jsonString(plan.siteNote));
    site.add(plan.siteExtra);

    QByteArray poles = "[";
    for (const PlanPole &pole : plan.poles)
        poles += (poles.size() > 1 ? ",\n    " : "\n    ") + poleText(pole);
    poles += plan.poles.isEmpty() ? "]" : "\n  ]";

    ObjectText file(0);
    file.add(QStringLiteral("version"), QByteArray::number(FormatVersion));
    file.add(QStringLiteral("site"), site.text());
    file.add(QStringLiteral("poles"), poles);
    file.add(plan.extra);
    return file.text() + '\n';
}

bool PlanFile::write(const QString &path, const Plan &plan, QString *reason)
{
    return FileReplacer::replace(path, text(plan), reason);
}
