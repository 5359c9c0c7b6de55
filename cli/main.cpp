#include "fenwardeversion.h"
#include "guidelines.h"
#include "languagefile.h"
#include "languagetable.h"
#include "planfile.h"
#include "recordloop.h"
#include "recordreader.h"
#include "recordreport.h"
#include "regularfile.h"
#include "reportexport.h"
#include "reportformat.h"
#include "resultwriter.h"
#include "scenecalculation.h"
#include "scenepicture.h"
#include "scenerenderer.h"
#include "sitereport.h"
#include "solver.h"
#include "textid.h"
#include "utf8sequence.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace
{

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;
constexpr int ExitBrokenStream = 3;

constexpr int StdinFd = 0;
constexpr int StdoutFd = 1;
constexpr int StderrFd = 2;

// True when the standard stream fd was closed when the program started. Its
// number is then taken by the null device at once: a file opened later would
// otherwise get it, and records would be read from, or results written into,
// whatever that file is.
bool claimClosedStream(int fd, int flags)
{
#ifdef Q_OS_UNIX
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
        return false;
    const int null = ::open("/dev/null", flags);
    if (null >= 0 && null != fd) {
        ::dup2(null, fd);
        ::close(null);
    }
    return true;
#else
    Q_UNUSED(fd)
    Q_UNUSED(flags)
    return false;
#endif
}

struct ClosedStreams {
    bool input = false;
    bool output = false;
};

ClosedStreams claimClosedStreams()
{
    ClosedStreams closed;
#ifdef Q_OS_UNIX
    closed.input = claimClosedStream(StdinFd, O_RDONLY);
    closed.output = claimClosedStream(StdoutFd, O_WRONLY);
    claimClosedStream(StderrFd, O_WRONLY);
#endif
    return closed;
}

void complain(const QString &message)
{
    QTextStream(stderr) << message << "\n";
}

// Writes everything still buffered; false, with a message, when standard
// output did not take it all.
bool finishOutput(QFile &output, bool failed)
{
    if (output.flush() && !failed && output.error() == QFileDevice::NoError)
        return true;
    complain(QStringLiteral("Cannot write standard output: %1.").arg(output.errorString()));
    return false;
}

// Why a language file cannot be read, or an empty string. It must be a
// regular file, checked before it is opened so that a named pipe or a
// device cannot block the program.
QString languageFileProblem(const QString &path)
{
    if (RegularFile::kindOf(path) == RegularFile::Kind::Missing)
        return QStringLiteral("no language file %1").arg(path);
    const QString refusal = RegularFile::refusal(path, false);
    return refusal.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(path, refusal);
}

// A language file that can be read and holds every text the pictures use.
bool loadCompleteLanguageTable(const QString &path, QString *reason)
{
    *reason = languageFileProblem(path);
    if (!reason->isEmpty())
        return false;
    loadLanguageTable(path);
    const LanguageTable *table = currentLanguageTable();
    const int count = table ? table->count : 0;
    if (count < TextId::BaseCount) {
        *reason = QStringLiteral("%1 holds %2 of the %3 texts of a language file")
                      .arg(path)
                      .arg(count)
                      .arg(int(TextId::BaseCount));
        return false;
    }
    return true;
}

QString usage(const QCommandLineParser &parser)
{
    return parser.helpText() +
           QStringLiteral("\nEach input line is a JSON object with any of these fields; a "
                          "field left out\ntakes the default shown.\n\n") +
           RecordReader::fieldList() +
           QStringLiteral("\nAn int is a whole number from -2147483648 to 2147483647 and a "
                          "double any\nfinite number, written as JSON numbers. Each field may "
                          "appear once. The\nplanning window offers narrower ranges; values "
                          "beyond them are calculated\nall the same. scenario and plateType "
                          "are 0 only when left out, as in a new\nscene widget. LF, CR and CR "
                          "LF end a line; a line may hold up to 1 MiB.\n") +
           QStringLiteral("\nEach record gives one JSON object per line: L1 W1 L2 W2 L3 W3 L4 "
                          "W4, nearPixels,\nfarPixels, errorIndex, rangeEmitted, "
                          "identification, the capture-point counts\nand the drawing extents. "
                          "A bad line gives {\"inputError\": \"line N: ...\"} and\nexit "
                          "status 1; a usage error gives exit status 2; input that cannot be "
                          "read\nor output that cannot be written gives exit status 3.\n") +
           QStringLiteral("\nA report holds the record's settings, the results and the scene "
                          "picture (--size,\n--scale), with the texts of the language file, as "
                          "the planning window\nexports it. A bad record writes no report; a "
                          "report that cannot be written\nis named on standard error and gives "
                          "exit status 3. A report replaces an earlier\nfile only once it is "
                          "complete; a folder, a named pipe or a device at its name\nis refused "
                          "and left as it is.\n") +
           QStringLiteral("\nEach result ends with pxPerMetre, the pixels across one metre of "
                          "picture at L1\nto L4 (null at a distance of 0 or unbounded), and "
                          "densityClasses: for detect\n(25 px/m), observe (62.5), recognise (125) "
                          "and identify (250), {\"from\": L1,\n\"to\": d} up to the farthest "
                          "distance d that still has the density, at most\nL4; null when L1 "
                          "has less.\n") +
           QStringLiteral("\nLast come viewAngles and checks. viewAngles lists, nearest first, "
                          "the band's\nends (point \"bandNear\", \"bandFar\") or the capture "
                          "point (\"capturePoint\"):\nits distance, plateVertical and "
                          "faceVertical, the degrees down from the\ncamera to a plate centre "
                          "0.5 m high and to a face at targetHeight, and\nlaneHorizontal, the "
                          "degrees from the camera's axis to each lane's centre,\nfrom the left "
                          "lane, positive to the right (none in scenario 1). checks\njudges "
                          "plates against plate reading and faces against face capture, from\n"
                          "guidelines.json beside this program: target, point, distance, passed, "
                          "the\nvertical angle with its limit and excess, horizontalLimit, and "
                          "failingLanes\nwith each lane's index in laneHorizontal, angle and "
                          "excess. Both are [] when\nthere is no band or capture point.\n") +
           QStringLiteral(
               "\nWith --plan, the poles of a plan file saved by the planning "
               "window take the\nplace of the records: one result per pole, in "
               "the plan's order, ending with\n\"pole\": its name. --report then "
               "writes the site report: a summary of every\npole, then each "
               "pole's own report, and --report-dir names its reports pole-1,\npole-2 and "
               "so on. A plan that cannot be read is named on standard error\nand "
               "gives exit status 1.\n") +
           Solver::usage();
}

// What a usage error prints: the problem and where to read more.
void complainAboutUsage(const QString &problem)
{
    QTextStream(stderr) << "fenwarde-calc: " << problem << "\n"
                        << "Usage: fenwarde-calc [options] < records.jsonl\n"
                        << "Try 'fenwarde-calc --help' for more information.\n";
}

// An argument, with each byte that is not part of UTF-8 written as \xHH.
QString shownArgument(const QByteArray &argument)
{
    QString shown;
    const auto *bytes = reinterpret_cast<const unsigned char *>(argument.constData());
    for (int i = 0; i < argument.size();) {
        const int length = utf8SequenceLength(bytes + i, argument.size() - i);
        if (length == 0) {
            shown +=
                QStringLiteral("\\x") +
                QString::number(uint(bytes[i]), 16).rightJustified(2, QLatin1Char('0')).toUpper();
            ++i;
        } else {
            shown += QString::fromUtf8(argument.mid(i, length));
            i += length;
        }
    }
    return shown;
}

// The first argument that does not survive the decoding into text, or an
// empty one. Such a file name would be written under another name.
QByteArray undecodableArgument(const QList<QByteArray> &arguments)
{
    for (const QByteArray &argument : arguments) {
        if (QFile::encodeName(QFile::decodeName(argument)) != argument)
            return argument;
    }
    return QByteArray();
}

bool isOption(const char *argument, const char *name)
{
    const size_t length = std::strlen(name);
    return std::strncmp(argument, name, length) == 0 &&
           (argument[length] == '\0' || argument[length] == '=');
}

// Pictures and reports need fonts and so a GUI application; they never need
// a screen.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (isOption(argv[i], "--png") || isOption(argv[i], "--report") ||
            isOption(argv[i], "--report-dir")) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Writes the report of one record; the suffix chooses the format. An
