#include "recordreader.h"
#include "resultwriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace
{

const QByteArray Record = R"({"scenario": 2, "ipcHeight": 6, "focalLength": 8})";

// Starts the tool with its standard input or output closed, as a shell's
// "<&-" or ">&-" does.
class ClosingProcess : public QProcess
{
public:
    int closedFd = -1;

protected:
    void setupChildProcess() override
    {
        if (closedFd >= 0)
            ::close(closedFd);
    }
};

struct Outcome {
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errorOutput;
};

// A run normally takes well under a second; the limit only keeps a hanging
// tool from hanging the test.
Outcome runTool(ClosingProcess &process, const QStringList &arguments)
{
    Outcome outcome;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/fenwarde-calc"),
                  arguments);
    if (!process.waitForStarted())
        return outcome;
    outcome.finished = process.waitForFinished(20000);
    if (!outcome.finished) {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.output = process.readAllStandardOutput();
    outcome.errorOutput = process.readAllStandardError();
    return outcome;
}

// Hands out its data a few bytes per read, then fails or ends.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(const QByteArray &data, int step, bool failAtEnd)
        : m_data(data), m_step(step), m_failAtEnd(failAtEnd)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_pos >= m_data.size()) {
            if (!m_failAtEnd)
                return 0;
            setErrorString(QStringLiteral("medium gone"));
            return -1;
        }
        const int n = int(qMin<qint64>(qMin(maxSize, qint64(m_step)), m_data.size() - m_pos));
        memcpy(data, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    int m_step;
    bool m_failAtEnd;
    int m_pos = 0;
};

// Takes the first bytes written to it and refuses the rest, as a full disk
// does.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(int room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 maxSize) override
    {
        if (maxSize > m_room)
            return -1;
        m_room -= int(maxSize);
        return maxSize;
    }

private:
    int m_room;
};

// What a reader makes of its input: one entry per answer, "record N",
// "invalid N" or "read error".
QStringList readAll(QIODevice *input)
{
    RecordReader reader(input);
    QStringList seen;
    for (;;) {
        switch (reader.next()) {
        case RecordReader::Status::End:
            return seen;
        case RecordReader::Status::ReadError:
            seen << QStringLiteral("read error: ") + reader.reason();
            return seen;
        case RecordReader::Status::Record:
            seen << QStringLiteral("record %1").arg(reader.lineNumber());
            break;
        case RecordReader::Status::Invalid:
            seen << QStringLiteral("invalid %1").arg(reader.lineNumber());
            break;
        }
    }
}

} // namespace

// Standard input that cannot be read and output that cannot be written end
// the run with a message and exit status 3, never a hang or a false success.
class tst_FenwardeCalcStreams : public QObject
{
    Q_OBJECT

private slots:
    void unreadableInput_data();
    void unreadableInput();
    void lostOutput_data();
    void lostOutput();
    void blockBoundaries_data();
    void blockBoundaries();
    void readErrorKeepsEarlierRecords();
    void longLines();
    void refusedWriteIsRemembered();
};

void tst_FenwardeCalcStreams::unreadableInput_data()
{
    QTest::addColumn<bool>("closed");
    QTest::newRow("directory") << false;
    QTest::newRow("closed") << true;
}

void tst_FenwardeCalcStreams::unreadableInput()
{
    QFETCH(bool, closed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    ClosingProcess process;
    if (closed)
        process.closedFd = 0;
    else
        process.setStandardInputFile(dir.path());
    const Outcome run = runTool(process, {});
    QVERIFY2(run.finished, "the tool did not end");
    QCOMPARE(run.exitCode, 3);
    QVERIFY(run.output.isEmpty());
    QVERIFY2(run.errorOutput.contains("standard input"), run.errorOutput.constData());
}

void tst_FenwardeCalcStreams::lostOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("closed");

    const QByteArray many = (Record + '\n').repeated(3000);
    QTest::newRow("one result to a full disk") << QStringList() << Record + '\n' << false;
    QTest::newRow("bad line to a full disk") << QStringList() << QByteArray("[]\n") << false;
    QTest::newRow("many results to a full disk") << QStringList() << many << false;
    QTest::newRow("help to a full disk") << QStringList{"--help"} << QByteArray() << false;
    QTest::newRow("results to a closed output") << QStringList() << Record + '\n' << true;
}

