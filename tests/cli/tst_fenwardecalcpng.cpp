#include "geometrycalcrunner.h"

#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The calculator's --png option: the picture of the first good record beside
// the usual result lines, and its option checking.
class tst_FenwardeCalcPng : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writesPicture_data();
    void writesPicture();
    void pictureIgnoresEarlierRecords();
    void zonesOnRequest();
    void rejectsBadOptions_data();
    void rejectsBadOptions();
    void failures_data();
    void failures();
    void rejectsLanguageFile_data();
    void rejectsLanguageFile();
    void acceptsCompleteLanguageFile_data();
    void acceptsCompleteLanguageFile();

private:
    // Makes a language-file candidate of the given kind in the test folder
    // and returns its path.
    QString makeLanguageFile(const QString &kind);

    QTemporaryDir m_dir;
};

namespace
{

using Run = GeometryCalcRunner::Run;

// The tool must choose a platform that needs no display by itself.
Run runCalc(const QStringList &arguments, const QByteArray &input)
{
    return GeometryCalcRunner::run(arguments, input, true);
}

const QByteArray lanesExample =
    R"({"scenario": 2, "sensorWidth": 4.8, "sensorHeight": 3.6, "focalLength": 8,)"
    R"( "pitchAngle": 15, "ipcHeight": 6, "plateType": 1, "minPixels": 100,)"
    R"( "maxPixels": 200, "resolutionWidth": 1920, "resolutionHeight": 1080,)"
    R"( "lanesNum": 2, "lanesWidth": 3.75})";

QByteArray languageXml(int texts)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<texts>\n";
    for (int i = 0; i < texts; ++i)
        xml += "  <string>text " + QByteArray::number(i) + "</string>\n";
    return xml + "</texts>\n";
}

} // namespace

void tst_FenwardeCalcPng::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_FenwardeCalcPng::writesPicture_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("resultLines");

    QTest::newRow("default size") << QStringList() << lanesExample << QSize(1000, 600) << 0 << 1;
    QTest::newRow("given size and scale")
        << QStringList{QStringLiteral("--size"), QStringLiteral("1354x660"),
                       QStringLiteral("--scale"), QStringLiteral("2")}
        << lanesExample << QSize(1354, 660) << 0 << 1;
    // A bad first line still leaves the second record to draw, and the exit
    // status still reports the bad line.
    QTest::newRow("first good record after a bad line")
        << QStringList() << QByteArray("[1, 2]\n" + lanesExample + "\n" + lanesExample)
        << QSize(1000, 600) << 1 << 3;
    QTest::newRow("language file given")
        << QStringList{QStringLiteral("--language"),
                       QCoreApplication::applicationDirPath() + QStringLiteral("/language/CHS.xml")}
        << lanesExample << QSize(1000, 600) << 0 << 1;
}

void tst_FenwardeCalcPng::writesPicture()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QSize, size);
    const QString path = m_dir.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
    const Run run = runCalc(QStringList{QStringLiteral("--png"), path} + options, input);
    QTEST(run.exitCode, "exitCode");
    QTEST(int(run.lines.size()), "resultLines");
    QVERIFY(run.lines.constLast().startsWith("{\"L1\":"));

    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    // Just above the ground's near corner (int(0.6 w), h - 25) lies bare ground.
    const QPoint nearCorner(int(0.6 * size.width()), size.height() - 35);
    QCOMPARE(image.pixelColor(nearCorner), QColor(75, 88, 99));
}

// Each record's picture is drawn afresh: the reports of a lanes record drawn
// before it leave the person record's picture as it is alone.
void tst_FenwardeCalcPng::pictureIgnoresEarlierRecords()
{
    const QByteArray person =
        R"({"scenario": 1, "sensorWidth": 4.8, "sensorHeight": 3.6, "focalLength": 12,)"
        R"( "pitchAngle": 10, "ipcHeight": 2.5, "targetHeight": 1.6, "minPixels": 120,)"
        R"( "maxPixels": 320, "resolutionWidth": 3840, "resolutionHeight": 2160})";
    const QString alone = m_dir.filePath(QStringLiteral("alone.png"));
    const QString after = m_dir.filePath(QStringLiteral("after.png"));
    QCOMPARE(runCalc({QStringLiteral("--png"), alone}, person).exitCode, 0);
    const QStringList reports{QStringLiteral("--report-dir"), m_dir.filePath("reports"),
                              QStringLiteral("--report-format"), QStringLiteral("xlsx")};
    QCOMPARE(runCalc(QStringList{QStringLiteral("--png"), after} + reports,
                     person + '\n' + lanesExample + '\n' + person)
                 .exitCode,
             0);
    QVERIFY(!QImage(alone).isNull());
    QCOMPARE(QImage(after), QImage(alone));
}

// --zones adds the density zones and their legend; without it, neither.
void tst_FenwardeCalcPng::zonesOnRequest()
{
    const QString plain = m_dir.filePath(QStringLiteral("plain.png"));
    const QString zones = m_dir.filePath(QStringLiteral("zones.png"));
    QCOMPARE(runCalc({"--png", plain}, lanesExample).exitCode, 0);
    QCOMPARE(runCalc({"--png", zones, "--zones"}, lanesExample).exitCode, 0);
    const QImage withZones(zones), without(plain);
    QVERIFY(!withZones.isNull() && withZones != without);
    // The legend at the top right names the classes in dark text on white.
    const QRect corner(withZones.width() / 2, 0, withZones.width() / 2, 150);
    QVERIFY(withZones.copy(corner) != without.copy(corner));
}

