#include "recordfields.h"

#include "sensorformats.h"

#include <QStringList>

#include <limits>

namespace
{

using Field = RecordFields::Field;
using Type = RecordFields::Type;
using Preset = std::optional<double>;
using Window = std::optional<RecordFields::WindowRange>;

constexpr qint32 IntMin = std::numeric_limits<qint32>::min();
constexpr qint32 IntMax = std::numeric_limits<qint32>::max();

Field boolField(const char *name, bool SceneParams::*member, const char *accepted)
{
    return {name, Type::Bool, member, nullptr, nullptr, 0, 0, accepted, std::nullopt, std::nullopt};
}

Field intField(const char *name, qint32 SceneParams::*member, qint32 lowest, qint32 highest,
               const char *accepted, Preset preset, Window window = std::nullopt)
{
    return {name, Type::Int, nullptr, member, nullptr, lowest, highest, accepted, preset, window};
}

Field doubleField(const char *name, double SceneParams::*member, const char *accepted,
                  Preset preset, Window window = std::nullopt)
{
    return {name, Type::Double, nullptr, nullptr, member, 0, 0, accepted, preset, window};
}

RecordFields::WindowRange whole(double lowest, double highest)
{
    return {lowest, highest, 0};
}

// The window's real-valued fields show two decimals.
RecordFields::WindowRange real(double lowest, double highest)
{
    return {lowest, highest, 2};
}

double fieldValue(const Field &field, const SceneParams &record)
{
    switch (field.type) {
    case Type::Bool:
        return record.*field.boolMember ? 1 : 0;
    case Type::Int:
        return record.*field.intMember;
    case Type::Double:
        return record.*field.doubleMember;
    }
    return 0;
}

QString quoted(const char *name)
{
    return QStringLiteral("\"%1\"").arg(QLatin1String(name));
}

// The value as the window's field would hold it: rounded to its decimals,
// the way a spin box rounds what it is given.
bool showsExactly(double value, int decimals)
{
    return QString::number(value, 'f', decimals).toDouble() == value;
}

QString windowProblem(const Field &field, const SceneParams &record)
{
    const double value = fieldValue(field, record);
    const RecordFields::WindowRange &range = *field.window;
    if (value < range.lowest || value > range.highest) {
        return QStringLiteral("%1 must be from %2 to %3 in the planning window")
            .arg(quoted(field.name))
            .arg(range.lowest)
            .arg(range.highest);
    }
    if (!showsExactly(value, range.decimals)) {
        return QStringLiteral("%1 has more than the %2 decimals the planning window shows")
            .arg(quoted(field.name))
            .arg(range.decimals);
    }
    return QString();
}

// The pairs and the rules between fields that no single range states.
QString listProblem(const SceneParams &record)
{
    if (record.scenario < 1 || record.scenario > 3)
        return QStringLiteral("\"scenario\" must be 1, 2 or 3");
    if (record.plateType < 1 || record.plateType > 3)
        return QStringLiteral("\"plateType\" must be 1, 2 or 3");
    if (sensorFormatName(record.sensorWidth, record.sensorHeight).isEmpty()) {
        QStringList sizes;
        for (const SensorFormat &format : sensorFormats())
            sizes << QStringLiteral("%1 x %2").arg(format.width).arg(format.height);
        return QStringLiteral("\"sensorWidth\" and \"sensorHeight\" must be the size of a "
                              "sensor the planning window offers: %1")
            .arg(sizes.join(QStringLiteral(", ")));
    }
    const QSize resolution(record.resolutionWidth, record.resolutionHeight);
    if (!RecordFields::resolutions().contains(resolution)) {
        QStringList sizes;
        for (const QSize &size : RecordFields::resolutions())
            sizes << QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
        return QStringLiteral("\"resolutionWidth\" and \"resolutionHeight\" must be a "
                              "resolution the planning window offers: %1")
            .arg(sizes.join(QStringLiteral(", ")));
    }
    return QString();
}

QString ruleProblem(const SceneParams &record)
{
    if (!record.horizontalMount && record.horizontalAngle != 0)
        return QStringLiteral("\"horizontalAngle\" must be 0 when \"horizontalMount\" is false");
    if (record.minPixels > record.maxPixels)
        return QStringLiteral("\"minPixels\" must not be more than \"maxPixels\"");
    const int cap = qMin<int>(record.resolutionHeight, RecordFields::PixelCap);
    if (record.maxPixels > cap) {
        return QStringLiteral("\"maxPixels\" must be at most %1, the picture's height, at "
                              "a resolution of %2 x %3")
            .arg(cap)
            .arg(record.resolutionWidth)
            .arg(record.resolutionHeight);
    }
    return QString();
}

} // namespace

