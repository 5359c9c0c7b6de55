#include "resultwriter.h"

#include "recordreader.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace
{

// JSON has no NaN or infinity; null tells the reader there was no number.
QByteArray number(double value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    return QByteArray::number(value, 'g', 17);
}

// Appends one member to an object under construction; keys are written in
// the order of the calls, which QJsonObject would not keep.
void addMember(QByteArray &object, const char *key, const QByteArray &value)
{
    object += object.isEmpty() ? QByteArrayLiteral("{\"") : QByteArrayLiteral(",\"");
    object += key;
    object += "\":";
    object += value;
}

const char *pointName(ViewPoint point)
{
    switch (point) {
    case ViewPoint::BandNear:
        return "bandNear";
    case ViewPoint::BandFar:
        return "bandFar";
    case ViewPoint::CapturePoint:
        break;
    }
    return "capturePoint";
}

QByteArray numbers(const QVector<double> &values)
{
    QByteArray list = "[";
    for (int i = 0; i < values.size(); ++i)
        list += (i > 0 ? "," : "") + number(values.at(i));
    return list + ']';
}

// {"point": ..., "distance": d, "plateVertical": a, ...}
QByteArray sightObject(const SightAngles &sight)
{
    QByteArray o;
    addMember(o, "point", QByteArray("\"") + pointName(sight.point) + '"');
    addMember(o, "distance", number(sight.distance));
    addMember(o, "plateVertical", number(sight.plateVertical));
    addMember(o, "faceVertical", number(sight.faceVertical));
    addMember(o, "laneHorizontal", numbers(sight.laneHorizontal));
    return o + '}';
}

QByteArray checkObject(const ViewCheck &check)
{
    QByteArray lanes = "[";
    for (int i = 0; i < check.lanes.size(); ++i) {
        const LaneExcess &lane = check.lanes.at(i);
        QByteArray o;
        addMember(o, "lane", QByteArray::number(lane.lane));
        addMember(o, "angle", number(lane.angle));
        addMember(o, "excess", number(lane.excess));
        lanes += (i > 0 ? "," : "") + o + '}';
    }
    QByteArray o;
    addMember(o, "target", check.target == ViewTarget::Plate ? "\"plate\"" : "\"face\"");
    addMember(o, "point", QByteArray("\"") + pointName(check.point) + '"');
    addMember(o, "distance", number(check.distance));
    addMember(o, "passed", check.passed() ? "true" : "false");
    addMember(o, "vertical", number(check.vertical));
    addMember(o, "verticalLimit", number(check.verticalLimit));
    addMember(o, "verticalExcess", number(check.verticalExcess));
    addMember(o, "horizontalLimit", number(check.horizontalLimit));
    addMember(o, "failingLanes", lanes + ']');
    return o + '}';
}

// {"L1": density, ...} and {"detect": {"from": L1, "to": d} or null, ...}.
QByteArray densityMembers(const PixelDensity &density)
{
    static const char *const Distances[] = {"L1", "L2", "L3", "L4"};
    static const char *const Classes[] = {"detect", "observe", "recognise", "identify"};
    static_assert(sizeof(Classes) / sizeof(*Classes) == DensityClass::Count, "one name a class");
    QByteArray perMetre;
    for (std::size_t i = 0; i < density.atDistance.size(); ++i)
        addMember(perMetre, Distances[i], number(density.atDistance[i]));
    QByteArray classes;
    for (int c = 0; c < DensityClass::Count; ++c) {
        const DensityStretch &stretch = density.classes[c];
        QByteArray value = "null";
        if (stretch.reached) {
            value.clear();
            addMember(value, "from", number(stretch.from));
            addMember(value, "to", number(stretch.to));
            value += '}';
        }
        addMember(classes, Classes[c], value);
    }
    QByteArray members;
    addMember(members, "pxPerMetre", perMetre + '}');
    addMember(members, "densityClasses", classes + '}');
    return members.mid(1);
}

} // namespace

ResultWriter::ResultWriter(QIODevice *output, const Guidelines &guidelines)
    : m_output(output), m_guidelines(guidelines)
{
}

void ResultWriter::writeResult(const SceneParams &params, const SceneResult &result)
{
    writeLine(openResultLine(params, result) + '}');
}

void ResultWriter::writePoleResult(const SceneParams &params, const SceneResult &result,
                                   const QString &pole)
{
    const QByteArray name = QJsonDocument(QJsonArray{pole}).toJson(QJsonDocument::Compact);
    // The name goes after every field a line of records has.
    writeLine(openResultLine(params, result) + ",\"pole\":" + name.mid(1, name.size() - 2) + '}');
}

