#include "comparenear.h"
#include "geometrycalcrunner.h"
#include "recordreader.h"
#include "resultkeys.h"
#include "resultwriter.h"
#include "scenecalculation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QtTest>

#include <cmath>
#include <limits>

namespace
{

using Run = GeometryCalcRunner::Run;

Run runCalc(const QStringList &arguments, const QByteArray &input)
{
    return GeometryCalcRunner::run(arguments, input);
}

// The tool's answer lines for input read from a regular file rather than a
// pipe; empty when it did not finish.
QList<QByteArray> runCalcOnFile(const QByteArray &input)
{
    QTemporaryFile file;
    if (!file.open() || file.write(input) != input.size() || !file.flush())
        return {};
    QProcess process;
    process.setStandardInputFile(file.fileName());
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/fenwarde-calc"),
                  QStringList());
    if (!process.waitForFinished(60000))
        return {};
    QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

// The usage line of one field: name, type, default, accepted values.
QString helpLine(const QByteArray &help, const QString &field)
{
    const QRegularExpression pattern(
        QStringLiteral("^  %1 +\\S+ +\\S+ +(.+)$").arg(QRegularExpression::escape(field)),
        QRegularExpression::MultilineOption);
    return pattern.match(QString::fromUtf8(help)).captured(1);
}

QJsonObject object(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

const QByteArray LanesExample =
    R"({"scenario": 2, "sensorWidth": 4.8, "sensorHeight": 3.6, "focalLength": 8,)"
    R"( "pitchAngle": 15, "ipcHeight": 6, "plateType": 1, "minPixels": 100,)"
    R"( "maxPixels": 200, "resolutionWidth": 1920, "resolutionHeight": 1080})";
const QByteArray CaptureExample =
    R"({"scenario": 3, "sensorWidth": 4.8, "sensorHeight": 3.6, "focalLength": 8,)"
    R"( "pitchAngle": 15, "ipcHeight": 6, "plateType": 1, "minPixels": 100,)"
    R"( "maxPixels": 200, "resolutionWidth": 1920, "captureDistance": 12,)"
    R"( "targetHeight": 1.7})";

const QStringList ResultKeys = calcResultKeys();

} // namespace

// The command-line calculator's contract: what it reads, what it writes, and
// how it reports bad input and bad options.
class tst_FenwardeCalc : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples();
    void keyOrder();
    void viewAnglesWorkedByHand();
    void oldFieldsKeepTheirBytes();
    void doublesReadBackExactly();
    void missingFieldsTakeDefaults();
    void everyFieldLandsInItsMember();
    void badLines_data();
    void badLines();
    void acceptedSpellings_data();
    void acceptedSpellings();
    void negativeZeroKeepsItsSign();
    void fieldRanges_data();
    void fieldRanges();
    void windowRangesStayValid_data();
    void windowRangesStayValid();
    void lineEnds_data();
    void lineEnds();
    void nulBytes_data();
    void nulBytes();
    void blankLinesCountButGiveNoOutput();
    void emptyInput();
    void nonFiniteIsNull();
    void options_data();
    void options();
};

void tst_FenwardeCalc::workedExamples()
{
    const Run run = runCalc({}, LanesExample + '\n' + CaptureExample + '\n');
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 2);

    const QJsonObject lanes = object(run.lines.at(0));
    COMPARE_NEAR(lanes["L1"].toDouble(), 11.4378, 5e-5);
    COMPARE_NEAR(lanes["W1"].toDouble(), 6.8627, 5e-5);
    COMPARE_NEAR(lanes["L2"].toDouble(), 11.4378, 5e-5);
    COMPARE_NEAR(lanes["W2"].toDouble(), 7.5606, 5e-5);
    COMPARE_NEAR(lanes["L3"].toDouble(), 15.6193, 5e-5);
    COMPARE_NEAR(lanes["W3"].toDouble(), 9.984, 5e-4);
    COMPARE_NEAR(lanes["L4"].toDouble(), 148.1223, 5e-5);
    COMPARE_NEAR(lanes["W4"].toDouble(), 88.8734, 5e-5);
    QCOMPARE(lanes["nearPixels"].toInt(-1), 132);
    QCOMPARE(lanes["farPixels"].toInt(-1), 100);
    QCOMPARE(lanes["errorIndex"].toInt(-1), 53);
    QCOMPARE(lanes["rangeEmitted"], QJsonValue(true));
    QVERIFY(lanes["identification"].isNull());
    QCOMPARE(lanes["drawDepth"].toDouble(), 50.0);
    QCOMPARE(lanes["drawWidth"].toDouble(), 30.0);
    QCOMPARE(lanes["farDistance"].toDouble(), 50.0);
    QCOMPARE(lanes["farWidth"].toDouble(), 30.0);
    QCOMPARE(lanes["lateralScale"].toDouble(), 1.0);

    const QJsonObject capture = object(run.lines.at(1));
    COMPARE_NEAR(capture["W2"].toDouble(), 7.8864, 5e-5);
    COMPARE_NEAR(capture["W3"].toDouble(), 7.8864, 5e-5);
    QCOMPARE(capture["plateAtCapture"].toInt(-1), 126);
    QCOMPARE(capture["plateAtL1"].toInt(-1), 132);
    QCOMPARE(capture["plateAtL4"].toInt(-1), 11);
    QCOMPARE(capture["faceAtCapture"].toInt(-1), 50);
    QCOMPARE(capture["faceAtL1"].toInt(-1), 52);
    QCOMPARE(capture["faceAtL4"].toInt(-1), 4);
    QCOMPARE(capture["errorIndex"].toInt(-1), 0);
    QCOMPARE(capture["identification"].toArray(),
             (QJsonArray{"11 - 132px", "38 - 456px", "4 - 52px", "10 - 442px"}));
}

