#include "recordreader.h"
#include "resultkeys.h"
#include "resultwriter.h"
#include "scenecalculation.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

// Seeded random and mutated record lines through the record reader. The
// fixed corpus runs in seconds; FENWARDE_FUZZ_ROUNDS=N runs N corpora of
// new seeds for a deeper search, FENWARDE_FUZZ_SEED picks the first seed.
namespace
{

constexpr int LinesPerRound = 3000;

// What a line must give: a result, an inputError, or either.
enum class Expect { Result, Error, Either };

struct Line {
    QByteArray text;
    Expect expect;
};

const char *const IntFields[] = {"pitchAngle", "horizontalAngle", "minPixels",
                                 "maxPixels",  "resolutionWidth", "resolutionHeight"};
const char *const LengthFields[] = {"lanesWidth",  "focalLength", "targetHeight",   "sensorHeight",
                                    "sensorWidth", "ipcHeight",   "captureDistance"};

const QStringList ResultKeys = calcResultKeys();

class Generator
{
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    QList<Line> corpus(int count)
    {
        QList<Line> lines;
        while (lines.size() < count) {
            const int kind = below(100);
            if (kind < 35)
                lines << Line{record(), Expect::Result};
            else if (kind < 55)
                lines << Line{refused(), Expect::Error};
            else if (kind < 85)
                lines << Line{mutated(record()), Expect::Either};
            else if (kind < 93)
                lines << Line{garbage(), Expect::Either};
            else
                lines << Line{blank(), Expect::Either};
        }
        return lines;
    }