QByteArray ResultWriter::openResultLine(const SceneParams &params, const SceneResult &result) const
{
    const ViewAngles angles = computeViewAngles(params, result);
    QByteArray line = resultLine(result);
    // Appended inside the closing brace: every byte before it stays as
    // scripts have always read it.
    line.chop(1);
    return line + viewMembers(angles, ViewChecks::judge(angles, m_guidelines));
}

void ResultWriter::writeInputError(qint64 lineNumber, const QString &reason)
{
    writeLine(inputErrorLine(lineNumber, reason));
}

QByteArray ResultWriter::resultLine(const SceneResult &r)
{
    QByteArray o;
    addMember(o, "L1", number(r.L1));
    addMember(o, "W1", number(r.W1));
    addMember(o, "L2", number(r.L2));
    addMember(o, "W2", number(r.W2));
    addMember(o, "L3", number(r.L3));
    addMember(o, "W3", number(r.W3));
    addMember(o, "L4", number(r.L4));
    addMember(o, "W4", number(r.W4));
    addMember(o, "nearPixels", QByteArray::number(r.nearPixels));
    addMember(o, "farPixels", QByteArray::number(r.farPixels));
    addMember(o, "errorIndex", QByteArray::number(r.errorIndex));
    addMember(o, "rangeEmitted", r.rangeEmitted ? "true" : "false");
    if (r.identificationEmitted) {
        const QJsonArray texts{r.plateRange, r.vehicleRange, r.faceRange, r.personRange};
        addMember(o, "identification", QJsonDocument(texts).toJson(QJsonDocument::Compact));
    } else {
        addMember(o, "identification", "null");
    }
    addMember(o, "plateAtCapture", QByteArray::number(r.plateAtCapture));
    addMember(o, "plateAtL1", QByteArray::number(r.plateAtL1));
    addMember(o, "plateAtL4", QByteArray::number(r.plateAtL4));
    addMember(o, "faceAtCapture", QByteArray::number(r.faceAtCapture));
    addMember(o, "faceAtL1", QByteArray::number(r.faceAtL1));
    addMember(o, "faceAtL4", QByteArray::number(r.faceAtL4));
    addMember(o, "drawDepth", number(r.drawDepth));
    addMember(o, "drawWidth", number(r.drawWidth));
    addMember(o, "farDistance", number(r.farDistance));
    addMember(o, "farWidth", number(r.farWidth));
    addMember(o, "lateralScale", number(r.lateralScale));
    // Later additions go after everything scripts already read.
    return o + ',' + densityMembers(r.density) + '}';
}

QByteArray ResultWriter::viewMembers(const ViewAngles &angles, const QVector<ViewCheck> &checks)
{
    QByteArray sights = "[";
    for (int i = 0; i < angles.sights.size(); ++i)
        sights += (i > 0 ? "," : "") + sightObject(angles.sights.at(i));
    QByteArray judged = "[";
    for (int i = 0; i < checks.size(); ++i)
        judged += (i > 0 ? "," : "") + checkObject(checks.at(i));
    return ",\"viewAngles\":" + sights + "],\"checks\":" + judged + ']';
}

void ResultWriter::writeSuggestions(const QVector<SettingSearch::Suggestion> &suggestions)
{
    writeLine(suggestionsLine(suggestions));
}

void ResultWriter::writeSolveError(const QString &reason)
{
    writeLine(solveErrorLine(reason));
}

QByteArray ResultWriter::suggestionsLine(const QVector<SettingSearch::Suggestion> &suggestions)
{
    QByteArray line = "{\"suggestions\":[";
    for (int i = 0; i < suggestions.size(); ++i) {
        const QByteArray record = RecordReader::recordObject(suggestions[i].params);
        if (i > 0)
            line += ',';
        line += record.left(record.size() - 1) + ',' + resultLine(suggestions[i].result).mid(1);
    }
    return line + "]}";
}

QByteArray ResultWriter::solveErrorLine(const QString &reason)
{
    const QJsonObject object{{QStringLiteral("solveError"), reason}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray ResultWriter::inputErrorLine(qint64 lineNumber, const QString &reason)
{
    const QJsonObject object{
        {QStringLiteral("inputError"), QStringLiteral("line %1: %2").arg(lineNumber).arg(reason)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

void ResultWriter::writeLine(const QByteArray &line)
{
    if (!m_output)
        return;
    const QByteArray terminated = line + '\n';
    if (m_output->write(terminated) != terminated.size())
        m_failed = true;
}