void tst_FenwardeCalc::keyOrder()
{
    const Run run = runCalc({}, CaptureExample + '\n');
    QCOMPARE(run.lines.size(), 1);
    const QByteArray line = run.lines.constFirst();
    int previous = -1;
    for (const QString &key : ResultKeys) {
        const int at = line.indexOf('"' + key.toLatin1() + "\":");
        QVERIFY2(at > previous, qPrintable(key));
        previous = at;
    }
    QCOMPARE(object(line).keys().size(), ResultKeys.size());
}

// The capture example on a road of four 3.75 m lanes: a camera 6 m up sees
// the capture point 12 m out atan(5.5 / 12) = 24.62 degrees down to a plate
// centre and atan(4.3 / 12) = 19.71 down to a face 1.7 m high; the outer
// lanes' centres, 5.625 m to the side, lie atan(5.625 / 12) = 25.11 off the
// axis, the inner ones atan(1.875 / 12) = 8.88.
void tst_FenwardeCalc::viewAnglesWorkedByHand()
{
    QByteArray record = CaptureExample;
    record.replace("}", R"(, "lanesNum": 4, "lanesWidth": 3.75})");
    const Run run = runCalc({}, record + '\n');
    QCOMPARE(run.exitCode, 0);
    const QJsonObject o = object(run.lines.value(0));
    const QJsonArray sights = o["viewAngles"].toArray();
    QCOMPARE(sights.size(), 1);
    const QJsonObject sight = sights.at(0).toObject();
    QCOMPARE(sight["point"].toString(), QStringLiteral("capturePoint"));
    QCOMPARE(sight["distance"].toDouble(), 12.0);
    COMPARE_NEAR(sight["plateVertical"].toDouble(), 24.6236, 1e-4);
    COMPARE_NEAR(sight["faceVertical"].toDouble(), 19.7143, 1e-4);
    const QJsonArray lanes = sight["laneHorizontal"].toArray();
    QCOMPARE(lanes.size(), 4);
    const double laneAngles[] = {-25.1148, -8.8807, 8.8807, 25.1148};
    for (int i = 0; i < 4; ++i)
        COMPARE_NEAR(lanes.at(i).toDouble(), laneAngles[i], 1e-4);

    // Plates: 24.62 within 30, the outer lanes 5.11 past 20. Faces: 4.71
    // past 15, the outer lanes 10.11 past it.
    const QJsonArray checks = o["checks"].toArray();
    QCOMPARE(checks.size(), 2);
    const struct {
        const char *target;
        double verticalExcess;
        double laneExcess;
    } expected[] = {{"plate", 0.0, 5.1148}, {"face", 4.7143, 10.1148}};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject check = checks.at(i).toObject();
        QCOMPARE(check["target"].toString(), QLatin1String(expected[i].target));
        QCOMPARE(check["passed"].toBool(true), false);
        COMPARE_NEAR(check["verticalExcess"].toDouble(), expected[i].verticalExcess, 1e-4);
        const QJsonArray failing = check["failingLanes"].toArray();
        QCOMPARE(failing.size(), 2);
        QCOMPARE(failing.at(0)["lane"].toInt(), 0);
        QCOMPARE(failing.at(1)["lane"].toInt(), 3);
        COMPARE_NEAR(failing.at(1)["excess"].toDouble(), expected[i].laneExcess, 1e-4);
    }
}