// existing file is replaced only by a complete new one.
bool writeReport(const SceneParams &params, const QSize &size, qreal scale,
                 const SceneOptions &options, const QString &path, QString *reason)
{
    const QImage picture = ScenePicture::of(params, size, scale, options);
    const ReportContent content = RecordReport::content(params, computeScene(params), picture);
    return ReportExport::write(content, path, reason) == ReportExport::Outcome::Written;
}

} // namespace

int main(int argc, char *argv[])
{
    const ClosedStreams closed = claimClosedStreams();
    QList<QByteArray> rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QByteArray(argv[i]);
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fenwarde-calc"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Computes the camera scene geometry for records read as JSON Lines "
                       "from standard input."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows this help and the field list."));
    parser.addOption(helpOption);
    const QCommandLineOption pngOption(
        QStringLiteral("png"), QStringLiteral("Also renders the scene of the first record."),
        QStringLiteral("file"));
    const QCommandLineOption sizeOption(QStringLiteral("size"),
                                        QStringLiteral("Picture size (default 1000x600)."),
                                        QStringLiteral("WxH"), QStringLiteral("1000x600"));
    const QCommandLineOption scaleOption(QStringLiteral("scale"),
                                         QStringLiteral("Screen scale factor (default 1)."),
                                         QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QStringLiteral("Language file for the scene texts (default language/ENU.xml beside "
                       "this program)."),
        QStringLiteral("file"));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Shows the version and exits."));
    const QCommandLineOption reportOption(
        QStringLiteral("report"),
        QStringLiteral("Also writes the report of the first record, as the planning window "
                       "exports it; the suffix .pdf or .xlsx chooses the format."),
        QStringLiteral("file"));
    const QCommandLineOption reportDirOption(
        QStringLiteral("report-dir"),
        QStringLiteral("Also writes one report per record into this folder, named by the "
                       "record's line number (line-12.pdf)."),
        QStringLiteral("folder"));
    const QCommandLineOption reportFormatOption(
        QStringLiteral("report-format"),
        QStringLiteral("Format of the --report-dir reports: pdf (default) or xlsx."),
        QStringLiteral("pdf|xlsx"), QStringLiteral("pdf"));
    const QCommandLineOption solveOption(
        QStringLiteral("solve"),
        QStringLiteral("Suggests focal lengths and pitch angles for records with a wish."));
    const QCommandLineOption zonesOption(
        QStringLiteral("zones"),
        QStringLiteral("Draws the pixel-density zones in the pictures of --png, --report and "
                       "--report-dir."));
    const QCommandLineOption planOption(
        QStringLiteral("plan"),
        QStringLiteral("Reads the poles of a plan file instead of records from standard input; "
                       "--report then writes the site report."),
        QStringLiteral("file"));
    parser.addOptions({versionOption, pngOption, reportOption, reportDirOption, reportFormatOption,
                       sizeOption, scaleOption, languageOption, zonesOption, solveOption,
                       planOption});

    const QByteArray undecodable = undecodableArgument(rawArguments);
    if (!undecodable.isEmpty()) {
        complainAboutUsage(QStringLiteral("the argument %1 is not text in this system's encoding")
                               .arg(shownArgument(undecodable)));
        return ExitUsage;
    }
    if (!parser.parse(QCoreApplication::arguments())) {
        complainAboutUsage(parser.errorText());
        return ExitUsage;
    }
    if (!parser.positionalArguments().isEmpty()) {
        complainAboutUsage(QStringLiteral("unexpected argument %1")
                               .arg(parser.positionalArguments().constFirst()));
        return ExitUsage;
    }
    QFile output;
    if (closed.output ||
        !output.open(StdoutFd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        complain(QStringLiteral("Cannot write standard output: it is closed."));
        return ExitBrokenStream;
    }
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        const QByteArray text = parser.isSet(helpOption)
                                    ? usage(parser).toUtf8()
                                    : QByteArrayLiteral("fenwarde-calc " FENWARDE_VERSION "\n");
        const bool written = output.write(text) == text.size();
        return finishOutput(output, !written) ? 0 : ExitBrokenStream;
    }

    QSize pngSize;
    qreal pngScale = 1.0;
    SceneOptions sceneOptions;
    sceneOptions.densityZones = parser.isSet(zonesOption);
    const bool png = parser.isSet(pngOption);
    const bool report = parser.isSet(reportOption);
    const bool reportDir = parser.isSet(reportDirOption);
    const bool pictures = png || report || reportDir;
    const bool fromPlan = parser.isSet(planOption);
    if (fromPlan && parser.isSet(solveOption)) {
        complainAboutUsage(QStringLiteral("--plan reads no wishes; leave out --solve"));
        return ExitUsage;
    }
    if (pictures && parser.isSet(solveOption)) {
        complainAboutUsage(QStringLiteral("--solve writes no picture or report; leave out --png, "
                                          "--report and --report-dir"));
        return ExitUsage;
    }
    if (!SceneRenderer::parseSize(parser.value(sizeOption), &pngSize) ||
        !SceneRenderer::parseScale(parser.value(scaleOption), &pngScale) ||
        (!pictures && (parser.isSet(sizeOption) || parser.isSet(scaleOption) ||
                       parser.isSet(languageOption) || parser.isSet(zonesOption)))) {
        complainAboutUsage(QStringLiteral("bad picture option"));
        return ExitUsage;
    }
    const QString reportFormat = parser.value(reportFormatOption);
    if (parser.isSet(reportFormatOption) && !reportDir) {
        complainAboutUsage(QStringLiteral("--report-format names the format of --report-dir "
                                          "reports; --report takes it from the suffix"));
        return ExitUsage;
    }
    if (reportDir && parser.value(reportDirOption).isEmpty()) {
        complainAboutUsage(QStringLiteral("--report-dir needs the name of a folder"));
        return ExitUsage;
    }
    if ((report && ReportFormat::of(parser.value(reportOption)) == ReportFormat::Unknown) ||
        ReportFormat::ofSuffix(reportFormat) == ReportFormat::Unknown) {
        complainAboutUsage(QStringLiteral("a report is a .pdf or an .xlsx file"));
        return ExitUsage;
    }
    const QString defaultLanguage = languageFolder() + QStringLiteral("/ENU.xml");
    const QString defaultLanguageProblem = languageFileProblem(defaultLanguage);
    // A language file that was asked for is checked before any input is
    // read, like every other option.
    if (parser.isSet(languageOption)) {
        QString reason;
        if (!loadCompleteLanguageTable(parser.value(languageOption), &reason)) {
            complain(QStringLiteral("--language: %1").arg(reason));
            return ExitUsage;
        }
    } else if (report || reportDir) {
        // Reports are all text; without their language there is nothing to
        // write, so this is known before any record is read.
        if (!defaultLanguageProblem.isEmpty()) {
            complain(QStringLiteral("--report: %1").arg(defaultLanguageProblem));
            return ExitBadInput;
        }
        loadLanguageTable(defaultLanguage);
    }
    const QDir folder(parser.value(reportDirOption));
    if (reportDir && !QDir().mkpath(folder.path())) {
        complain(QStringLiteral("--report-dir: cannot make the folder %1").arg(folder.path()));
        return ExitBrokenStream;
    }

    Plan plan;
    if (fromPlan) {
        QString reason;
        if (!PlanFile::read(parser.value(planOption), &plan, &reason)) {
            complain(QStringLiteral("--plan: %1: %2").arg(parser.value(planOption), reason));
            return ExitBadInput;
        }
    }
    QFile input;
    if (!fromPlan &&
        (closed.input || !input.open(StdinFd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))) {
        complain(QStringLiteral("Cannot read standard input: it is closed."));
        return ExitBrokenStream;
    }
    if (parser.isSet(solveOption)) {
        ResultWriter writer(&output);
        const RecordLoop::Outcome solved = Solver(&input, writer).run();
        if (!finishOutput(output, writer.failed()) || solved == RecordLoop::Outcome::ReadFailed)
            return ExitBrokenStream;
        return solved == RecordLoop::Outcome::AllGood ? 0 : ExitBadInput;
    }
    // Read once for the whole run; without them the built-in limits judge.
    QString guidelinesProblem;
    const Guidelines guidelines = Guidelines::load(Guidelines::path(), &guidelinesProblem);
    if (!guidelinesProblem.isEmpty())
        complain(QStringLiteral("fenwarde-calc: %1; the built-in viewing-angle limits judge "
                                "instead")
                     .arg(guidelinesProblem));
    ResultWriter writer(&output, guidelines);
    // Each good record's result line comes first, then its report; the first
    // good record is kept for --report and --png.
    SceneParams first;
    bool haveFirst = false;
    bool reportsWritten = true;
    const auto answer = [&](const SceneParams &params, const QString &reportName) {
        if (reportDir) {
            const QString path =
                folder.filePath(QStringLiteral("%1.%2").arg(reportName, reportFormat));
            QString reason;
            if (!writeReport(params, pngSize, pngScale, sceneOptions, path, &reason)) {
                complain(QStringLiteral("--report-dir: %1").arg(reason));
                reportsWritten = false;
            }
        }
        if (!haveFirst) {
            first = params;
            haveFirst = true;
        }
    };
    RecordLoop::Outcome outcome = RecordLoop::Outcome::AllGood;
    if (fromPlan) {
        for (int i = 0; i < plan.poles.size() && !writer.failed(); ++i) {
            const SceneParams &params = plan.poles.at(i).record;
            writer.writePoleResult(params, computeScene(params), plan.poles.at(i).name);
            answer(params, QStringLiteral("pole-%1").arg(i + 1));
        }
    } else {
        RecordReader reader(&input);
        outcome = RecordLoop::run(reader, writer, [&](const RecordReader &record) {
            writer.writeResult(record.params(), computeScene(record.params()));
            answer(record.params(), QStringLiteral("line-%1").arg(record.lineNumber()));
        });
    }
    if (!finishOutput(output, writer.failed()) || outcome == RecordLoop::Outcome::ReadFailed)
        return ExitBrokenStream;
    if (report) {
        QString reason;
        if (!haveFirst) {
            complain(QStringLiteral("--report: no record to write"));
            return ExitBadInput;
        }
        const bool written =
            fromPlan ? SiteReport::write(plan, parser.value(reportOption), pngSize, pngScale,
                                         &reason, sceneOptions) == ReportExport::Outcome::Written
                     : writeReport(first, pngSize, pngScale, sceneOptions,
                                   parser.value(reportOption), &reason);
        if (!written) {
            complain(QStringLiteral("--report: %1").arg(reason));
            return ExitBrokenStream;
        }
    }
    if (!reportsWritten)
        return ExitBrokenStream;
    if (png) {
        QString reason;
        if (!parser.isSet(languageOption) && !defaultLanguageProblem.isEmpty()) {
            reason = defaultLanguageProblem;
        } else if (!haveFirst) {
            reason = QStringLiteral("no record to render");
        } else {
            if (!currentLanguageTable())
                loadLanguageTable(defaultLanguage);
            SceneRenderer::writePng(first, pngSize, pngScale, sceneOptions, parser.value(pngOption),
                                    &reason);
        }
        if (!reason.isEmpty()) {
            complain(QStringLiteral("--png: %1").arg(reason));
            return ExitBadInput;
        }
    }
    return outcome == RecordLoop::Outcome::AllGood ? 0 : ExitBadInput;
}
