#include "languagetable.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// Seeded language files, cut short and mutated, all read in one process. The
// fixed corpus runs in seconds; FENWARDE_FUZZ_ROUNDS=N reads N documents of
// new seeds for a deeper search, FENWARDE_FUZZ_SEED picks the first seed.
namespace
{

constexpr int CutsPerRound = 250;
constexpr int MutationsPerRound = 250;

// One "string" element of a generated file: where its start tag and its
// whole element end, and the text it stands for.
struct Entry {
    int startTagEnd;
    int end;
    QString text;
};

struct Document {
    QByteArray bytes;
    int bodyStart = 0; // after the root's start tag
    QList<Entry> entries;
};

class Generator
{
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    Document document()
    {
        Document d;
        static const char *const prologs[] = {"", "<?xml version=\"1.0\"?>\n",
                                              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n",
                                              "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n"};
        d.bytes = prologs[below(4)];
        d.bytes += "<texts>\n";
        d.bodyStart = d.bytes.size();
        const int count = 97 + below(10);
        bool inSection = false;
        for (int i = 0; i < count; ++i) {
            if (chance(5)) {
                d.bytes += inSection ? "</section>\n" : "<section name=\"s\">\n";
                inSection = !inSection;
            }
            if (chance(5))
                d.bytes += chance(50) ? "<!-- between -->\n" : "<String>not a text</String>\n";
            element(d);
            d.bytes += chance(80) ? "\n" : "  ";
        }
        if (inSection)
            d.bytes += "</section>\n";
        d.bytes += "</texts>\n";
        return d;
    }

    // Edits at or after the given offset: bytes replaced, inserted, removed
    // or copied, often markup. Unless encoding damage is allowed, edits fall
    // between characters and add only ASCII, so the file stays UTF-8.
    QByteArray mutate(const QByteArray &bytes, int from, bool damageEncoding)
    {
        static const char *const markup[] = {"<",          ">",        "&",
                                             "</string>",  "<string>", "<string/>",
                                             "<a>",        "</a>",     "]]>",
                                             "<![CDATA[",  "<!--",     "-->",
                                             "&#0;",       "&#xD800;", "&nosuch;",
                                             "&#x110000;", "\"",       "=",
                                             "<?",         "?>",       "<!DOCTYPE x>",
                                             "\r\n",       "\t"};
        static const char *const encoding[] = {"\xff", "\xc3", "\xef\xbb\xbf", "\x01", "\0"};
        QByteArray out = bytes;
        const auto boundary = [&out, damageEncoding](int at) {
            while (!damageEncoding && at < out.size() && (uchar(out.at(at)) & 0xC0) == 0x80)
                ++at;
            return at;
        };
        const auto byte = [this, damageEncoding] {
            return char(damageEncoding ? below(256) : 0x20 + below(0x5F));
        };
        const int edits = 1 + below(3);
        for (int i = 0; i < edits; ++i) {
            const int at = boundary(from + below(out.size() - from + 1));
            switch (below(damageEncoding ? 6 : 5)) {
            case 0:
                out.insert(at, markup[below(int(sizeof markup / sizeof *markup))]);
                break;
            case 1:
                if (at < out.size() && uchar(out.at(at)) < 0x80)
                    out[at] = byte();
                break;
            case 2:
                out.insert(at, byte());
                break;
            case 3:
                out.remove(at, boundary(at + 1 + below(16)) - at);
                break;
            case 4: {
                const int start = boundary(below(out.size()));
                out.insert(at, out.mid(start, boundary(start + below(40)) - start));
                break;
            }
            default:
                out.insert(at, encoding[below(int(sizeof encoding / sizeof *encoding))]);
                break;
            }
        }
        return out;
    }

    int below(int n) { return int(m_random.bounded(n)); }

private:
    bool chance(int percent) { return below(100) < percent; }

    void element(Document &d)
    {
        Entry entry;
        if (chance(5)) {
            d.bytes += "<string/>";
            entry.startTagEnd = entry.end = d.bytes.size();
            d.entries << entry;
            return;
        }
        d.bytes += chance(20) ? "<string id=\"" + QByteArray::number(d.entries.size()) + "\">"
                              : QByteArray("<string>");
        entry.startTagEnd = d.bytes.size();
        const int pieces = below(6);
        for (int i = 0; i < pieces; ++i)
            piece(d.bytes, entry.text);
        d.bytes += "</string>";
        entry.end = d.bytes.size();
        d.entries << entry;
    }