// Thousands of records in every scenario: each line is today's line, byte
// for byte, with the view members inserted before its closing brace.
void tst_FenwardeCalc::oldFieldsKeepTheirBytes()
{
    QRandomGenerator random(23);
    QVector<QByteArray> today;
    QByteArray input;
    for (int i = 0; i < 3000; ++i) {
        SceneParams p;
        p.scenario = 1 + i % 3;
        p.horizontalMount = i % 7 == 0;
        p.plateType = random.bounded(1, 4);
        p.pitchAngle = random.bounded(0, 46);
        p.horizontalAngle = random.bounded(0, 46);
        p.minPixels = random.bounded(80, 400);
        p.maxPixels = random.bounded(320, 1081);
        p.resolutionWidth = 1280 + 128 * random.bounded(0, 21);
        p.focalLength = 1 + random.bounded(3990) / 10.0;
        p.targetHeight = random.bounded(250) / 100.0;
        p.sensorWidth = 4.8;
        p.sensorHeight = 3.6;
        p.ipcHeight = random.bounded(1000) / 100.0;
        p.captureDistance = 1 + random.bounded(600) / 10.0;
        today << ResultWriter::resultLine(computeScene(p)).chopped(1) + ",\"viewAngles\":[";
        input += RecordReader::recordObject(p) + '\n';
    }
    const Run run = runCalc({}, input);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), today.size());
    for (int i = 0; i < today.size(); ++i) {
        const QByteArray &line = run.lines.at(i);
        QVERIFY2(line.startsWith(today.at(i)) && line.endsWith("]}") && !object(line).isEmpty(),
                 line.constData());
    }
}

// 17 significant digits: what the tool prints is the double it computed.
void tst_FenwardeCalc::doublesReadBackExactly()
{
    SceneResult result;
    result.L1 = 11.437829043620537;
    result.W2 = 0.1 + 0.2;
    result.L4 = -1;
    result.farWidth = 1e-300;
    result.lateralScale = 2.0 / 3.0;
    const QJsonObject o = object(ResultWriter::resultLine(result));
    QCOMPARE(o["L1"].toDouble(), 11.437829043620537);
    QCOMPARE(o["W2"].toDouble(), 0.1 + 0.2);
    QCOMPARE(o["L4"].toDouble(), -1.0);
    QCOMPARE(o["farWidth"].toDouble(), 1e-300);
    QCOMPARE(o["lateralScale"].toDouble(), 2.0 / 3.0);
}

