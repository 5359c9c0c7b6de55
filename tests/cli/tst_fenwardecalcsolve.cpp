#include "geometrycalcrunner.h"
#include "recordreader.h"
#include "resultwriter.h"
#include "scenecalculation.h"
#include "searchwording.h"
#include "settingsearch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace
{

using Run = GeometryCalcRunner::Run;

const QByteArray Lanes = R"("scenario": 2, "sensorWidth": 4.8, "sensorHeight": 3.6,)"
                         R"( "ipcHeight": 6, "plateType": 1, "resolutionWidth": 1920,)"
                         R"( "resolutionHeight": 1080, "minPixels": 100, "maxPixels": 200)";
const QByteArray Turned = Lanes + R"(, "horizontalMount": true, "horizontalAngle": 20)";
const QByteArray Person = R"("scenario": 1, "plateType": 1, "minPixels": 120,)"
                          R"( "maxPixels": 320, "resolutionWidth": 3840, "targetHeight": 1.6,)"
                          R"( "sensorWidth": 4.8, "sensorHeight": 3.6, "ipcHeight": 2.5)";
// A tall sensor, turned far: at low pitches the picture shows the band whole
// on the shortest lenses and again on longer ones, with a gap between where
// the near end falls before the lower picture edge.
const QByteArray Tall = R"("scenario": 2, "sensorWidth": 2, "sensorHeight": 20,)"
                        R"( "ipcHeight": 18, "plateType": 1, "resolutionWidth": 1920,)"
                        R"( "minPixels": 125, "maxPixels": 250, "horizontalMount": true,)"
                        R"( "horizontalAngle": 35)";
// Plate type left out: the 0.44 m plate of a new record.
const QByteArray Capture = R"("scenario": 3, "sensorWidth": 4.8, "sensorHeight": 3.6,)"
                           R"( "ipcHeight": 6, "resolutionWidth": 1920, "targetHeight": 1.7)";

// The record with one member's value written anew.
QByteArray with(const QByteArray &record, const QByteArray &key, const QByteArray &value)
{
    QByteArray changed = record;
    const QRegularExpression member(QStringLiteral("\"%1\": [^,]*").arg(QLatin1String(key)));
    return changed.replace(member.match(QString::fromLatin1(record)).captured(0).toLatin1(),
                           '"' + key + "\": " + value);
}

QByteArray line(const QByteArray &record, const QByteArray &wish)
{
    return '{' + record + ", " + wish + '}';
}

QJsonObject object(const QByteArray &text)
{
    return QJsonDocument::fromJson(text).object();
}

// The record fields of a suggestion, which come first, as a line of their
// own.
QByteArray recordPart(const QByteArray &suggestion)
{
    const int results = suggestion.indexOf(",\"L1\":");
    return results < 0 ? QByteArray() : suggestion.left(results) + '}';
}

// The suggestions of an answer line, each as the bytes it was written in.
QList<QByteArray> suggestionTexts(const QByteArray &answer)
{
    QList<QByteArray> texts;
    const QJsonArray list = object(answer)["suggestions"].toArray();
    int from = answer.indexOf('[') + 1;
    for (int i = 0; i < list.size(); ++i) {
        int depth = 0;
        int end = from;
        do {
            depth += answer.at(end) == '{' ? 1 : answer.at(end) == '}' ? -1 : 0;
            ++end;
        } while (depth > 0 && end < answer.size());
        texts << answer.mid(from, end - from);
        from = end + 1;
    }
    return texts;
}

// Empty when the result meets the wish as --solve promises; else what fails.
QString unmet(const SceneResult &r, const SolveWish &wish)
{
    if (r.errorIndex != 0)
        return QStringLiteral("error %1").arg(r.errorIndex);
    if (wish.wantNear && r.L2 > *wish.wantNear)
        return QStringLiteral("band starts at %1").arg(r.L2);
    if (wish.wantFar && r.L3 < *wish.wantFar)
        return QStringLiteral("band ends at %1").arg(r.L3);
    if (wish.wantPlatePixels && r.plateAtCapture < *wish.wantPlatePixels)
        return QStringLiteral("plate has %1 px").arg(r.plateAtCapture);
    if (wish.wantFacePixels && r.faceAtCapture < *wish.wantFacePixels)
        return QStringLiteral("face has %1 px").arg(r.faceAtCapture);
    return QString();
}

double rankOf(const SceneResult &r, const SceneParams &p, const SolveWish &wish)
{
    if (wish.wantNear)
        return (*wish.wantNear - r.L2) + (r.L3 - *wish.wantFar);
    return p.focalLength;
}

} // namespace