void tst_FenwardeCalcPng::rejectsBadOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QString png = m_dir.filePath(QStringLiteral("unused.png"));
    QTest::newRow("size without x") << QStringList{"--png", png, "--size", "1000"};
    QTest::newRow("zero size") << QStringList{"--png", png, "--size", "0x600"};
    QTest::newRow("huge size") << QStringList{"--png", png, "--size", "100000x600"};
    QTest::newRow("negative size") << QStringList{"--png", png, "--size", "-5x600"};
    QTest::newRow("zero scale") << QStringList{"--png", png, "--scale", "0"};
    QTest::newRow("text scale") << QStringList{"--png", png, "--scale", "big"};
    QTest::newRow("size without png") << QStringList{"--size", "1000x600"};
    QTest::newRow("png without file") << QStringList{"--png"};
    QTest::newRow("zones without a picture") << QStringList{"--zones"};
}

void tst_FenwardeCalcPng::rejectsBadOptions()
{
    QFETCH(QStringList, arguments);
    const Run run = runCalc(arguments, lanesExample);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.lines.isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("unused.png"))));
}

void tst_FenwardeCalcPng::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("no record") << m_dir.filePath(QStringLiteral("none.png")) << QStringList()
                               << QByteArray("\n");
    QTest::newRow("only bad records") << m_dir.filePath(QStringLiteral("bad.png")) << QStringList()
                                      << QByteArray("{\"scenario\": \"x\"}\n");
    QTest::newRow("unwritable path") << m_dir.filePath(QStringLiteral("missing/folder/out.png"))
                                     << QStringList() << lanesExample;
}

// Nothing to draw or nowhere to write: exit status 1 and a reason on stderr,
// never a success without a file. The result lines are still printed.
void tst_FenwardeCalcPng::failures()
{
    QFETCH(QString, path);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    const Run run = runCalc(QStringList{QStringLiteral("--png"), path} + options, input);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.errorOutput.contains("--png:"));
    QVERIFY(!QFile::exists(path));
}

QString tst_FenwardeCalcPng::makeLanguageFile(const QString &kind)
{
    const QString path = m_dir.filePath(kind + QStringLiteral(".xml"));
    const auto write = [&path](const QByteArray &bytes) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    };
    if (kind == QLatin1String("directory")) {
        QDir(m_dir.path()).mkdir(kind + QStringLiteral(".xml"));
    } else if (kind == QLatin1String("named pipe")) {
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    } else if (kind == QLatin1String("text file")) {
        write("root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/bin/sh\n");
    } else if (kind == QLatin1String("random bytes")) {
        QByteArray bytes(4096, '\0');
        QRandomGenerator random(13);
        for (char &byte : bytes)
            byte = char(random.bounded(256));
        write(bytes);
    } else if (kind == QLatin1String("empty file")) {
        write(QByteArray());
    } else if (kind == QLatin1String("96 texts")) {
        write(languageXml(96));
    } else if (kind == QLatin1String("97 texts")) {
        write(languageXml(97));
    } else if (kind == QLatin1String("link to 97 texts")) {
        QFile::link(makeLanguageFile(QStringLiteral("97 texts")), path);
    }
    return path;
}

void tst_FenwardeCalcPng::rejectsLanguageFile_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"missing", "directory", "named pipe", "text file", "random bytes",
                             "empty file", "96 texts"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

// A language file that is not a complete language table ends the run with
// exit status 2 before any record is read; a named pipe does not block it.
void tst_FenwardeCalcPng::rejectsLanguageFile()
{
    QFETCH(QString, kind);
    const QString language = makeLanguageFile(kind);
    const QString png = m_dir.filePath(QStringLiteral("unused.png"));
    const Run run = runCalc({QStringLiteral("--png"), png, QStringLiteral("--language"), language},
                            lanesExample + '\n');
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.lines.isEmpty());
    QVERIFY2(run.errorOutput.contains("--language"), run.errorOutput.constData());
    QVERIFY(!QFile::exists(png));
}

void tst_FenwardeCalcPng::acceptsCompleteLanguageFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("97 texts") << QStringLiteral("97 texts");
    QTest::newRow("link to 97 texts") << QStringLiteral("link to 97 texts");
}

void tst_FenwardeCalcPng::acceptsCompleteLanguageFile()
{
    QFETCH(QString, kind);
    const QString language = makeLanguageFile(kind);
    const QString png = m_dir.filePath(kind + QStringLiteral(".png"));
    const Run run = runCalc({QStringLiteral("--png"), png, QStringLiteral("--language"), language},
                            lanesExample + '\n');
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 1);
    QVERIFY(!QImage(png).isNull());
}

QTEST_GUILESS_MAIN(tst_FenwardeCalcPng)
#include "tst_fenwardecalcpng.moc"
