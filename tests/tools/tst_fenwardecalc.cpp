#include "geometrycalcrunner.h"
#include "recordreader.h"
#include "resultwriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

const QStringList ResultKeys =
    QStringLiteral("L1 W1 L2 W2 L3 W3 L4 W4 nearPixels farPixels errorIndex rangeEmitted "
                   "identification plateAtCapture plateAtL1 plateAtL4 faceAtCapture faceAtL1 "
                   "faceAtL4 drawDepth drawWidth farDistance farWidth lateralScale")
        .split(QLatin1Char(' '));

} // namespace

#define COMPARE_NEAR(actual, expected, tolerance)                                                  \
    QVERIFY2(std::abs((actual) - (expected)) <= (tolerance),                                       \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                    \
                            .arg(QLatin1String(#actual))                                           \
                            .arg((actual), 0, 'g', 17)                                             \
                            .arg((expected), 0, 'g', 17)))

// The command-line calculator's contract: what it reads, what it writes, and
// how it reports bad input and bad options.
class tst_FenwardeCalc : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples();
    void keyOrder();
    void doublesReadBackExactly();
    void missingFieldsTakeDefaults();
    void everyFieldLandsInItsMember();
    void badLines_data();
    void badLines();
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
    QTest::newRow("int given string") << QByteArray(R"({"minPixels": "100"})") << R"("minPixels")";
    QTest::newRow("int given bool") << QByteArray(R"({"scenario": true})") << R"("scenario")";
    QTest::newRow("int beyond 32 bits")
        << QByteArray(R"({"maxPixels": 3000000000})") << R"("maxPixels")";
    QTest::newRow("double given string")
        << QByteArray(R"({"focalLength": "8"})") << R"("focalLength")";
    QTest::newRow("double given null") << QByteArray(R"({"ipcHeight": null})") << R"("ipcHeight")";
    QTest::newRow("double given array")
        << QByteArray(R"({"sensorWidth": [4.8]})") << R"("sensorWidth")";
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
        // Nothing is calculated when the command line is wrong.
        QVERIFY(run.lines.isEmpty());
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
}

QTEST_GUILESS_MAIN(tst_FenwardeCalc)
#include "tst_fenwardecalc.moc"