// fenwarde-calc --solve: suggestions that really meet their wish, the best
// ones, and reasons when there are none.
class tst_FenwardeCalcSolve : public QObject
{
    Q_OBJECT

private slots:
    void suggestionsMeetTheirWish_data();
    void suggestionsMeetTheirWish();
    void bestOfEverySetting_data();
    void bestOfEverySetting();
    void impossibleWishes_data();
    void impossibleWishes();
    void badWishes_data();
    void badWishes();
    void wishesOnlyWithSolve();
    void help();
};

void tst_FenwardeCalcSolve::suggestionsMeetTheirWish_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("wish");

    QTest::newRow("lanes 14 to 28 m") << Lanes << QByteArray(R"("wantNear": 14, "wantFar": 28)");
    QTest::newRow("turned 14 to 25 m") << Turned << QByteArray(R"("wantNear": 14, "wantFar": 25)");
    QTest::newRow("person 5 to 12 m") << Person << QByteArray(R"("wantNear": 5, "wantFar": 12)");
    QTest::newRow("face 60 px at 12 m")
        << Capture + R"(, "captureDistance": 12)" << QByteArray(R"("wantFacePixels": 60)");
    QTest::newRow("plate and face at 20 m")
        << Capture + R"(, "captureDistance": 20)"
        << QByteArray(R"("wantPlatePixels": 150, "wantFacePixels": 60)");
}

// Each suggestion, read back as a plain record and calculated again, meets
// the wish, keeps the other fields, shows the very result it came with and
// ranks no better than the one before it.
void tst_FenwardeCalcSolve::suggestionsMeetTheirWish()
{
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, wish);

    SceneParams given;
    SolveWish wanted;
    QString reason;
    QVERIFY2(RecordReader::parseWish(line(record, wish), &given, &wanted, &reason),
             qPrintable(reason));
    const Run run = GeometryCalcRunner::run({QStringLiteral("--solve")}, line(record, wish));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 1);
    const QList<QByteArray> suggestions = suggestionTexts(run.lines.constFirst());
    QCOMPARE(suggestions.size(), SettingSearch::MostSuggestions);

    double previous = -1e300;
    for (const QByteArray &suggestion : suggestions) {
        SceneParams p;
        QVERIFY2(RecordReader::parseRecord(recordPart(suggestion), &p, &reason),
                 qPrintable(reason + QStringLiteral(": ") + suggestion));
        const SceneResult r = computeScene(p);
        const QString problem = unmet(r, wanted);
        QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral(": ") + suggestion));
        QCOMPARE('{' + suggestion.mid(recordPart(suggestion).size()), ResultWriter::resultLine(r));

        const double tenths = p.focalLength * 10;
        QVERIFY(std::round(tenths) == tenths && tenths >= 10 && tenths <= 4000);
        QVERIFY(p.pitchAngle >= 0 && p.pitchAngle <= 45);
        SceneParams kept = p;
        kept.focalLength = given.focalLength;
        kept.pitchAngle = given.pitchAngle;
        QCOMPARE(RecordReader::recordObject(kept), RecordReader::recordObject(given));

        const double rank = rankOf(r, p, wanted);
        QVERIFY(rank >= previous);
        previous = rank;
    }
}

void tst_FenwardeCalcSolve::bestOfEverySetting_data()
{
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("lanes") << line(Lanes, R"("wantNear": 14, "wantFar": 28)");
    QTest::newRow("turned") << line(Turned, R"("wantNear": 14, "wantFar": 25)");
    QTest::newRow("person") << line(Person, R"("wantNear": 5, "wantFar": 12)");
    QTest::newRow("tall sensor near the pole") << line(Tall, R"("wantNear": 0.5, "wantFar": 1.6)");
    QTest::newRow("tall sensor") << line(Tall, R"("wantNear": 14, "wantFar": 26)");
    QTest::newRow("capture") << line(Capture + R"(, "captureDistance": 12)",
                                     R"("wantPlatePixels": 120, "wantFacePixels": 40)");
    // Beyond reach: the closest whole band instead.
    QTest::newRow("lanes, too deep") << line(Lanes, R"("wantNear": 12, "wantFar": 31)");
    QTest::newRow("lanes, too near") << line(Lanes, R"("wantNear": 3, "wantFar": 20)");
    QTest::newRow("turned, too near") << line(Turned, R"("wantNear": 3, "wantFar": 15)");
    QTest::newRow("person, too near") << line(Person, R"("wantNear": 0.5, "wantFar": 3)");
}

