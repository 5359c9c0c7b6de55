#include "pdfreportwriter.h"
#include "reportcontent.h"
#include "reportfile.h"
#include "xlsxreportwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// What a failed export must never do: report success, leave a half-written
// file, or harm what was at the chosen name before. And the PDF's tables
// must show every text whole.
class tst_ReportWriters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failureKeepsOldReport_data();
    void failureKeepsOldReport();
    void devicesAreNeverReplaced_data();
    void devicesAreNeverReplaced();
    void replacesOldReport_data();
    void replacesOldReport();
    void tableTextStaysInItsCell_data();
    void tableTextStaysInItsCell();
};

namespace
{

// Bytes: a finished report smaller than a file's write buffer, handed
// straight to the file writing both writers share.
enum Format { Xlsx, Pdf, Bytes };

const char *const formatNames[] = {"xlsx", "pdf", "bytes"};

ReportContent sampleContent()
{
    ReportContent c;
    c.scenario = 3;
    c.title = QStringLiteral("Camera Installation Plan");
    c.model = {QStringLiteral("Mode:"), QStringLiteral("Capture point")};
    c.poleHeight = {QStringLiteral("Pole height (m)"), 2.5};
    c.nearEdge = {QStringLiteral("Pole to lower picture edge (L1):"), QStringLiteral("2.63m")};
    c.picture = QImage(320, 180, QImage::Format_RGB32);
    c.picture.fill(Qt::darkGreen);
    return c;
}

template <class Writer> bool writeWith(const QString &fileName, QString *error)
{
    Writer writer;
    const bool ok = writer.write(sampleContent(), fileName);
    *error = writer.errorString();
    return ok;
}

bool write(Format format, const QString &fileName, QString *error)
{
    if (format == Bytes)
        return writeReportFile(fileName, QByteArray(10000, 'r'), error);
    return format == Xlsx ? writeWith<XlsxReportWriter>(fileName, error)
                          : writeWith<PdfReportWriter>(fileName, error);
}

QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// Lets no file of this process grow beyond a few kilobytes, as a full disk
// would; a report with a picture is larger.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    bool m_active = false;
};

enum Failure { MissingFolder, FolderAtName, DiskFull };

const QByteArray oldReport = "an earlier report";

} // namespace

void tst_ReportWriters::initTestCase()
{
    // A write beyond the size limit then fails instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
}

void tst_ReportWriters::failureKeepsOldReport_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("failure");
    for (const Format format : {Xlsx, Pdf, Bytes}) {
        const char *name = formatNames[format];
        QTest::addRow("%s, missing folder", name) << int(format) << int(MissingFolder);
        QTest::addRow("%s, folder at the name", name) << int(format) << int(FolderAtName);
        QTest::addRow("%s, disk full", name) << int(format) << int(DiskFull);
    }
}

void tst_ReportWriters::failureKeepsOldReport()
{
    QFETCH(int, format);
    QFETCH(int, failure);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString target = dir.filePath(QStringLiteral("plan.report"));
    if (failure == MissingFolder)
        target = dir.filePath(QStringLiteral("gone/plan.report"));
    else if (failure == FolderAtName)
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("plan.report")));
    else
        writeFile(target, oldReport);
    const QStringList before = entries(dir.path());

    QString error;
    bool ok;
    if (failure == DiskFull) {
        const FileSizeLimit limit(4096);
        QVERIFY(limit.active());
        ok = write(Format(format), target, &error);
    } else {
        ok = write(Format(format), target, &error);
    }
    QVERIFY(!ok);
    QVERIFY2(error.contains(target), qPrintable(error));
    QCOMPARE(entries(dir.path()), before);
    if (failure == DiskFull) {
        QCOMPARE(readAll(target), oldReport);
        QVERIFY2(error.contains(qt_error_string(EFBIG)), qPrintable(error));
    }
    if (failure == FolderAtName)
        QCOMPARE(entries(target), QStringList());
}

void tst_ReportWriters::devicesAreNeverReplaced_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("linked");
    for (const Format format : {Xlsx, Pdf}) {
        const char *name = formatNames[format];
        QTest::addRow("%s, full device", name) << int(format) << "/dev/full" << false;
        QTest::addRow("%s, null device", name) << int(format) << "/dev/null" << false;
        QTest::addRow("%s, link to a device", name) << int(format) << "/dev/zero" << true;
        QTest::addRow("%s, named pipe", name) << int(format) << QString() << false;
    }
}

