#include "fenwardeversion.h"
#include "geometrycalcrunner.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The calculator's reports: what a surveyor planning many poles from one
// file of records gets, and what happens when a report cannot be written.
class tst_FenwardeCalcReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reportOfFirstRecord_data();
    void reportOfFirstRecord();
    void reportPerRecord();
    void failures_data();
    void failures();
    void undecodableName_data();
    void undecodableName();
    void version();

private:
    QTemporaryDir m_dir;
};

namespace
{

using Run = GeometryCalcRunner::Run;

// The worked capture-point camera: its results are known by hand (W2 = W3 =
// 7.89 m at 12 m; plates of 11 px at the far edge and 132 px at the near one).
const QByteArray Capture =
    R"({"scenario": 3, "plateType": 1, "pitchAngle": 15, "maxPixels": 200, "minPixels": 100,
        "resolutionWidth": 1920, "resolutionHeight": 1080, "focalLength": 8,
        "sensorWidth": 4.8, "sensorHeight": 3.6, "ipcHeight": 6, "captureDistance": 12,
        "targetHeight": 1.7})";
const QByteArray Person =
    R"({"scenario": 1, "focalLength": 12, "sensorWidth": 4.8, "sensorHeight": 3.6,
        "ipcHeight": 2.5, "targetHeight": 1.6, "pitchAngle": 10, "minPixels": 120,
        "maxPixels": 320, "resolutionWidth": 3840, "resolutionHeight": 2160})";

QByteArray oneLine(QByteArray record)
{
    return record.replace('\n', ' ') + '\n';
}

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

void tst_FenwardeCalcReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_FenwardeCalcReport::reportOfFirstRecord_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("capture point") << Capture << QStringList{"Camera Installation Plan",
                                                             "Capture point",
                                                             "1/3''",
                                                             "1920 * 1080",
                                                             "Plate 0.52 m wide",
                                                             "Capture point distance (L3):",
                                                             "11 - 132px"};
    QTest::newRow("person")
        << Person
        << QStringList{"Person / face detection",     "Minimum face pixels:", "120", "320", "2.5",
                       "Detection distance (L2-L3):", "5.93 - 16.09m"};
    // As in the window: no number without a result, a warning beside one.
    QTest::newRow("person, no band") << QByteArray(Person).replace("2.5", "1.5")
                                     << QStringList{"(W2-W3): -", "(L2-L3): -", "(L1): -"};
    QTest::newRow("person, band cut")
        << QByteArray(Person).replace("2.5", "4") << QStringList{"7.16 - 15.82m", "was cut to it"};
}

void tst_FenwardeCalcReport::reportOfFirstRecord()
{
    QFETCH(QByteArray, record);
    QFETCH(QStringList, texts);
    const QString pdf = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    const Run run = GeometryCalcRunner::run({"--report", pdf}, oneLine(record) + oneLine(Person));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 2);
    const QString text = pdfText(pdf).simplified();
    for (const QString &expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + " in\n" + text));

    // The suffix chooses the format in any letter case, as in the window.
    const QString xlsx = m_dir.filePath(QStringLiteral("%1.XLSX").arg(QTest::currentDataTag()));
    QCOMPARE(GeometryCalcRunner::run({"--report", xlsx}, oneLine(record)).exitCode, 0);
    QFile sheet(xlsx);
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    QCOMPARE(sheet.read(2), QByteArray("PK"));
}

// One report per good record, named by its line; blank lines count, bad
// lines get their usual answer and no report.
void tst_FenwardeCalcReport::reportPerRecord()
{
    const QString folder = m_dir.filePath(QStringLiteral("poles"));
    const QByteArray input = oneLine(Capture) + "\n" + "{\"scenario\": 9}\n" + oneLine(Person);
    const Run run = GeometryCalcRunner::run(
        {"--report-dir", folder, "--report-format", "xlsx", "--size", "500x300"}, input);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.size(), 3);
    QVERIFY(run.lines.at(1).contains("inputError"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"line-1.xlsx", "line-4.xlsx"}));
}

void tst_FenwardeCalcReport::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");

    const QString missing = m_dir.filePath(QStringLiteral("missing/plan.pdf"));
    QTest::newRow("missing folder") << QStringList{"--report", missing} << 3 << missing;
    QTest::newRow("text file") << QStringList{"--report", m_dir.filePath("plan.txt")} << 2
                               << "Usage:";
    QTest::newRow("format without folder")
        << QStringList{"--report-format", "xlsx"} << 2 << "--report-dir reports";
    QTest::newRow("unknown format")
        << QStringList{"--report-dir", m_dir.path(), "--report-format", "csv"} << 2 << "Usage:";
    QTest::newRow("report while solving")
        << QStringList{"--report", m_dir.filePath("plan.pdf"), "--solve"} << 2
        << "--solve writes no picture or report";
    QTest::newRow("folder without a name")
        << QStringList{"--report-dir", ""} << 2 << "--report-dir needs the name of a folder";

    // Nobody reads the pipes: opening one for writing would block for ever.
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.pdf"));
    const QString pipes = m_dir.filePath(QStringLiteral("pipes"));
    QDir().mkpath(pipes);
    mkfifo(QFile::encodeName(pipe).constData(), 0600);
    mkfifo(QFile::encodeName(pipes + QStringLiteral("/line-1.xlsx")).constData(), 0600);
    QTest::newRow("named pipe") << QStringList{"--report", pipe} << 3 << "it is a named pipe";
    QTest::newRow("named pipe in the folder")
        << QStringList{"--report-dir", pipes, "--report-format", "xlsx"} << 3
        << "it is a named pipe";
}

// A report that was not written is never passed over in silence.
void tst_FenwardeCalcReport::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    const QStringList before =
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const Run run = GeometryCalcRunner::run(arguments, oneLine(Capture));
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.errorOutput.contains(said.toUtf8()), run.errorOutput.constData());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

void tst_FenwardeCalcReport::undecodableName_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("report") << "--report";
    QTest::newRow("report folder") << "--report-dir";
}

// A name whose bytes are no text here would be written under another name;
// it is refused, and nothing is written at all.
void tst_FenwardeCalcReport::undecodableName()
{
    QFETCH(QString, option);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    shell.start(QStringLiteral("sh"),
                {"-c", "exec \"$0\" \"$1\" \"$(printf 'a\\377b.pdf')\"",
                 QCoreApplication::applicationDirPath() + QStringLiteral("/fenwarde-calc"),
                 option});
    shell.write(oneLine(Capture));
    shell.closeWriteChannel();
    QVERIFY(shell.waitForFinished(30000));
    QCOMPARE(shell.exitCode(), 2);
    QVERIFY(shell.readAllStandardError().contains("a\\xFFb.pdf"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void tst_FenwardeCalcReport::version()
{
    const Run run = GeometryCalcRunner::run({"--version"}, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines, QList<QByteArray>{"fenwarde-calc " FENWARDE_VERSION});
    QVERIFY(run.errorOutput.isEmpty());
}

QTEST_GUILESS_MAIN(tst_FenwardeCalcReport)
#include "tst_fenwardecalcreport.moc"