// The pruned search finds what calculating every setting finds: the same
// three settings in the same order or, when none meets the wish, the same
// whole band with the least shortfall.
void tst_FenwardeCalcSolve::bestOfEverySetting()
{
    QFETCH(QByteArray, line);

    SceneParams record;
    SolveWish wish;
    QString reason;
    QVERIFY2(RecordReader::parseWish(line, &record, &wish, &reason), qPrintable(reason));

    struct Setting {
        double rank;
        int pitch;
        int tenths;
    };
    std::vector<Setting> met;
    double least = -1;
    QString closest;
    for (int pitch = 45; pitch >= 0; --pitch) {
        for (int tenths = 10; tenths <= 4000; ++tenths) {
            SceneParams p = record;
            p.pitchAngle = pitch;
            p.focalLength = tenths / 10.0;
            const SceneResult r = computeScene(p);
            if (unmet(r, wish).isEmpty())
                met.push_back({rankOf(r, p, wish), pitch, tenths});
            if (!wish.wantNear || r.errorIndex != 0)
                continue;
            const double shortfall =
                std::max(0.0, r.L2 - *wish.wantNear) + std::max(0.0, *wish.wantFar - r.L3);
            if (least < 0 || shortfall < least) {
                least = shortfall;
                closest = QStringLiteral("closest in the picture: %1 to %2 m at focalLength %3 "
                                         "mm, pitchAngle %4")
                              .arg(r.L2, 0, 'f', 2)
                              .arg(r.L3, 0, 'f', 2)
                              .arg(p.focalLength, 0, 'f', 1)
                              .arg(pitch);
            }
        }
    }
    std::sort(met.begin(), met.end(), [](const Setting &a, const Setting &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.pitch != b.pitch ? a.pitch > b.pitch : a.tenths < b.tenths;
    });

    const SettingSearch search(record, wish);
    QVERIFY(search.calculations() < 46 * 3991 / 10);
    if (met.empty()) {
        QVERIFY(search.suggestions().isEmpty());
        const QString failure = SearchWording::text(search.failure(), record, wish);
        QVERIFY2(failure.contains(closest), qPrintable(failure));
        return;
    }
    QVERIFY(met.size() >= 3);
    QCOMPARE(search.suggestions().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const SceneParams &found = search.suggestions()[i].params;
        QCOMPARE(found.pitchAngle, met[i].pitch);
        QCOMPARE(found.focalLength, met[i].tenths / 10.0);
    }
}

void tst_FenwardeCalcSolve::impossibleWishes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("says");

    // With 100 and 200 px the band's far end lies at twice its near end
    // plus 6 tan(pitch) m: from 12 m it reaches 30 m at most.
    QTest::newRow("band too short")
        << line(Lanes, R"("wantNear": 12, "wantFar": 31)")
        << QStringList{"12.00 to 31.00 m", "\"minPixels\" 100 and \"maxPixels\" 200",
                       "closest in the picture: "};
    QTest::newRow("beyond the longest lens")
        << line(Lanes, R"("wantNear": 4000, "wantFar": 5000)")
        << QStringList{"even at 400 mm the band ends before 5000.00 m"};
    QTest::newRow("face as high as the camera")
        << line(with(Person, "ipcHeight", "1.6"), R"("wantNear": 5, "wantFar": 12)")
        << QStringList{"no band at any setting", "\"targetHeight\""};
    QTest::newRow("turned across the road")
        << line(with(Turned, "horizontalAngle", "90"), R"("wantNear": 14, "wantFar": 28)")
        << QStringList{"no band at any setting", "\"horizontalAngle\" 90"};
    QTest::newRow("band backwards")
        << line(with(Lanes, "minPixels", "300"), R"("wantNear": 14, "wantFar": 28)")
        << QStringList{"\"minPixels\" 300", "\"maxPixels\" 200"};
    QTest::newRow("plate beyond any lens")
        << line(Capture + R"(, "captureDistance": 12)", R"("wantPlatePixels": 100000)")
        << QStringList{"the plate 100000 px", "closest: plate "};
    QTest::newRow("face above the camera")
        << line(with(Capture, "targetHeight", "7") + R"(, "captureDistance": 12)",
                R"("wantFacePixels": 10)")
        << QStringList{"\"targetHeight\""};
}

