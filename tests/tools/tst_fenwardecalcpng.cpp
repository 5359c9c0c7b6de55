#include "geometrycalcrunner.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// The calculator's --png option: the picture of the first good record beside
// the usual result lines, and its option checking.
class tst_FenwardeCalcPng : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writesPicture_data();
    void writesPicture();
    void rejectsBadOptions_data();
    void rejectsBadOptions();
    void failures_data();
    void failures();

private:
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
    QTest::newRow("missing language file")
        << m_dir.filePath(QStringLiteral("nolanguage.png"))
        << QStringList{QStringLiteral("--language"), m_dir.filePath(QStringLiteral("XXX.xml"))}
        << lanesExample;
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

QTEST_GUILESS_MAIN(tst_FenwardeCalcPng)
#include "tst_fenwardecalcpng.moc"