    // Appends one piece of content and the text it stands for.
    void piece(QByteArray &bytes, QString &text)
    {
        struct Piece {
            const char *raw;
            const char *text; // UTF-8
        };
        static const Piece fixed[] = {
            {"&amp;", "&"},
            {"&lt;", "<"},
            {"&gt;", ">"},
            {"&quot;", "\""},
            {"&apos;", "'"},
            {"&#65;", "A"},
            {"&#x4E2D;", "\xe4\xb8\xad"},
            {"<![CDATA[a<b&c]]>", "a<b&c"},
            {"<!-- note -->", ""},
            {"<?pi x?>", ""},
            {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"},
            {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
            {"\n  ", "\n  "},
            {" > ", " > "},
        };
        if (chance(40)) {
            const Piece &p = fixed[below(int(sizeof fixed / sizeof *fixed))];
            bytes += p.raw;
            text += QString::fromUtf8(p.text);
            return;
        }
        static const char letters[] = "abcdefghij KLMNOP 0123456789.,;:-_!";
        QByteArray word(1 + below(20), ' ');
        for (char &c : word)
            c = letters[below(int(sizeof letters) - 1)];
        bytes += word;
        text += QString::fromLatin1(word);
    }

    QRandomGenerator m_random;
};

// Reads bytes as a language file. Each file is new: truncating one file
// over and over makes some file systems flush it to disk every time.
QStringList load(const QString &folder, const QByteArray &bytes)
{
    static int serial = 0;
    const QString path = QStringLiteral("%1/%2.xml").arg(folder).arg(++serial);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {QStringLiteral("cannot write the test file")};
    file.close();
    loadLanguageTable(path);
    file.remove();
    const LanguageTable *table = currentLanguageTable();
    if (!table || table->count != table->texts.size())
        return {QStringLiteral("count and texts disagree")};
    return table->texts;
}

QStringList texts(const QList<Entry> &entries, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << entries.at(i).text;
    return list;
}

} // namespace

class tst_LanguageTableFuzz : public QObject
{
    Q_OBJECT

private slots:
    void cutAndMutatedFiles();
    void hostileFiles_data();
    void hostileFiles();
    void refusedFiles_data();
    void refusedFiles();
    void cleanup();

private:
    QTemporaryDir m_dir;
};

void tst_LanguageTableFuzz::cleanup()
{
    releaseLanguageTable();
}

void tst_LanguageTableFuzz::cutAndMutatedFiles()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.path();
    const int rounds = qMax(1, qEnvironmentVariableIntValue("FENWARDE_FUZZ_ROUNDS"));
    bool seedSet = false;
    const quint32 firstSeed = quint32(qEnvironmentVariableIntValue("FENWARDE_FUZZ_SEED", &seedSet));
    const quint32 baseSeed = seedSet ? firstSeed : 20240613u;

