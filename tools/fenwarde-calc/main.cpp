#include "recordreader.h"
#include "resultwriter.h"
#include "scenecalculation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

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

// Answers every record on input in order; false when any line was bad.
bool calculate(QIODevice *input, QIODevice *output)
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
    }
    return allGood;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fenwarde-calc"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Computes the camera scene geometry for records read as JSON Lines "
                       "from standard input."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows this help and the field list."));
    parser.addOption(helpOption);

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

    QFile input;
    QFile output;
    if (!input.open(stdin, QIODevice::ReadOnly) || !output.open(stdout, QIODevice::WriteOnly))
        return ExitBadInput;
    const bool allGood = calculate(&input, &output);
    output.flush();
    return allGood ? 0 : ExitBadInput;
}