    QByteArray lineEnd()
    {
        static const char *const ends[] = {"\n", "\n", "\n", "\r\n", "\r"};
        return ends[below(5)];
    }

private:
    int below(int n) { return int(m_random.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }

    QByteArray spellInt(qint64 value)
    {
        const QByteArray plain = QByteArray::number(value);
        switch (below(6)) {
        case 0:
            return plain + ".0";
        case 1:
            return plain + "e0";
        case 2:
            return plain + "E+0";
        case 3:
            return value == 0 ? QByteArray("-0") : plain;
        default:
            return plain;
        }
    }

    QByteArray spellLength(double value)
    {
        switch (below(7)) {
        case 0:
            return QByteArray::number(value, 'e', below(17));
        case 1:
            return QByteArray::number(value, 'g', 17);
        case 2:
            return QByteArray::number(value, 'f', below(6));
        case 3:
            return QByteArray::number(value, 'E', 3);
        default:
            return QByteArray::number(value, 'g', 1 + below(12));
        }
    }

    double length()
    {
        switch (below(6)) {
        case 0:
            return 0.0;
        case 1:
            return std::pow(10.0, -320.0 + m_random.bounded(628.0));
        case 2:
            return m_random.bounded(1.0);
        default:
            return m_random.bounded(500.0);
        }
    }

    QList<QPair<QByteArray, QByteArray>> members()
    {
        QList<QPair<QByteArray, QByteArray>> m;
        if (chance(70))
            m << qMakePair(QByteArray("horizontalMount"),
                           QByteArray(chance(50) ? "true" : "false"));
        if (chance(85))
            m << qMakePair(QByteArray("scenario"), spellInt(1 + below(3)));
        if (chance(70))
            m << qMakePair(QByteArray("plateType"), spellInt(1 + below(3)));
        if (chance(60))
            m << qMakePair(QByteArray("lanesNum"), spellInt(1 + below(chance(90) ? 6 : 100000)));
        for (const char *field : IntFields) {
            if (chance(75)) {
                const qint64 value =
                    chance(90) ? below(4000) - 200 : qint64(m_random.generate()) - 2147483648LL;
                m << qMakePair(QByteArray(field), spellInt(value));
            }
        }
        for (const char *field : LengthFields) {
            if (chance(80))
                m << qMakePair(QByteArray(field), spellLength(length()));
        }
        std::shuffle(m.begin(), m.end(), m_random);
        return m;
    }

    QByteArray join(const QList<QPair<QByteArray, QByteArray>> &m)
    {
        static const char *const spaces[] = {"", " ", "  ", "\t"};
        QByteArray text = chance(3) ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        text += spaces[below(4)] + QByteArray("{") + spaces[below(4)];
        for (int i = 0; i < m.size(); ++i) {
            if (i > 0)
                text += spaces[below(4)] + QByteArray(",") + spaces[below(4)];
            text += '"' + m.at(i).first + '"' + spaces[below(4)] + ':' + spaces[below(4)] +
                    m.at(i).second;
        }
        return text + spaces[below(4)] + "}" + spaces[below(4)];
    }

    QByteArray record() { return join(members()); }

    // A record with one fault that must be refused.
    QByteArray refused()
    {
        QList<QPair<QByteArray, QByteArray>> m = members();
        static const char *const badNumbers[] = {".5",   "5.",  "+1",  "01",    "-",   "1e",
                                                 "1.e3", "--1", "0x1", "1e400", "NaN", "-.0"};
        static const char *const badValues[] = {"null", "\"1\"", "[1]", "{}", "tru", "1 2"};
        const QByteArray field = m.isEmpty() || chance(30) ? QByteArray(LengthFields[below(7)])
                                                           : m.at(below(m.size())).first;
        switch (below(9)) {
        case 0:
            m << qMakePair(field, QByteArray(badNumbers[below(12)]));
            break;
        case 1:
            m << qMakePair(field, QByteArray(badValues[below(6)]));
            break;
        case 2:
            m << qMakePair(QByteArray(chance(50) ? "scenario" : "plateType"),
                           spellInt(chance(50) ? below(2) - 1 : 4 + below(100)));
            break;
        case 3:
            m << qMakePair(QByteArray(LengthFields[below(7)]),
                           "-" + QByteArray::number(0.5 + m_random.bounded(100.0)));
            break;
        case 4:
            m << qMakePair(QByteArray("lanesNum"), spellInt(-below(5)));
            break;
        case 5:
            m << qMakePair(QByteArray("zoom"), QByteArray("1"));
            break;
        case 6: {
            if (m.isEmpty())
                m << qMakePair(QByteArray("scenario"), QByteArray("1"));
            m.insert(below(m.size() + 1), m.at(below(m.size())));
            break;
        }
        case 7: {
            QByteArray text = join(m);
            text.insert(below(text.size() + 1), '\0');
            return text;
        }
        default: {
            // Cut before the closing brace.
            const QByteArray text = join(m).trimmed();
            return text.left(1 + below(text.size() - 1));
        }
        }
        std::shuffle(m.begin(), m.end(), m_random);
        return join(m);
    }

    QByteArray mutated(QByteArray text)
    {
        static const char specials[] = "\0\"\\{}[],:-+.eE0123456789 \t\x7f\x80\xc3\xff\r\n";
        const int edits = 1 + below(4);
        for (int i = 0; i < edits; ++i) {
            const int at = below(text.size() + 1);
            const char byte =
                chance(70) ? specials[below(int(sizeof specials) - 1)] : char(below(256));
            switch (below(4)) {
            case 0:
                text.insert(at, byte);
                break;
            case 1:
                if (at < text.size())
                    text[at] = byte;
                break;
            case 2:
                text.remove(at, 1 + below(8));
                break;
            default:
                text.insert(at, text.mid(below(text.size() + 1), below(20)));
                break;
            }
        }
        return text;
    }

    QByteArray garbage()
    {
        QByteArray text(below(200), '\0');
        for (char &byte : text)
            byte = char(below(256));
        return text;
    }

    QByteArray blank()
    {
        static const char *const blanks[] = {"", " ", "\t", "\v\f", "   \t "};
        return blanks[below(5)];
    }

    QRandomGenerator m_random;
};

// A line as the user sees it: LF, CR and CR LF end it.
struct InputLine {
    QByteArray text;
    qint64 number;
};

// The non-blank lines of the input with their numbers, found without the
// reader: the oracle the answers are paired with.
QList<InputLine> nonBlankLines(const QByteArray &input)
{
    QList<InputLine> lines;
    qint64 number = 0;
    int start = 0;
    const auto close = [&](int end) {
        ++number;
        const QByteArray text = input.mid(start, end - start);
        bool blank = true;
        for (const char c : text)
            blank = blank && (c == ' ' || c == '\t' || c == '\v' || c == '\f');
        if (!blank)
            lines << InputLine{text, number};
    };
    for (int i = 0; i < input.size(); ++i) {
        if (input.at(i) != '\n' && input.at(i) != '\r')
            continue;
        close(i);
        if (input.at(i) == '\r' && i + 1 < input.size() && input.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < input.size())
        close(input.size());
    return lines;
}

QByteArray answer(const QByteArray &input)
{
    QBuffer in;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    RecordReader reader(&in);
    ResultWriter writer(&out);
    for (;;) {
        const RecordReader::Status status = reader.next();
        if (status == RecordReader::Status::End || status == RecordReader::Status::ReadError)
            break;
        if (status == RecordReader::Status::Invalid)
            writer.writeInputError(reader.lineNumber(), reader.reason());
        else
            writer.writeResult(reader.params(), computeScene(reader.params()));
    }
    return out.data();
}

// Empty when the answer is sound for its line, else what is wrong.
QString checkAnswer(const QByteArray &answerLine, const InputLine &line, Expect expect)
{
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(answerLine, &error).object();
    if (error.error != QJsonParseError::NoError || o.isEmpty())
        return QStringLiteral("answer is no JSON object");
    if (o.contains(QLatin1String("inputError"))) {
        const QString prefix = QStringLiteral("line %1: ").arg(line.number);
        if (o.size() != 1 || !o.value(QLatin1String("inputError")).toString().startsWith(prefix))
            return QStringLiteral("inputError not for line %1").arg(line.number);
        return expect == Expect::Result ? QStringLiteral("a record was refused") : QString();
    }
    if (expect == Expect::Error)
        return QStringLiteral("a faulty record was answered");
    if (o.keys().size() != ResultKeys.size())
        return QStringLiteral("result has %1 keys").arg(o.keys().size());
    for (const QString &key : ResultKeys) {
        const QJsonValue value = o.value(key);
        if (key == QLatin1String("identification")) {
            if (!value.isNull() && value.toArray().size() != 4)
                return QStringLiteral("identification is neither null nor four texts");
        } else if (key == QLatin1String("pxPerMetre")) {
            const QJsonObject perMetre = value.toObject();
            if (perMetre.size() != 4)
                return QStringLiteral("pxPerMetre has no four densities");
            for (const QJsonValue density : perMetre) {
                if (!density.isNull() && !std::isfinite(density.toDouble(qInf())))
                    return QStringLiteral("a density is neither null nor a number");
            }
        } else if (key == QLatin1String("densityClasses")) {
            const QJsonObject classes = value.toObject();
            if (classes.size() != 4)
                return QStringLiteral("densityClasses has no four classes");
            for (const QJsonValue stretch : classes) {
                if (stretch.isNull())
                    continue;
                const double from = stretch[QLatin1String("from")].toDouble(qInf());
                const double to = stretch[QLatin1String("to")].toDouble(qInf());
                if (!std::isfinite(from) || !std::isfinite(to) || to < from)
                    return QStringLiteral("a density class is no stretch outward");
            }
        } else if (key == QLatin1String("viewAngles") || key == QLatin1String("checks")) {
            // The band's two ends or the capture point's plate and face.
            if (!value.isArray() || value.toArray().size() > 2)
                return QStringLiteral("%1 is no list of at most two").arg(key);
        } else if (key == QLatin1String("rangeEmitted")) {
            if (!value.isBool())
                return QStringLiteral("rangeEmitted is no bool");
        } else if (!value.isDouble() || !std::isfinite(value.toDouble())) {
            return QStringLiteral("%1 is not a finite number").arg(key);
        }
    }
    return QString();
}

} // namespace

class tst_FenwardeCalcFuzz : public QObject
{
    Q_OBJECT

private slots:
    void randomLines();
};

void tst_FenwardeCalcFuzz::randomLines()
{
    const int rounds = qMax(1, qEnvironmentVariableIntValue("FENWARDE_FUZZ_ROUNDS"));
    bool seedSet = false;
    const quint32 firstSeed = quint32(qEnvironmentVariableIntValue("FENWARDE_FUZZ_SEED", &seedSet));
    const quint32 baseSeed = seedSet ? firstSeed : 20240613u;
    qint64 checked = 0;
    qint64 refusals = 0;

    for (int round = 0; round < rounds; ++round) {
        const quint32 seed = baseSeed + quint32(round);
        Generator generator(seed);
        const QList<Line> corpus = generator.corpus(LinesPerRound);
        QByteArray input;
        // Where each generated line starts, to find what it was meant to be.
        QMap<qint64, Expect> expectAt;
        for (const Line &line : corpus) {
            const bool splits = line.text.contains('\n') || line.text.contains('\r');
            expectAt.insert(input.size(), splits ? Expect::Either : line.expect);
            input += line.text + generator.lineEnd();
        }

        const QList<InputLine> lines = nonBlankLines(input);
        const QByteArray output = answer(input);
        QList<QByteArray> answers = output.split('\n');
        QCOMPARE(answers.takeLast(), QByteArray());
        QVERIFY2(answers.size() == lines.size(),
                 qPrintable(QStringLiteral("seed %1: %2 answers for %3 lines")
                                .arg(seed)
                                .arg(answers.size())
                                .arg(lines.size())));

        int offset = 0;
        for (int i = 0; i < lines.size(); ++i) {
            offset = int(input.indexOf(lines.at(i).text, offset));
            const auto it = expectAt.find(offset);
            const Expect expect = it == expectAt.end() ? Expect::Either : it.value();
            const QString problem = checkAnswer(answers.at(i), lines.at(i), expect);
            if (!problem.isEmpty()) {
                const QString shown =
                    QString::fromLatin1(lines.at(i).text.toPercentEncoding(" {}[]\":,.-+"));
                QFAIL(qPrintable(QStringLiteral("seed %1, line %2 %3: %4\nanswer %5")
                                     .arg(seed)
                                     .arg(lines.at(i).number)
                                     .arg(shown, problem, QString::fromUtf8(answers.at(i)))));
            }
            offset += lines.at(i).text.size();
        }
        checked += lines.size();
        refusals += output.count("{\"inputError\"");

        // The tool itself, reading a real pipe, answers alike.
        if (round == 0) {
            QProcess tool;
            tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/fenwarde-calc"),
                       QStringList());
            QVERIFY(tool.waitForStarted());
            tool.write(input);
            tool.closeWriteChannel();
            QVERIFY(tool.waitForFinished(60000));
            QCOMPARE(tool.exitCode(), 1);
            QCOMPARE(tool.readAllStandardOutput(), output);
        }
    }
    qInfo("%d rounds from seed %u: %lld non-blank lines, %lld refused", rounds, baseSeed, checked,
          refusals);
}

QTEST_GUILESS_MAIN(tst_FenwardeCalcFuzz)
#include "tst_fenwardecalcfuzz.moc"