void tst_FenwardeCalc::missingFieldsTakeDefaults()
{
    // A new widget's record: scenario 0 and no lens, so nothing meets the
    // ground and the far edge is unbounded.
    const Run run = runCalc({}, "{}\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 1);
    const QJsonObject o = object(run.lines.constFirst());
    QCOMPARE(o["L1"].toDouble(-5), 0.0);
    QCOMPARE(o["L4"].toDouble(), -1.0);
    QCOMPARE(o["W4"].toDouble(), -1.0);
    QCOMPARE(o["errorIndex"].toInt(-1), 0);
    QCOMPARE(o["nearPixels"].toInt(-1), 0);
    QVERIFY(o["identification"].isNull());
    QCOMPARE(o["drawDepth"].toDouble(-5), 0.0);
    QCOMPARE(o["farWidth"].toDouble(-5), 0.0);
}

void tst_FenwardeCalc::everyFieldLandsInItsMember()
{
    const QByteArray line =
        R"({"horizontalMount": true, "scenario": 2, "plateType": 3, "pitchAngle": 4,)"
        R"( "horizontalAngle": 5, "minPixels": 6, "maxPixels": 7, "resolutionWidth": 8,)"
        R"( "resolutionHeight": 9, "lanesNum": 10, "lanesWidth": 11.5, "focalLength": 12.5,)"
        R"( "targetHeight": 13.5, "sensorHeight": 14.5, "sensorWidth": 15.5,)"
        R"( "ipcHeight": 16.5, "captureDistance": 17.5})";
    SceneParams p;
    QString reason;
    QVERIFY2(RecordReader::parseRecord(line, &p, &reason), qPrintable(reason));
    QCOMPARE(p.horizontalMount, true);
    QCOMPARE((QList<int>{p.scenario, p.plateType, p.pitchAngle, p.horizontalAngle, p.minPixels,
                         p.maxPixels, p.resolutionWidth, p.resolutionHeight, p.lanesNum}),
             (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QCOMPARE((QList<double>{p.lanesWidth, p.focalLength, p.targetHeight, p.sensorHeight,
                            p.sensorWidth, p.ipcHeight, p.captureDistance}),
             (QList<double>{11.5, 12.5, 13.5, 14.5, 15.5, 16.5, 17.5}));
}

void tst_FenwardeCalc::badLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("reason");

    QTest::newRow("array") << QByteArray("[1, 2]") << "not a JSON object";
    QTest::newRow("number") << QByteArray("42") << "not";
    QTest::newRow("broken JSON") << QByteArray(R"({"scenario": 2)") << "not valid JSON";
    QTest::newRow("trailing text") << QByteArray(R"({"scenario": 2} x)") << "not valid JSON";
    QTest::newRow("unknown key") << QByteArray(R"({"scenario": 2, "zoom": 3})")
                                 << R"(unknown key "zoom")";
    QTest::newRow("key in other case")
        << QByteArray(R"({"Scenario": 2})") << R"(unknown key "Scenario")";
    QTest::newRow("bool given number")
        << QByteArray(R"({"horizontalMount": 1})") << R"("horizontalMount")";
    QTest::newRow("bool given string")
        << QByteArray(R"({"horizontalMount": "true"})") << R"("horizontalMount")";
    QTest::newRow("int given fraction")
        << QByteArray(R"({"pitchAngle": 2.5})") << R"("pitchAngle")";
    QTest::newRow("int given a fraction that rounds to whole")
        << QByteArray(R"({"pitchAngle": 29.99999999999999999})") << R"("pitchAngle")";
    QTest::newRow("int given a fraction that underflows")
        << QByteArray(R"({"minPixels": 1e-400})") << R"("minPixels")";
    QTest::newRow("int given string") << QByteArray(R"({"minPixels": "100"})") << R"("minPixels")";
    QTest::newRow("int given bool") << QByteArray(R"({"scenario": true})") << R"("scenario")";
    QTest::newRow("int beyond 32 bits")
        << QByteArray(R"({"maxPixels": 3000000000})") << R"("maxPixels")";
    QTest::newRow("double given string")
        << QByteArray(R"({"focalLength": "8"})") << R"("focalLength")";
    QTest::newRow("double given null") << QByteArray(R"({"ipcHeight": null})") << R"("ipcHeight")";
    QTest::newRow("double given array")
        << QByteArray(R"({"sensorWidth": [4.8]})") << R"("sensorWidth")";

    // Numbers JSON does not allow, named by their field.
    QTest::newRow("no integer part") << QByteArray(R"({"focalLength": .5})") << R"("focalLength")";
    QTest::newRow("no fraction digits")
        << QByteArray(R"({"focalLength": 5.})") << R"("focalLength")";
    QTest::newRow("leading plus") << QByteArray(R"({"ipcHeight": +1})") << R"("ipcHeight")";
    QTest::newRow("leading zero") << QByteArray(R"({"pitchAngle": 015})") << R"("pitchAngle")";
    QTest::newRow("no exponent digits")
        << QByteArray(R"({"sensorWidth": 1e})") << R"("sensorWidth")";
    QTest::newRow("beyond a double")
        << QByteArray(R"({"captureDistance": 1e400})") << R"("captureDistance")";
    QTest::newRow("int beyond a double")
        << QByteArray(R"({"minPixels": -1e400})") << R"("minPixels")";

    QTest::newRow("duplicate key")
        << QByteArray(R"({"scenario": 2, "ipcHeight": 6, "scenario": 2})")
        << R"(duplicate key "scenario")";
    QTest::newRow("duplicate key written with an escape")
        << QByteArray(R"({"scenario": 2, "scen\u0061rio": 3})") << R"(duplicate key "scenario")";

    QTest::newRow("scenario 0") << QByteArray(R"({"scenario": 0})") << R"("scenario")";
    QTest::newRow("scenario 4") << QByteArray(R"({"scenario": 4})") << R"("scenario")";
    QTest::newRow("scenario -1") << QByteArray(R"({"scenario": -1})") << R"("scenario")";
    QTest::newRow("plate type 0") << QByteArray(R"({"plateType": 0})") << R"("plateType")";
    QTest::newRow("plate type 4") << QByteArray(R"({"plateType": 4})") << R"("plateType")";
    QTest::newRow("no lanes") << QByteArray(R"({"lanesNum": 0})") << R"("lanesNum")";
    QTest::newRow("negative lanes") << QByteArray(R"({"lanesNum": -2})") << R"("lanesNum")";

    QTest::newRow("negative pole") << QByteArray(R"({"ipcHeight": -6})") << R"("ipcHeight")";
    QTest::newRow("negative target")
        << QByteArray(R"({"targetHeight": -1.7})") << R"("targetHeight")";
    QTest::newRow("negative lens") << QByteArray(R"({"focalLength": -8})") << R"("focalLength")";
    QTest::newRow("negative sensor width")
        << QByteArray(R"({"sensorWidth": -4.8})") << R"("sensorWidth")";
    QTest::newRow("negative sensor height")
        << QByteArray(R"({"sensorHeight": -3.6})") << R"("sensorHeight")";
    QTest::newRow("negative lane width")
        << QByteArray(R"({"lanesWidth": -3.75})") << R"("lanesWidth")";
    QTest::newRow("negative capture distance")
        << QByteArray(R"({"captureDistance": -12})") << R"("captureDistance")";
    QTest::newRow("smallest negative length")
        << QByteArray(R"({"ipcHeight": -5e-324})") << R"("ipcHeight")";

    QTest::newRow("NUL inside") << QByteArray("{\"scenario\": 2\0}", 16) << "NUL";
    QTest::newRow("NUL first") << QByteArray("\0{}", 3) << "NUL";
    QTest::newRow("NUL after the record") << QByteArray("{}\0", 3) << "NUL";
    QTest::newRow("NUL alone") << QByteArray("\0", 1) << "NUL";
    QTest::newRow("NUL between blanks") << QByteArray(" \0 ", 3) << "NUL";
}

void tst_FenwardeCalc::badLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, reason);

    const Run run = runCalc({}, LanesExample + '\n' + line + '\n' + CaptureExample + '\n');
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.size(), 3);
    QCOMPARE(object(run.lines.at(0))["nearPixels"].toInt(), 132);
    QCOMPARE(object(run.lines.at(2))["plateAtCapture"].toInt(), 126);

    const QJsonObject bad = object(run.lines.at(1));
    QCOMPARE(bad.keys(), QStringList{"inputError"});
    const QString message = bad["inputError"].toString();
    QVERIFY2(message.startsWith(QStringLiteral("line 2: ")), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
}

