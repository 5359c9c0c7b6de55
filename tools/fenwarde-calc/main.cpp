#include "languagefile.h"
#include "languagetable.h"
#include "recordreader.h"
#include "resultwriter.h"
#include "scenecalculation.h"
#include "scenerenderer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

namespace
{

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

QString usage(const QCommandLineParser &parser)
{
    return parser.helpText() +
           QStringLiteral("\nEach input line is a JSON object with any of these fields; a "
                          "field left out\ntakes the default shown.\n\n") +
           RecordReader::fieldList() +
           QStringLiteral("\nEach record gives one JSON object per line: L1 W1 L2 W2 L3 W3 L4 "
                          "W4, nearPixels,\nfarPixels, errorIndex, rangeEmitted, "
                          "identification, the capture-point counts\nand the drawing extents. "
                          "A bad line gives {\"inputError\": \"line N: ...\"} and\nexit "
                          "status 1; a usage error gives exit status 2.\n");
}

// Rendering needs fonts and so a GUI application; it never needs a screen.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 || std::strncmp(argv[i], "--png=", 6) == 0) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Answers every record on input in order; false when any line was bad. The
// first good record is kept in first when that is given.
bool calculate(QIODevice *input, QIODevice *output, SceneParams *first = nullptr,
               bool *haveFirst = nullptr)
{
    RecordReader reader(input);
    ResultWriter writer(output);
    bool allGood = true;
    for (;;) {
        const RecordReader::Status status = reader.next();
        if (status == RecordReader::Status::End)
            break;
        if (status == RecordReader::Status::Invalid) {
            writer.writeInputError(reader.lineNumber(), reader.reason());
            allGood = false;
            continue;
        }
        writer.writeResult(computeScene(reader.params()));
        if (first && haveFirst && !*haveFirst) {
            *first = reader.params();
            *haveFirst = true;
        }
    }
    return allGood;
}

} // namespace

int main(int argc, char *argv[])
{
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
    parser.addOptions({pngOption, sizeOption, scaleOption, languageOption});

    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        QTextStream err(stderr);
        const QString problem = parser.errorText().isEmpty()
                                    ? QStringLiteral("Unexpected argument.")
                                    : parser.errorText();
        err << problem << "\n\n" << usage(parser);
        return ExitUsage;
    }
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << usage(parser);
        return 0;
    }

    QSize pngSize;
    qreal pngScale = 1.0;
    const bool png = parser.isSet(pngOption);
    if (!SceneRenderer::parseSize(parser.value(sizeOption), &pngSize) ||
        !SceneRenderer::parseScale(parser.value(scaleOption), &pngScale) ||
        (!png &&
         (parser.isSet(sizeOption) || parser.isSet(scaleOption) || parser.isSet(languageOption)))) {
        QTextStream(stderr) << "Bad picture option.\n\n" << usage(parser);
        return ExitUsage;
    }

    QFile input;
    QFile output;
    if (!input.open(stdin, QIODevice::ReadOnly) || !output.open(stdout, QIODevice::WriteOnly))
        return ExitBadInput;
    SceneParams first;
    bool haveFirst = false;
    const bool allGood = calculate(&input, &output, &first, &haveFirst);
    output.flush();
    if (png) {
        const QString language = parser.isSet(languageOption)
                                     ? parser.value(languageOption)
                                     : languageFolder() + QStringLiteral("/ENU.xml");
        QString reason;
        if (!QFile::exists(language)) {
            reason = QStringLiteral("no language file %1").arg(language);
        } else if (!haveFirst) {
            reason = QStringLiteral("no record to render");
        } else {
            loadLanguageTable(language);
            SceneRenderer::writePng(first, pngSize, pngScale, parser.value(pngOption), &reason);
        }
        if (!reason.isEmpty()) {
            QTextStream(stderr) << "--png: " << reason << "\n";
            return ExitBadInput;
        }
    }
    return allGood ? 0 : ExitBadInput;
}