const QVector<RecordFields::Field> &RecordFields::all()
{
    static const QVector<Field> fields = {
        boolField("horizontalMount", &SceneParams::horizontalMount, "true or false"),
        intField("scenario", &SceneParams::scenario, 1, 3,
                 "1 person, 2 vehicle lanes, 3 capture point", std::nullopt),
        intField("plateType", &SceneParams::plateType, 1, 3, "1, 2 or 3", PlateType::Width520),
        intField("pitchAngle", &SceneParams::pitchAngle, IntMin, IntMax, "any (degrees)", 10,
                 whole(0, 45)),
        intField("horizontalAngle", &SceneParams::horizontalAngle, IntMin, IntMax, "any (degrees)",
                 10, whole(0, 45)),
        intField("minPixels", &SceneParams::minPixels, IntMin, IntMax, "any (pixels)", 120,
                 whole(80, PixelCap)),
        intField("maxPixels", &SceneParams::maxPixels, IntMin, IntMax, "any (pixels)", 320,
                 whole(320, PixelCap)),
        intField("resolutionWidth", &SceneParams::resolutionWidth, IntMin, IntMax, "any (pixels)",
                 3840),
        intField("resolutionHeight", &SceneParams::resolutionHeight, IntMin, IntMax, "any (pixels)",
                 2160),
        intField("lanesNum", &SceneParams::lanesNum, 1, IntMax, "1 or more", 1, whole(1, 4)),
        doubleField("lanesWidth", &SceneParams::lanesWidth, "0 or more (metres)", 3.75, real(1, 6)),
        doubleField("focalLength", &SceneParams::focalLength, "0 or more (millimetres)", 12,
                    real(1, 400)),
        doubleField("targetHeight", &SceneParams::targetHeight, "0 or more (metres)", 1.6,
                    real(0, 99.99)),
        doubleField("sensorHeight", &SceneParams::sensorHeight, "0 or more (millimetres)",
                    std::nullopt),
        doubleField("sensorWidth", &SceneParams::sensorWidth, "0 or more (millimetres)",
                    std::nullopt),
        doubleField("ipcHeight", &SceneParams::ipcHeight, "0 or more (metres)", 2.5,
                    real(0, 99.99)),
        doubleField("captureDistance", &SceneParams::captureDistance, "0 or more (metres)", 40,
                    real(1, 500)),
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

const QVector<QSize> &RecordFields::resolutions()
{
    static const QVector<QSize> sizes = {
        {3072, 1728}, {2880, 1620}, {2592, 1944}, {2048, 1536}, {3840, 2160}, {2592, 1520},
        {2560, 1440}, {2304, 1296}, {1920, 1080}, {1280, 960},  {1280, 720},
    };
    return sizes;
}

QString RecordFields::outsideWindow(const SceneParams &record)
{
    QString problem = listProblem(record);
    for (const Field &field : all()) {
        if (problem.isEmpty() && field.window)
            problem = windowProblem(field, record);
    }
    return problem.isEmpty() ? ruleProblem(record) : problem;
}

bool RecordFields::same(const SceneParams &a, const SceneParams &b)
{
    for (const Field &field : all()) {
        if (fieldValue(field, a) != fieldValue(field, b))
            return false;
    }
    return true;
}