void tst_FenwardeCalc::acceptedSpellings_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("sameAs"); // empty: only accepted

    const QByteArray capture = R"({"scenario": 3, "sensorWidth": 4.8, "sensorHeight": 3.6,)"
                               R"( "focalLength": 8, "pitchAngle": 15, "resolutionWidth": 1920,)"
                               R"( "captureDistance": 12, "targetHeight": 1.7, "ipcHeight": )";
    QTest::newRow("underflow reads as zero") << capture + "1e-400}" << capture + "0}";
    QTest::newRow("negative underflow is no negative height")
        << capture + "-1e-400}" << capture + "-0.0}";
    QTest::newRow("exponent") << capture + "6e0}" << capture + "6}";
    QTest::newRow("capital exponent with sign") << capture + "0.06E+2}" << capture + "6}";
    QTest::newRow("trailing zeros") << capture + "6.000}" << capture + "6}";
    QTest::newRow("whole number with a fraction part in an int field")
        << QByteArray(R"({"pitchAngle": 15.0, "scenario": 2, "ipcHeight": 6})")
        << QByteArray(R"({"pitchAngle": 15, "scenario": 2, "ipcHeight": 6})");
    QTest::newRow("whole number with an exponent in an int field")
        << QByteArray(R"({"pitchAngle": 150e-1, "minPixels": 0.12E3, "scenario": 2})")
        << QByteArray(R"({"pitchAngle": 15, "minPixels": 120, "scenario": 2})");
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + LanesExample << LanesExample;
    QTest::newRow("key written with an escape")
        << QByteArray(R"({"scen\u0061rio": 2, "ipcHeight": 6})")
        << QByteArray(R"({"scenario": 2, "ipcHeight": 6})");

    // Batch users explore beyond the window's ranges.
    QTest::newRow("600 mm lens")
        << QByteArray(LanesExample).replace("\"focalLength\": 8,", "\"focalLength\": 600,")
        << QByteArray();
    QTest::newRow("60 degree pitch")
        << QByteArray(R"({"scenario": 2, "pitchAngle": 60, "ipcHeight": 6})") << QByteArray();
    QTest::newRow("upward pitch") << QByteArray(
                                         R"({"scenario": 1, "pitchAngle": -10, "ipcHeight": 6})")
                                  << QByteArray();
    QTest::newRow("150 m pole") << QByteArray(
                                       R"({"scenario": 2, "ipcHeight": 150, "focalLength": 8})")
                                << QByteArray();
    QTest::newRow("many lanes") << QByteArray(
                                       R"({"scenario": 2, "lanesNum": 12, "lanesWidth": 3.5})")
                                << QByteArray();
    QTest::newRow("zero lengths") << QByteArray(
                                         R"({"scenario": 1, "ipcHeight": 0, "targetHeight": 0})")
                                  << QByteArray();
}

// Numbers as JSON allows them, and values beyond the window's ranges that
// still mean something, are answered; equal values give equal answers.
void tst_FenwardeCalc::acceptedSpellings()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, sameAs);

    const Run run = runCalc({}, line + '\n' + sameAs + '\n');
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), sameAs.isEmpty() ? 1 : 2);
    QVERIFY2(!run.lines.at(0).contains("inputError"), run.lines.at(0).constData());
    if (!sameAs.isEmpty())
        QCOMPARE(run.lines.at(0), run.lines.at(1));
}