// One solveError line each, naming the limit, and the exit status of a
// run that answered every line.
void tst_FenwardeCalcSolve::impossibleWishes()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, says);

    const Run run = GeometryCalcRunner::run({QStringLiteral("--solve")}, line + '\n' + line);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 2);
    const QJsonObject answer = object(run.lines.constFirst());
    QCOMPARE(answer.keys(), QStringList{"solveError"});
    const QString error = answer["solveError"].toString();
    for (const QString &part : says)
        QVERIFY2(error.contains(part), qPrintable(error));
    QCOMPARE(run.lines.at(1), run.lines.at(0));
}

void tst_FenwardeCalcSolve::badWishes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("reason");

    const QByteArray near = R"("wantNear": 14)";
    QTest::newRow("negative near")
        << line(Lanes, R"("wantNear": -1, "wantFar": 28)") << R"("wantNear" must not be negative)";
    QTest::newRow("far missing") << line(Lanes, near) << R"("wantFar" is missing)";
    QTest::newRow("near beyond far") << line(Lanes, R"("wantNear": 30, "wantFar": 28)")
                                     << R"("wantNear" must not lie beyond "wantFar")";
    QTest::newRow("plate wish on lanes")
        << line(Lanes, near + R"(, "wantFar": 28, "wantPlatePixels": 100)")
        << R"("wantPlatePixels" is a wish of scenario 3)";
    QTest::newRow("band wish at a capture point")
        << line(Capture, R"("wantFar": 28, "wantFacePixels": 50)") << R"("wantFar" is a wish)";
    QTest::newRow("no pixel wish") << QByteArray("{" + Capture + "}") << R"("wantPlatePixels" or)";
    QTest::newRow("no pixels") << line(Capture, R"("wantPlatePixels": 0)")
                               << R"("wantPlatePixels" must be at least 1)";
    QTest::newRow("no scenario") << QByteArray(R"({"wantNear": 1, "wantFar": 2})")
                                 << R"("scenario" must be given)";
}

// A bad wish is a bad line: an input error naming the field, the other
// lines still answered.
void tst_FenwardeCalcSolve::badWishes()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, reason);

    const QByteArray good = ::line(Lanes, R"("wantNear": 14, "wantFar": 28)");
    const Run run =
        GeometryCalcRunner::run({QStringLiteral("--solve")}, good + '\n' + line + '\n' + good);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.size(), 3);
    QVERIFY(object(run.lines.at(0)).contains("suggestions"));
    const QString error = object(run.lines.at(1))["inputError"].toString();
    QVERIFY2(error.startsWith(QStringLiteral("line 2: ")) && error.contains(reason),
             qPrintable(error));
    QCOMPARE(run.lines.at(2), run.lines.at(0));
}

void tst_FenwardeCalcSolve::wishesOnlyWithSolve()
{
    const Run run = GeometryCalcRunner::run({}, line(Lanes, R"("wantNear": 14, "wantFar": 28)"));
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.size(), 1);
    QCOMPARE(object(run.lines.constFirst())["inputError"].toString(),
             QStringLiteral("line 1: \"wantFar\" is a wish, read with --solve only"));

    const Run withPicture = GeometryCalcRunner::run(
        {QStringLiteral("--solve"), QStringLiteral("--png"), QStringLiteral("x.png")},
        line(Lanes, R"("wantNear": 14, "wantFar": 28)"));
    QCOMPARE(withPicture.exitCode, 2);
    QVERIFY(withPicture.lines.isEmpty());
}

void tst_FenwardeCalcSolve::help()
{
    const Run run = GeometryCalcRunner::run({QStringLiteral("--help")}, QByteArray());
    QCOMPARE(run.exitCode, 0);
    const QByteArray help = run.lines.join('\n');
    for (const char *word : {"--solve", "pxPerMetre", "densityClasses", "solveError", "wantNear",
                             "wantFar", "wantPlatePixels", "wantFacePixels", "identify (250)"})
        QVERIFY2(help.contains(word), word);
}

QTEST_GUILESS_MAIN(tst_FenwardeCalcSolve)
#include "tst_fenwardecalcsolve.moc"