    for (int round = 0; round < rounds; ++round) {
        const quint32 seed = baseSeed + quint32(round);
        Generator generator(seed);
        const Document d = generator.document();
        const QString where = QStringLiteral("seed %1").arg(seed);
        QCOMPARE(load(path, d.bytes), texts(d.entries, d.entries.size()));

        // A file that breaks off keeps the texts of the elements completed
        // before the cut, and one more entry for an element the cut falls
        // in, holding a beginning of its text.
        for (int i = 0; i < CutsPerRound; ++i) {
            const int cut = generator.below(d.bytes.size() + 1);
            const QStringList got = load(path, d.bytes.left(cut));
            int complete = 0;
            while (complete < d.entries.size() && d.entries.at(complete).end <= cut)
                ++complete;
            const bool open =
                complete < d.entries.size() && d.entries.at(complete).startTagEnd <= cut;
            const QString at = QStringLiteral("%1, cut at %2").arg(where).arg(cut);
            QVERIFY2(got.size() == complete + (open ? 1 : 0), qPrintable(at));
            QVERIFY2(got.mid(0, complete) == texts(d.entries, complete), qPrintable(at));
            if (open)
                QVERIFY2(d.entries.at(complete).text.startsWith(got.constLast()), qPrintable(at));
        }

        // Damage after some point leaves every text completed before it.
        for (int i = 0; i < MutationsPerRound; ++i) {
            const int from = d.bodyStart + generator.below(d.bytes.size() - d.bodyStart);
            const QStringList got = load(path, generator.mutate(d.bytes, from, false));
            int intact = 0;
            while (intact < d.entries.size() && d.entries.at(intact).end <= from)
                ++intact;
            const QString at = QStringLiteral("%1, damaged from %2").arg(where).arg(from);
            QVERIFY2(got.size() >= intact, qPrintable(at));
            QVERIFY2(got.mid(0, intact) == texts(d.entries, intact), qPrintable(at));
        }

        // Bytes that are no UTF-8 or no XML character: the reader may give
        // up on the whole block it decodes, but ends cleanly.
        for (int i = 0; i < MutationsPerRound; ++i) {
            const int from = d.bodyStart + generator.below(d.bytes.size() - d.bodyStart);
            const QStringList got = load(path, generator.mutate(d.bytes, from, true));
            QVERIFY(got.size() <= d.bytes.count("string") + 3);
        }
    }
    qInfo("%d rounds from seed %u", rounds, baseSeed);
}

void tst_LanguageTableFuzz::hostileFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("kept"); // the texts before the hostile part
    QTest::addColumn<bool>("onlyKept");    // nothing after the hostile part is read

    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE t [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i) {
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"" +
                  ("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    }
    laughs += "]><t><string>a</string><string>&l9;</string><string>b</string></t>";
    QTest::newRow("entities that expand a billion times") << laughs << QStringList{"a"} << false;

    QTest::newRow("external entity")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE t [<!ENTITY x SYSTEM "
                      "\"file:///etc/passwd\">]><t><string>a</string><string>&x;</string></t>")
        << QStringList{"a"} << false;
    QTest::newRow("deep nesting") << "<t>" + QByteArray("<a>").repeated(100000) +
                                         "<string>x</string>"
                                  << QStringList{"x"} << false;

    QByteArray attributes;
    for (int i = 0; i < 200000; ++i)
        attributes += " a" + QByteArray::number(i) + "=''";
    QTest::newRow("200,000 attributes on one tag")
        << "<t><string>a</string><x" + attributes + "/><string>b</string></t>" << QStringList{"a"}
        << true;
    QTest::newRow("an entity referenced 100,000 times")
        << "<!DOCTYPE t [<!ENTITY e '" + QByteArray(1000, 'e') + "'>]><t><string>a</string><x>" +
               QByteArray("&e;").repeated(100000) + "</x><string>b</string></t>"
        << QStringList{"a"} << true;
}

// Files made to exhaust the reader stop without reading anything from
// elsewhere, and keep what came before.
void tst_LanguageTableFuzz::hostileFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, kept);
    QFETCH(bool, onlyKept);
    QVERIFY(m_dir.isValid());
    const QStringList got = load(m_dir.path(), bytes);
    QVERIFY(got.size() >= kept.size());
    if (onlyKept)
        QCOMPARE(got, kept);
    QCOMPARE(got.mid(0, kept.size()), kept);
    for (const QString &text : got) {
        QVERIFY2(text.size() < 1000, "an entity expanded without bound");
        QVERIFY2(!text.contains(QLatin1String("root:")), "an external file was read");
    }
}

void tst_LanguageTableFuzz::refusedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("link to a device") << "device";
    QTest::newRow("larger than 4 MiB") << "large";
}

// Only a regular file of a language file's size is read: a pipe nobody
// writes to, or a device without end, must not stall start-up.
void tst_LanguageTableFuzz::refusedFiles()
{
    QFETCH(QString, kind);
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(kind + QStringLiteral(".xml"));
    if (kind == QLatin1String("pipe")) {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        // A private node of the same device as /dev/zero, which reads
        // without end.
        struct stat zero {
        };
        const QByteArray node = QFile::encodeName(m_dir.filePath(QStringLiteral("zero")));
        if (geteuid() != 0)
            QSKIP("only root can make a private device node");
        QCOMPARE(stat("/dev/zero", &zero), 0);
        QCOMPARE(mknod(node.constData(), S_IFCHR | 0600, zero.st_rdev), 0);
        QVERIFY(QFile::link(QFile::decodeName(node), path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<t><string>a</string>" + QByteArray(4 * 1024 * 1024, ' ') + "</t>");
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not read")));
    loadLanguageTable(path);
    QCOMPARE(currentLanguageTable()->count, 0);
}

QTEST_GUILESS_MAIN(tst_LanguageTableFuzz)
#include "tst_languagetablefuzz.moc"