void tst_FenwardeCalc::negativeZeroKeepsItsSign()
{
    SceneParams p;
    QString reason;
    QVERIFY2(RecordReader::parseRecord(
                 R"({"ipcHeight": -0.0, "targetHeight": -0, "captureDistance": 0.0})", &p, &reason),
             qPrintable(reason));
    QCOMPARE(p.ipcHeight, 0.0);
    QVERIFY(std::signbit(p.ipcHeight));
    QVERIFY(std::signbit(p.targetHeight));
    QVERIFY(!std::signbit(p.captureDistance));
}

void tst_FenwardeCalc::fieldRanges_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("documented");
    QTest::addColumn<QByteArrayList>("accepted");
    QTest::addColumn<QByteArrayList>("refused");

    const QByteArrayList anyInt{"-2147483648", "0", "2147483647"};
    const QByteArrayList notInt{"2147483648", "1.5", "true"};
    const QByteArrayList length{"0", "-0.0", "1e-400", "1e300"};
    const QByteArrayList notLength{"-1", "-1e-300", "null"};

    QTest::newRow("horizontalMount")
        << "horizontalMount"
        << "true or false" << QByteArrayList{"true", "false"} << QByteArrayList{"1", "null"};
    QTest::newRow("scenario") << "scenario"
                              << "1 person, 2 vehicle lanes, 3 capture point"
                              << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "4", "-1"};
    QTest::newRow("plateType") << "plateType"
                               << "1, 2 or 3" << QByteArrayList{"1", "2", "3"}
                               << QByteArrayList{"0", "4"};
    QTest::newRow("pitchAngle") << "pitchAngle"
                                << "any (degrees)" << anyInt << notInt;
    QTest::newRow("horizontalAngle") << "horizontalAngle"
                                     << "any (degrees)" << anyInt << notInt;
    QTest::newRow("minPixels") << "minPixels"
                               << "any (pixels)" << anyInt << notInt;
    QTest::newRow("maxPixels") << "maxPixels"
                               << "any (pixels)" << anyInt << notInt;
    QTest::newRow("resolutionWidth") << "resolutionWidth"
                                     << "any (pixels)" << anyInt << notInt;
    QTest::newRow("resolutionHeight") << "resolutionHeight"
                                      << "any (pixels)" << anyInt << notInt;
    QTest::newRow("lanesNum") << "lanesNum"
                              << "1 or more" << QByteArrayList{"1", "4", "2147483647"}
                              << QByteArrayList{"0", "-1", "2147483648"};
    QTest::newRow("lanesWidth") << "lanesWidth"
                                << "0 or more (metres)" << length << notLength;
    QTest::newRow("focalLength") << "focalLength"
                                 << "0 or more (millimetres)" << length << notLength;
    QTest::newRow("targetHeight") << "targetHeight"
                                  << "0 or more (metres)" << length << notLength;
    QTest::newRow("sensorHeight") << "sensorHeight"
                                  << "0 or more (millimetres)" << length << notLength;
    QTest::newRow("sensorWidth") << "sensorWidth"
                                 << "0 or more (millimetres)" << length << notLength;
    QTest::newRow("ipcHeight") << "ipcHeight"
                               << "0 or more (metres)" << length << notLength;
    QTest::newRow("captureDistance") << "captureDistance"
                                     << "0 or more (metres)" << length << notLength;
}

// What --help says a field accepts is what the reader accepts.
void tst_FenwardeCalc::fieldRanges()
{
    QFETCH(QString, field);
    QFETCH(QString, documented);
    QFETCH(QByteArrayList, accepted);
    QFETCH(QByteArrayList, refused);

    const Run help = runCalc({QStringLiteral("--help")}, QByteArray());
    QCOMPARE(help.exitCode, 0);
    QCOMPARE(helpLine(help.lines.join('\n'), field), documented);

    for (const QByteArray &value : accepted) {
        SceneParams p;
        QString reason;
        const QByteArray line = "{\"" + field.toLatin1() + "\": " + value + "}";
        QVERIFY2(RecordReader::parseRecord(line, &p, &reason),
                 qPrintable(QString::fromLatin1(line) + QStringLiteral(": ") + reason));
    }
    for (const QByteArray &value : refused) {
        SceneParams p;
        QString reason;
        const QByteArray line = "{\"" + field.toLatin1() + "\": " + value + "}";
        QVERIFY2(!RecordReader::parseRecord(line, &p, &reason), line.constData());
        QVERIFY2(reason.contains('"' + field + '"'), qPrintable(reason));
    }
}