void tst_FenwardeCalcStreams::lostOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(bool, closed);

    ClosingProcess process;
    if (closed) {
        process.closedFd = 1;
    } else {
        // Appending never creates, truncates or replaces the device.
        if (!QFileInfo(QStringLiteral("/dev/full")).exists())
            QSKIP("no /dev/full here");
        process.setStandardOutputFile(QStringLiteral("/dev/full"), QIODevice::Append);
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString inputPath = dir.filePath(QStringLiteral("records.jsonl"));
    QFile file(inputPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(input), qint64(input.size()));
    file.close();
    process.setStandardInputFile(inputPath);

    const Outcome run = runTool(process, arguments);
    QVERIFY2(run.finished, "the tool did not end");
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.errorOutput.contains("standard output"), run.errorOutput.constData());
}

void tst_FenwardeCalcStreams::blockBoundaries_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("CR LF split across reads")
        << QByteArray("{}\r\n[]\r\n{}") << QStringList{"record 1", "invalid 2", "record 3"};
    QTest::newRow("CR then CR") << QByteArray("{}\r\r[]") << QStringList{"record 1", "invalid 3"};
    QTest::newRow("LF then CR") << QByteArray("{}\n\r{}\n") << QStringList{"record 1", "record 3"};
    QTest::newRow("blank lines of every kind")
        << QByteArray(" \t\n\r\n\v\f\r{}") << QStringList{"record 4"};
    QTest::newRow("CR at the very end") << QByteArray("[]\r") << QStringList{"invalid 1"};
}

// However the input arrives, the same lines are seen with the same numbers.
void tst_FenwardeCalcStreams::blockBoundaries()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, expected);

    for (int step : {1, 2, 3, 5, 1 << 16}) {
        TrickleDevice device(input, step, false);
        QCOMPARE(readAll(&device), expected);
    }
}

void tst_FenwardeCalcStreams::readErrorKeepsEarlierRecords()
{
    // The last line is cut off by the failure and is not answered.
    TrickleDevice device("{}\n[]\n{\"scenario\"", 4, true);
    QCOMPARE(readAll(&device), (QStringList{"record 1", "invalid 2", "read error: medium gone"}));
}

// An overlong line is refused whole without keeping it; the next line is
// read in its place. White space alone stays a blank line at any length.
void tst_FenwardeCalcStreams::longLines()
{
    const QByteArray longRecord =
        "{\"ipcHeight\": 6" + QByteArray(2 << 20, ' ') + ", \"scenario\": 2}";
    const QByteArray input = longRecord + "\n" + QByteArray(3 << 20, ' ') + "\n{}\n";
    QBuffer buffer;
    buffer.setData(input);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    RecordReader reader(&buffer);
    QCOMPARE(reader.next(), RecordReader::Status::Invalid);
    QCOMPARE(reader.lineNumber(), 1);
    QVERIFY2(reader.reason().contains(QLatin1String("longer than")), qPrintable(reader.reason()));
    QCOMPARE(reader.next(), RecordReader::Status::Record);
    QCOMPARE(reader.lineNumber(), 3);
    QCOMPARE(reader.next(), RecordReader::Status::End);
}

void tst_FenwardeCalcStreams::refusedWriteIsRemembered()
{
    const QByteArray first = ResultWriter::inputErrorLine(1, QStringLiteral("x")) + '\n';
    FullDevice device(first.size());
    ResultWriter writer(&device);
    writer.writeInputError(1, QStringLiteral("x"));
    QVERIFY(!writer.failed());
    writer.writeInputError(2, QStringLiteral("x"));
    QVERIFY(writer.failed());
    writer.writeInputError(3, QStringLiteral(""));
    QVERIFY(writer.failed());
}

QTEST_GUILESS_MAIN(tst_FenwardeCalcStreams)
#include "tst_fenwardecalcstreams.moc"