// A device or a pipe is no report: nothing is written to it, nothing is
// renamed over it, and opening a pipe that nobody reads must not block.
void tst_ReportWriters::devicesAreNeverReplaced()
{
    QFETCH(int, format);
    QFETCH(QString, device);
    QFETCH(bool, linked);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString node = dir.filePath(QStringLiteral("device"));
    if (device.isEmpty()) {
        QCOMPARE(mkfifo(QFile::encodeName(node).constData(), 0600), 0);
    } else {
        // Root could rename over the system's own node should the writers
        // ever try; a private node of the same device takes the risk instead.
        struct stat system {
        };
        if (geteuid() != 0)
            QSKIP("only root can make a private device node");
        if (stat(QFile::encodeName(device).constData(), &system) != 0 || !S_ISCHR(system.st_mode) ||
            mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, system.st_rdev) != 0)
            QSKIP("cannot make a device node");
    }
    QString target = node;
    if (linked) {
        target = dir.filePath(QStringLiteral("report.pdf"));
        QVERIFY(QFile::link(node, target));
    }
    struct stat before {
    };
    QCOMPARE(stat(QFile::encodeName(node).constData(), &before), 0);

    QString error;
    QVERIFY(!write(Format(format), target, &error));
    QVERIFY2(error.contains(target), qPrintable(error));
    struct stat after {
    };
    QCOMPARE(stat(QFile::encodeName(node).constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_rdev, before.st_rdev);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(QFileInfo(target).isSymLink(), linked);
}

void tst_ReportWriters::replacesOldReport_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("magic");
    QTest::addColumn<bool>("longestName");
    QTest::newRow("xlsx") << int(Xlsx) << QByteArray("PK\x03\x04") << false;
    QTest::newRow("pdf") << int(Pdf) << QByteArray("%PDF-") << false;
    QTest::newRow("xlsx, longest name") << int(Xlsx) << QByteArray("PK\x03\x04") << true;
    QTest::newRow("pdf, longest name") << int(Pdf) << QByteArray("%PDF-") << true;
}

void tst_ReportWriters::replacesOldReport()
{
    QFETCH(int, format);
    QFETCH(QByteArray, magic);
    QFETCH(bool, longestName);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString name = QStringLiteral("plan.report");
    if (longestName)
        name = QString(int(pathconf(QFile::encodeName(dir.path()).constData(), _PC_NAME_MAX)) -
                           name.size(),
                       QLatin1Char('n')) +
               name;
    const QString target = dir.filePath(name);
    writeFile(target, oldReport);
    const QFile::Permissions kept = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(target, kept));

    QString error;
    QVERIFY2(write(Format(format), target, &error), qPrintable(error));
    const QByteArray report = readAll(target);
    QVERIFY(report.startsWith(magic));
    QVERIFY(report.size() > 4096);
    QCOMPARE(entries(dir.path()), QStringList{name});
    // The "user" bits tell what this process may do, not what the file allows.
    const QFile::Permissions user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    QCOMPARE(QFile::permissions(target) & ~user, kept);
}

void tst_ReportWriters::tableTextStaysInItsCell_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::newRow("short") << QStringLiteral("Mode:") << QStringLiteral("2.5");
    QTest::newRow("long") << QStringLiteral("Horizontal angle (keep below 20°):")
                          << QStringLiteral("Roadside, with horizontal angle");
    QTest::newRow("chinese") << QStringLiteral("画面下边缘与架杆水平距离(L1):")
                             << QStringLiteral("路侧安装（带水平角）摄像机画面宽度范围");
}

void tst_ReportWriters::tableTextStaysInItsCell()
{
    QFETCH(QString, caption);
    QFETCH(QString, value);
    // A caption cell and a value cell as wide as those of the page's first
    // table: a quarter of its width, 578, plus and minus 60.
    QImage image(1156, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("宋体"), 26);
    font.setPixelSize(42);
    PdfReportWriter::drawTable(&painter, 0, 0, 1, 2, 100, font, {caption, value}, 60);
    painter.end();

    // Text cut off at a cell's edge leaves ink right beside its border line.
    const int border = 3;
    const int room = 6;
    for (const QPair<int, int> &cell : {qMakePair(0, 638), qMakePair(638, 1156)}) {
        int left = cell.second;
        int right = cell.first;
        for (int y = border; y < image.height() - border; ++y) {
            for (int x = cell.first + border; x < cell.second - border; ++x) {
                if (qGray(image.pixel(x, y)) < 128) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
            }
        }
        QVERIFY2(left < right, "no text drawn");
        QVERIFY2(left >= cell.first + room && right < cell.second - room,
                 qPrintable(QStringLiteral("ink from %1 to %2 in the cell from %3 to %4")
                                .arg(left)
                                .arg(right)
                                .arg(cell.first)
                                .arg(cell.second)));
    }
}

QTEST_MAIN(tst_ReportWriters)
#include "tst_reportwriters.moc"