void tst_FenwardeCalc::windowRangesStayValid_data()
{
    QTest::addColumn<QByteArray>("members");

    // Each end of each control of the planning window; the record holds the
    // form's values otherwise.
    const QList<QByteArray> ends{R"("focalLength": 1)",
                                 R"("focalLength": 400)",
                                 R"("pitchAngle": 0)",
                                 R"("pitchAngle": 45)",
                                 R"("horizontalAngle": 0)",
                                 R"("horizontalAngle": 45)",
                                 R"("targetHeight": 0)",
                                 R"("targetHeight": 99.99)",
                                 R"("captureDistance": 1)",
                                 R"("captureDistance": 500)",
                                 R"("lanesNum": 1)",
                                 R"("lanesNum": 4)",
                                 R"("lanesWidth": 1)",
                                 R"("lanesWidth": 6)",
                                 R"("plateType": 1)",
                                 R"("plateType": 2)",
                                 R"("plateType": 3)",
                                 R"("minPixels": 80)",
                                 R"("minPixels": 1080)",
                                 R"("maxPixels": 320)",
                                 R"("maxPixels": 1080)",
                                 R"("ipcHeight": 0)",
                                 R"("ipcHeight": 99.99)",
                                 R"("scenario": 1)",
                                 R"("scenario": 2)",
                                 R"("scenario": 3)",
                                 R"("horizontalMount": true)",
                                 R"("resolutionWidth": 3840, "resolutionHeight": 2160)",
                                 R"("resolutionWidth": 1280, "resolutionHeight": 720)",
                                 R"("sensorWidth": 7.18, "sensorHeight": 5.32)",
                                 R"("sensorWidth": 4.8, "sensorHeight": 3.6)"};
    for (const QByteArray &end : ends)
        QTest::newRow(end.constData()) << end;
}

void tst_FenwardeCalc::windowRangesStayValid()
{
    QFETCH(QByteArray, members);
    QJsonObject record{{"horizontalMount", false}, {"scenario", 1},
                       {"plateType", 1},           {"pitchAngle", 10},
                       {"horizontalAngle", 0},     {"minPixels", 120},
                       {"maxPixels", 320},         {"resolutionWidth", 3840},
                       {"resolutionHeight", 2160}, {"lanesNum", 1},
                       {"lanesWidth", 3.75},       {"focalLength", 10},
                       {"targetHeight", 1.6},      {"sensorHeight", 3.6},
                       {"sensorWidth", 4.8},       {"ipcHeight", 3.5},
                       {"captureDistance", 40}};
    const QJsonObject end = QJsonDocument::fromJson("{" + members + "}").object();
    QVERIFY(!end.isEmpty());
    for (auto it = end.begin(); it != end.end(); ++it)
        record[it.key()] = it.value();

    SceneParams p;
    QString reason;
    QVERIFY2(RecordReader::parseRecord(QJsonDocument(record).toJson(QJsonDocument::Compact), &p,
                                       &reason),
             qPrintable(reason));
    QCOMPARE(p.focalLength, record["focalLength"].toDouble());
    QCOMPARE(p.ipcHeight, record["ipcHeight"].toDouble());
    QCOMPARE(p.lanesNum, record["lanesNum"].toInt());
}

void tst_FenwardeCalc::lineEnds_data()
{
    QTest::addColumn<QByteArray>("end");
    QTest::addColumn<int>("badLine"); // where the middle record stands

    QTest::newRow("LF") << QByteArray("\n") << 2;
    QTest::newRow("CR LF") << QByteArray("\r\n") << 2;
    QTest::newRow("CR") << QByteArray("\r") << 2;
    QTest::newRow("LF CR") << QByteArray("\n\r") << 3;
    QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << 3;
}

// LF, CR and CR LF each end one line.
void tst_FenwardeCalc::lineEnds()
{
    QFETCH(QByteArray, end);
    QFETCH(int, badLine);

    const Run run = runCalc({}, LanesExample + end + "[]" + end + CaptureExample + end);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.size(), 3);
    QCOMPARE(object(run.lines.at(0))["nearPixels"].toInt(), 132);
    QCOMPARE(object(run.lines.at(1))["inputError"].toString(),
             QStringLiteral("line %1: not a JSON object").arg(badLine));
    QCOMPARE(object(run.lines.at(2))["plateAtCapture"].toInt(), 126);
}

void tst_FenwardeCalc::nulBytes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<int>>("badLines");
    QTest::addColumn<int>("answers");

    const QByteArray good = LanesExample;
    const QByteArray nul(1, '\0');
    QTest::newRow("NUL starts a line") << nul + good + "\n" + good + "\n" << QList<int>{1} << 2;
    QTest::newRow("NUL ends a line") << good + nul + "\n" + good + "\n" << QList<int>{1} << 2;
    QTest::newRow("NUL in every line")
        << nul + "\n\n{" + nul + "}\n" + good + nul << QList<int>{1, 3, 4} << 3;
    QTest::newRow("NUL and no line end")
        << QByteArray(good + "\n" + QByteArray(3, '\0')) << QList<int>{2} << 2;
}

