#include "recordreader.h"

#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>

namespace
{

enum class FieldType { Bool, Int, Double };

struct Field {
    const char *name;
    FieldType type;
    bool SceneParams::*boolMember;
    qint32 SceneParams::*intMember;
    double SceneParams::*doubleMember;
};

constexpr Field boolField(const char *name, bool SceneParams::*member)
{
    return {name, FieldType::Bool, member, nullptr, nullptr};
}

constexpr Field intField(const char *name, qint32 SceneParams::*member)
{
    return {name, FieldType::Int, nullptr, member, nullptr};
}

constexpr Field doubleField(const char *name, double SceneParams::*member)
{
    return {name, FieldType::Double, nullptr, nullptr, member};
}

// In the order of the record, which is also the order of the usage text.
const Field Fields[] = {
    boolField("horizontalMount", &SceneParams::horizontalMount),
    intField("scenario", &SceneParams::scenario),
    intField("plateType", &SceneParams::plateType),
    intField("pitchAngle", &SceneParams::pitchAngle),
    intField("horizontalAngle", &SceneParams::horizontalAngle),
    intField("minPixels", &SceneParams::minPixels),
    intField("maxPixels", &SceneParams::maxPixels),
    intField("resolutionWidth", &SceneParams::resolutionWidth),
    intField("resolutionHeight", &SceneParams::resolutionHeight),
    intField("lanesNum", &SceneParams::lanesNum),
    doubleField("lanesWidth", &SceneParams::lanesWidth),
    doubleField("focalLength", &SceneParams::focalLength),
    doubleField("targetHeight", &SceneParams::targetHeight),
    doubleField("sensorHeight", &SceneParams::sensorHeight),
    doubleField("sensorWidth", &SceneParams::sensorWidth),
    doubleField("ipcHeight", &SceneParams::ipcHeight),
    doubleField("captureDistance", &SceneParams::captureDistance),
};

const Field *findField(const QString &name)
{
    for (const Field &field : Fields) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    return nullptr;
}

bool isBlank(const QByteArray &line)
{
    return line.trimmed().isEmpty();
}

// Stores value into the field, or explains why it does not fit its type.
bool assign(const Field &field, const QJsonValue &value, SceneParams *params, QString *reason)
{
    const QString name = QLatin1String(field.name);
    switch (field.type) {
    case FieldType::Bool:
        if (!value.isBool()) {
            *reason = QStringLiteral("\"%1\" must be true or false").arg(name);
            return false;
        }
        params->*field.boolMember = value.toBool();
        return true;
    case FieldType::Int: {
        // JSON has one number type; an integer field takes only whole numbers
        // that fit 32 bits, so nothing is silently rounded or wrapped.
        const double number = value.toDouble();
        if (!value.isDouble() || !std::isfinite(number) || std::trunc(number) != number ||
            number < -2147483648.0 || number > 2147483647.0) {
            *reason = QStringLiteral("\"%1\" must be a 32-bit integer").arg(name);
            return false;
        }
        params->*field.intMember = static_cast<qint32>(number);
        return true;
    }
    case FieldType::Double:
        if (!value.isDouble() || !std::isfinite(value.toDouble())) {
            *reason = QStringLiteral("\"%1\" must be a finite number").arg(name);
            return false;
        }
        params->*field.doubleMember = value.toDouble();
        return true;
    }
    return false;
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

} // namespace

RecordReader::RecordReader(QIODevice *input) : m_input(input)
{
}

RecordReader::Status RecordReader::next()
{
    while (m_input && !m_input->atEnd()) {
        const QByteArray line = m_input->readLine();
        ++m_lineNumber;
        if (isBlank(line))
            continue;
        m_reason.clear();
        return parseRecord(line, &m_params, &m_reason) ? Status::Record : Status::Invalid;
    }
    return Status::End;
}

bool RecordReader::parseRecord(const QByteArray &line, SceneParams *params, QString *reason)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(line, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *reason = QStringLiteral("not valid JSON (%1 at offset %2)")
                      .arg(parseError.errorString())
                      .arg(parseError.offset);
        return false;
    }
    if (!document.isObject()) {
        *reason = QStringLiteral("not a JSON object");
        return false;
    }

    SceneParams record;
    const QJsonObject object = document.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const Field *field = findField(it.key());
        if (!field) {
            *reason = QStringLiteral("unknown key \"%1\"").arg(it.key());
            return false;
        }
        if (!assign(*field, it.value(), &record, reason))
            return false;
    }
    *params = record;
    return true;
}

QString RecordReader::fieldList()
{
    const SceneParams defaults;
    QString text;
    for (const Field &field : Fields) {
        text += QStringLiteral("  %1 %2 %3\n")
                    .arg(QLatin1String(field.name), -18)
                    .arg(typeName(field.type), -7)
                    .arg(defaultText(field, defaults));
    }
    return text;
}
