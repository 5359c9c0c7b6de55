#include "recordfields.h"

#include <limits>

namespace
{

using Field = RecordFields::Field;
using Type = RecordFields::Type;
using Preset = std::optional<double>;

constexpr qint32 IntMin = std::numeric_limits<qint32>::min();
constexpr qint32 IntMax = std::numeric_limits<qint32>::max();

Field boolField(const char *name, bool SceneParams::*member, const char *accepted)
{
    return {name, Type::Bool, member, nullptr, nullptr, 0, 0, accepted, std::nullopt};
}

Field intField(const char *name, qint32 SceneParams::*member, qint32 lowest, qint32 highest,
               const char *accepted, Preset preset)
{
    return {name, Type::Int, nullptr, member, nullptr, lowest, highest, accepted, preset};
}

Field doubleField(const char *name, double SceneParams::*member, const char *accepted,
                  Preset preset)
{
    return {name, Type::Double, nullptr, nullptr, member, 0, 0, accepted, preset};
}

} // namespace

const QVector<RecordFields::Field> &RecordFields::all()
{
    static const QVector<Field> fields = {
        boolField("horizontalMount", &SceneParams::horizontalMount, "true or false"),
        intField("scenario", &SceneParams::scenario, 1, 3,
                 "1 person, 2 vehicle lanes, 3 capture point", std::nullopt),
        intField("plateType", &SceneParams::plateType, 1, 3, "1, 2 or 3", PlateType::Width520),
        intField("pitchAngle", &SceneParams::pitchAngle, IntMin, IntMax, "any (degrees)", 10),
        intField("horizontalAngle", &SceneParams::horizontalAngle, IntMin, IntMax, "any (degrees)",
                 10),
        intField("minPixels", &SceneParams::minPixels, IntMin, IntMax, "any (pixels)", 120),
        intField("maxPixels", &SceneParams::maxPixels, IntMin, IntMax, "any (pixels)", 320),
        intField("resolutionWidth", &SceneParams::resolutionWidth, IntMin, IntMax, "any (pixels)",
                 3840),
        intField("resolutionHeight", &SceneParams::resolutionHeight, IntMin, IntMax, "any (pixels)",
                 2160),
        intField("lanesNum", &SceneParams::lanesNum, 1, IntMax, "1 or more", 1),
        doubleField("lanesWidth", &SceneParams::lanesWidth, "0 or more (metres)", 3.75),
        doubleField("focalLength", &SceneParams::focalLength, "0 or more (millimetres)", 12),
        doubleField("targetHeight", &SceneParams::targetHeight, "0 or more (metres)", 1.6),
        doubleField("sensorHeight", &SceneParams::sensorHeight, "0 or more (millimetres)",
                    std::nullopt),
        doubleField("sensorWidth", &SceneParams::sensorWidth, "0 or more (millimetres)",
                    std::nullopt),
        doubleField("ipcHeight", &SceneParams::ipcHeight, "0 or more (metres)", 2.5),
        doubleField("captureDistance", &SceneParams::captureDistance, "0 or more (metres)", 40),
    };
    return fields;
}

const RecordFields::Field *RecordFields::find(const QString &name)
{
    for (const Field &field : all()) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    return nullptr;
}

SceneParams RecordFields::presets()
{
    SceneParams record;
    for (const Field &field : all()) {
        if (!field.preset)
            continue;
        switch (field.type) {
        case Type::Bool:
            record.*field.boolMember = *field.preset != 0;
            break;
        case Type::Int:
            record.*field.intMember = qint32(*field.preset);
            break;
        case Type::Double:
            record.*field.doubleMember = *field.preset;
            break;
        }
    }
    return record;
}