// Through a pipe or from a file, a line with NUL is refused and every other
// line is still answered in its place.
void tst_FenwardeCalc::nulBytes()
{
    QFETCH(QByteArray, input);
    QFETCH(QList<int>, badLines);
    QFETCH(int, answers);

    const Run piped = runCalc({}, input);
    QCOMPARE(piped.exitCode, 1);
    QCOMPARE(piped.lines.size(), answers);
    QList<int> refused;
    for (const QByteArray &line : piped.lines) {
        const QString error = object(line)["inputError"].toString();
        if (error.isEmpty()) {
            QCOMPARE(object(line)["nearPixels"].toInt(), 132);
            continue;
        }
        QVERIFY2(error.contains(QLatin1String("NUL")), qPrintable(error));
        refused << error.section(QLatin1Char(':'), 0, 0).mid(5).toInt();
    }
    QCOMPARE(refused, badLines);
    QCOMPARE(runCalcOnFile(input), piped.lines);
}

void tst_FenwardeCalc::blankLinesCountButGiveNoOutput()
{
    const QByteArray input = "\n  \t\n" + LanesExample + "\r\n\n[]\n" + CaptureExample;
    const Run run = runCalc({}, input);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.size(), 3);
    QCOMPARE(object(run.lines.at(0))["errorIndex"].toInt(), 53);
    QVERIFY(object(run.lines.at(1))["inputError"].toString().startsWith("line 5: "));
    // The last line has no line break and still counts.
    QCOMPARE(object(run.lines.at(2))["errorIndex"].toInt(-1), 0);
}

void tst_FenwardeCalc::emptyInput()
{
    const Run run = runCalc({}, "\n\n");
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.lines.isEmpty());
}

void tst_FenwardeCalc::nonFiniteIsNull()
{
    SceneResult result;
    result.drawDepth = std::numeric_limits<double>::quiet_NaN();
    result.farWidth = std::numeric_limits<double>::infinity();
    result.L2 = -std::numeric_limits<double>::infinity();
    const QByteArray line = ResultWriter::resultLine(result);
    const QJsonObject o = object(line);
    QVERIFY2(!o.isEmpty(), line.constData());
    QVERIFY(o["drawDepth"].isNull());
    QVERIFY(o["farWidth"].isNull());
    QVERIFY(o["L2"].isNull());
    QCOMPARE(o["drawWidth"].toDouble(-5), 0.0);
}

void tst_FenwardeCalc::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("helpOnStdout");

    QTest::newRow("--help") << QStringList{"--help"} << 0 << true;
    QTest::newRow("-h") << QStringList{"-h"} << 0 << true;
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << false;
    QTest::newRow("unknown short option") << QStringList{"-z"} << 2 << false;
    QTest::newRow("stray argument") << QStringList{"records.jsonl"} << 2 << false;
}

void tst_FenwardeCalc::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(bool, helpOnStdout);

    const Run run = runCalc(arguments, LanesExample + '\n');
    QCOMPARE(run.exitCode, exitCode);
    const QByteArray help = helpOnStdout ? run.lines.join('\n') : run.errorOutput;
    QVERIFY(help.contains("Usage:"));
    if (!helpOnStdout) {
        // Nothing is calculated when the command line is wrong, and the
        // answer is short: where to read more, not the whole help.
        QVERIFY(run.lines.isEmpty());
        QVERIFY(help.contains("--help"));
        QVERIFY(!help.contains("horizontalMount"));
        return;
    }
    QVERIFY(help.contains("horizontalMount"));
    for (const char *field :
         {"scenario", "plateType", "pitchAngle", "horizontalAngle", "minPixels", "maxPixels",
          "resolutionWidth", "resolutionHeight", "lanesWidth", "focalLength", "targetHeight",
          "sensorHeight", "sensorWidth", "ipcHeight", "captureDistance"})
        QVERIFY2(help.contains(field), field);
    QVERIFY(QRegularExpression(QStringLiteral("lanesNum +int +1\\b"))
                .match(QString::fromUtf8(help))
                .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("horizontalMount +bool +false"))
                .match(QString::fromUtf8(help))
                .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("focalLength +double +0"))
                .match(QString::fromUtf8(help))
                .hasMatch());
    QVERIFY(help.contains("exit status 3"));
}

QTEST_GUILESS_MAIN(tst_FenwardeCalc)
#include "tst_fenwardecalc.moc"
