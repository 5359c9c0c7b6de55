#include "languagetable.h"
#include "textid.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <climits>

// Reading language files: which elements count, what text they give, and
// where a faulty file stops the reading.
class tst_LanguageTable : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void partialRead_data();
    void partialRead();
    void encodings_data();
    void encodings();
    void fullTable();
    void missingFile();
    void outOfRange_data();
    void outOfRange();
    void noTable();
    void releaseThenFetch();
    void reload();
    void shippedFilesIncludeEnglishAndChinese();
    void shippedFiles_data();
    void shippedFiles();
    void shippedFilesAgree();
    void chineseFormTexts_data();
    void chineseFormTexts();
    void fuzzRandom();
    void fuzzTruncatedShippedFile();
    void translationKeepsFigures_data();
    void translationKeepsFigures();

private:
    QString writeFile(const QByteArray &content);

    QTemporaryDir m_dir;
    int m_fileNumber = 0;
};

void tst_LanguageTable::init()
{
    QVERIFY(m_dir.isValid());
}

void tst_LanguageTable::cleanup()
{
    releaseLanguageTable();
}

QString tst_LanguageTable::writeFile(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("t%1.xml").arg(++m_fileNumber));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
}

static QStringList tableTexts()
{
    const LanguageTable *table = currentLanguageTable();
    return table ? table->texts : QStringList();
}

void tst_LanguageTable::partialRead_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("flat") << QByteArray("<r><string>a</string><string>b</string></r>")
                          << QStringList{"a", "b"};
    QTest::newRow("nested groups across sections")
        << QByteArray("<r><g><string>a</string></g><g><string>b</string>"
                      "<h><string>c</string></h></g><string>d</string></r>")
        << QStringList{"a", "b", "c", "d"};
    QTest::newRow("root named string counts")
        << QByteArray("<string>x</string>") << QStringList{"x"};
    QTest::newRow("empty elements keep their position")
        << QByteArray("<r><string/><string></string><string>x</string></r>")
        << QStringList{"", "", "x"};
    QTest::newRow("whitespace and line breaks kept")
        << QByteArray("<r><string>  two  words \n next line\t</string></r>")
        << QStringList{"  two  words \n next line\t"};
    QTest::newRow("only whitespace")
        << QByteArray("<r><string> \n </string></r>") << QStringList{" \n "};
    QTest::newRow("entity references")
        << QByteArray("<r><string>a &amp; b &lt; c &gt; &quot;&apos; &#x263A;&#65;</string></r>")
        << QStringList{QString::fromUtf8("a & b < c > \"' \u263A"
                                         "A")};
    QTest::newRow("cdata") << QByteArray("<r><string>a<![CDATA[<b>&amp;]]>c</string></r>")
                           << QStringList{"a<b>&amp;c"};
    QTest::newRow("comment and processing instruction inside")
        << QByteArray("<r><string>a<!-- note -->b<?pi data?>c</string></r>") << QStringList{"abc"};
    QTest::newRow("attributes ignored")
        << QByteArray("<r><string id=\"5\">a</string><string id=\"1\" x='y'>b</string></r>")
        << QStringList{"a", "b"};
    QTest::newRow("namespace prefix ignored")
        << QByteArray("<r xmlns:t=\"urn:t\" xmlns=\"urn:d\"><t:string>a</t:string>"
                      "<string>b</string></r>")
        << QStringList{"a", "b"};
    QTest::newRow("other names not counted")
        << QByteArray("<r><String>x</String><strings>y</strings><STRING>z</STRING>"
                      "<string>a</string><str>w</str></r>")
        << QStringList{"a"};
    QTest::newRow("text of other elements ignored")
        << QByteArray("<r>loose<note>n</note><string>a</string>tail</r>") << QStringList{"a"};
    QTest::newRow("child element ends the table")
        << QByteArray("<r><string>a</string><string>b<i>c</i>d</string><string>e</string></r>")
        << QStringList{"a", "b"};
    QTest::newRow("child element first")
        << QByteArray("<r><string><i/>x</string><string>e</string></r>") << QStringList{""};
    QTest::newRow("nested string is a child")
        << QByteArray("<r><string>a<string>b</string></string></r>") << QStringList{"a"};
    QTest::newRow("cut between elements")
        << QByteArray("<r><string>one</string><str") << QStringList{"one"};
    QTest::newRow("cut inside element after a comment start")
        << QByteArray("<r><string>one</string><string>two<!--") << QStringList{"one", "two"};
    QTest::newRow("cut inside end tag")
        << QByteArray("<r><string>one</string><string>two</str") << QStringList{"one", "two"};
    QTest::newRow("cut right after start tag")
        << QByteArray("<r><string>one</string><string>") << QStringList{"one", ""};
    // A byte that is not UTF-8 is where the document stops being well-formed;
    // the texts before it stay.
    QTest::newRow("byte that is not UTF-8")
        << QByteArray("<r><string>one</string><string>two</string><string>caf\xE9</string>"
                      "<string>four</string></r>")
        << QStringList{"one", "two", ""};
    QTest::newRow("not UTF-8 after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF<r><string>t\xC3\xA9</string><string>x\xED\xA0\x80"
                      "</string></r>")
        << QStringList{QString::fromUtf8("t\xC3\xA9"), ""};
    QTest::newRow("declared Latin-1 is read as Latin-1")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                      "<r><string>caf\xE9</string><string>two</string></r>")
        << QStringList{QString::fromUtf8("caf\xC3\xA9"), "two"};
    QTest::newRow("mismatched end tag inside string")
        << QByteArray("<r><string>a</string><string>b</strin><string>c</string></r>")
        << QStringList{"a", "b"};
    QTest::newRow("error between elements stops reading")
        << QByteArray("<r><string>a</string></x><string>b</string></r>") << QStringList{"a"};
    QTest::newRow("undeclared entity inside string")
        << QByteArray("<r><string>a</string><string>b&nope;c</string><string>d</string></r>")
        << QStringList{"a", "b"};
    QTest::newRow("no string elements") << QByteArray("<r><s>a</s></r>") << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("not xml") << QByteArray("just some text") << QStringList{};
    QTest::newRow("second root is an error")
        << QByteArray("<r><string>a</string></r><r><string>b</string></r>") << QStringList{"a"};
}

void tst_LanguageTable::partialRead()
{
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, expected);

    loadLanguageTable(writeFile(xml));
    const LanguageTable *table = currentLanguageTable();
    QVERIFY(table);
    QCOMPARE(table->texts, expected);
    QCOMPARE(table->count, expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(languageText(i), expected.at(i));
}

void tst_LanguageTable::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QString text = QString::fromUtf8("Größe 简体 ∞");
    const QString doc = QStringLiteral("<r><string>%1</string></r>").arg(text);

    QTest::newRow("utf-8 without declaration") << doc.toUtf8();
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF") + doc.toUtf8();
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : doc) {
        utf16 += char(c.unicode() & 0xff);
        utf16 += char(c.unicode() >> 8);
    }
    QTest::newRow("utf-16 little endian with bom") << utf16;
}

void tst_LanguageTable::encodings()
{
    QFETCH(QByteArray, bytes);
    loadLanguageTable(writeFile(bytes));
    QCOMPARE(tableTexts(), QStringList{QString::fromUtf8("Größe 简体 ∞")});
}

void tst_LanguageTable::fullTable()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<lang>";
    for (int i = 0; i < TextId::Count; ++i)
        xml += "<string>t" + QByteArray::number(i) + "\xe9</string>\n";
    xml += "</lang>";

    loadLanguageTable(writeFile(xml));
    QVERIFY(currentLanguageTable());
    QCOMPARE(currentLanguageTable()->count, int(TextId::Count));
    QCOMPARE(languageText(0), QString::fromUtf8("t0é"));
    QCOMPARE(languageText(TextId::Count - 1), QStringLiteral("t%1é").arg(TextId::Count - 1));
    QCOMPARE(languageText(TextId::Count), QString());
}

void tst_LanguageTable::missingFile()
{
    loadLanguageTable(m_dir.filePath(QStringLiteral("absent.xml")));
    QVERIFY(currentLanguageTable());
    QCOMPARE(currentLanguageTable()->count, 0);
    QCOMPARE(languageText(0), QString());

    // A folder cannot be read as a file.
    loadLanguageTable(m_dir.path());
    QVERIFY(currentLanguageTable());
    QCOMPARE(currentLanguageTable()->count, 0);
}

void tst_LanguageTable::outOfRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("minus one") << -1;
    QTest::newRow("count") << 2;
    QTest::newRow("far beyond") << 96;
    QTest::newRow("int min") << INT_MIN;
    QTest::newRow("int max") << INT_MAX;
}

void tst_LanguageTable::outOfRange()
{
    QFETCH(int, index);
    loadLanguageTable(writeFile("<r><string>a</string><string>b</string></r>"));
    QCOMPARE(languageText(index), QString());
    QCOMPARE(languageText(1), QStringLiteral("b"));
}

void tst_LanguageTable::noTable()
{
    releaseLanguageTable();
    QVERIFY(!currentLanguageTable());
    QCOMPARE(languageText(0), QString());
    QCOMPARE(languageText(-5), QString());
    releaseLanguageTable();
    QVERIFY(!currentLanguageTable());
}

void tst_LanguageTable::releaseThenFetch()
{
    loadLanguageTable(writeFile("<r><string>kept</string></r>"));
    const QString copy = languageText(0);
    releaseLanguageTable();
    QVERIFY(!currentLanguageTable());
    QCOMPARE(copy, QStringLiteral("kept"));
    QCOMPARE(languageText(0), QString());
}

void tst_LanguageTable::reload()
{
    loadLanguageTable(writeFile("<r><string>a</string><string>b</string><string>c</string></r>"));
    QCOMPARE(currentLanguageTable()->count, 3);
    loadLanguageTable(writeFile("<r><string>x</string></r>"));
    QCOMPARE(tableTexts(), QStringList{"x"});
    QCOMPARE(currentLanguageTable()->count, 1);
    QCOMPARE(languageText(1), QString());

    loadLanguageTable(m_dir.filePath(QStringLiteral("absent.xml")));
    QCOMPARE(currentLanguageTable()->count, 0);
    QCOMPARE(languageText(0), QString());
}

static QString shippedLanguageDir()
{
    return QStringLiteral(FENWARDE_LANGUAGE_SOURCE_DIR);
}

void tst_LanguageTable::shippedFiles_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(shippedLanguageDir());
    const QStringList names = dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void tst_LanguageTable::shippedFilesIncludeEnglishAndChinese()
{
    const QStringList names =
        QDir(shippedLanguageDir()).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    QVERIFY(names.contains(QStringLiteral("ENU.xml")));
    QVERIFY(names.contains(QStringLiteral("CHS.xml")));
}

void tst_LanguageTable::shippedFiles()
{
    QFETCH(QString, path);
    loadLanguageTable(path);
    QVERIFY(currentLanguageTable());
    QCOMPARE(currentLanguageTable()->count, int(TextId::Count));

    for (int i = 0; i < TextId::Count; ++i) {
        const QString text = languageText(i);
        QVERIFY2(!text.trimmed().isEmpty(), qPrintable(QStringLiteral("text %1").arg(i)));
        QVERIFY2(text == text.trimmed(), qPrintable(QStringLiteral("text %1").arg(i)));
    }
    QCOMPARE(languageText(TextId::Separator), QStringLiteral(":"));
    QCOMPARE(languageText(TextId::ProgramName), QStringLiteral("Fenwarde"));

    // The scenario is told from the list text, so the three must differ.
    const QSet<QString> scenarios{languageText(TextId::ScenarioPerson),
                                  languageText(TextId::ScenarioLanes),
                                  languageText(TextId::ScenarioCapture)};
    QCOMPARE(scenarios.size(), 3);
    // The menu tells its entries apart by their texts.
    QVERIFY(languageText(TextId::MenuLanguage) != languageText(TextId::MenuAbout));

    // Every code gets its own display name; 90 and 96 both name "POS".
    QSet<QString> names;
    for (int i = TextId::FirstLanguageName; i < TextId::LastLanguageName; ++i)
        names.insert(languageText(i));
    QCOMPARE(names.size(), TextId::LastLanguageName - TextId::FirstLanguageName);
    QCOMPARE(languageText(90), languageText(96));
    QVERIFY(!names.contains(languageText(TextId::MenuLanguage)));
    QVERIFY(!names.contains(languageText(TextId::MenuAbout)));
}

void tst_LanguageTable::shippedFilesAgree()
{
    const QDir dir(shippedLanguageDir());
    loadLanguageTable(dir.filePath(QStringLiteral("ENU.xml")));
    const QStringList english = tableTexts();
    QCOMPARE(english.size(), int(TextId::Count));
    QCOMPARE(english.at(68), QStringLiteral("English"));
    QCOMPARE(english.at(64), QString::fromUtf8("简体中文"));
    QCOMPARE(english.at(71), QStringLiteral("Deutsch"));

    const QStringList others = dir.entryList({QStringLiteral("*.xml")}, QDir::Files);
    for (const QString &name : others) {
        loadLanguageTable(dir.filePath(name));
        const QStringList texts = tableTexts();
        QCOMPARE(texts.size(), english.size());
        for (int i = TextId::FirstLanguageName; i <= TextId::LastLanguageName; ++i)
            QCOMPARE(texts.at(i), english.at(i));
    }
}

// The Chinese file keeps the panel's own form wording wherever the form has
// a text of the same meaning.
void tst_LanguageTable::chineseFormTexts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");

    const auto row = [](int index, const char *text) {
        QTest::addRow("text %d", index) << index << QString::fromUtf8(text);
    };
    row(0, "场景模拟");
    row(1, "（说明：理论计算的数值受抓拍距离、人/车的位置、目标宽度，以及摄像机角度等因素影响，"
           "与实际测量出的像素值有一定偏差）");
    row(2, "画面下边缘与架杆水平距离(L1):");
    row(3, "画面上边缘与架杆水平距离(L2):");
    row(4, "检测距离范围(L2-L3):");
    row(5, "检测范围宽度(W2-W3):");
    row(6, "摄像机画面宽度范围(W1-W2):");
    row(7, "车牌像素值范围:");
    row(8, "车辆像素值范围:");
    // 9 counts only the face and says so, where the form says target (目标).
    row(10, "目标整体像素值范围:");
    row(11, "模式:");
    row(15, "Sensor型号:");
    row(16, "安装模式:");
    row(19, "焦距(1-400mm):");
    row(20, "俯仰角(推荐10-15°):");
    row(21, "水平角(建议小于20°):");
    row(22, "目标整体身高:(1.5m-1.8m推荐范围)");
    row(23, "抓拍点距离(L3):");
    row(24, "车道数:");
    row(25, "车道道宽(m):");
    row(26, "车牌类型:");
    row(28, "架杆高度H1:(1.5-5.0m推荐)(若不在高度推荐范围,可能目标识别不准确)");
    row(34, "车牌像素最小值:");
    row(35, "车牌像素最大值:");
    row(36, "分辨率:");
    row(37, "导出报告");
}

void tst_LanguageTable::chineseFormTexts()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    loadLanguageTable(QDir(shippedLanguageDir()).filePath(QStringLiteral("CHS.xml")));
    QCOMPARE(languageText(index), text);
}

// Random documents built from fragments that stress the reader: unbalanced
// tags, entities, CDATA, comments, stray bytes.
void tst_LanguageTable::fuzzRandom()
{
    static const char *const fragments[] = {"<string>",
                                            "</string>",
                                            "<string/>",
                                            "<r>",
                                            "</r>",
                                            "<a>",
                                            "</a>",
                                            "text",
                                            " \n ",
                                            "&amp;",
                                            "&lt;",
                                            "&#x41;",
                                            "&#0;",
                                            "&bad;",
                                            "<![CDATA[",
                                            "]]>",
                                            "<!--",
                                            "-->",
                                            "<?pi x?>",
                                            "<",
                                            ">",
                                            "&",
                                            "\"",
                                            "'",
                                            "\xff\xfe",
                                            "\xe2\x88",
                                            "<String>",
                                            "<t:string xmlns:t='u'>",
                                            "</t:string>",
                                            "<?xml version='1.0' encoding='UTF-16'?>",
                                            "<!DOCTYPE r [<!ENTITY e 'ee'>]>",
                                            "&e;",
                                            "<string a='1' a='2'>",
                                            "]]>"};
    const int fragmentCount = int(sizeof(fragments) / sizeof(fragments[0]));

    QRandomGenerator random(20261207);
    for (int round = 0; round < 3000; ++round) {
        QByteArray xml;
        const int parts = random.bounded(1, 40);
        for (int p = 0; p < parts; ++p) {
            if (random.bounded(10) == 0)
                xml += char(random.bounded(256));
            else
                xml += QByteArray(fragments[random.bounded(fragmentCount)]);
        }
        loadLanguageTable(writeFile(xml));
        const LanguageTable *table = currentLanguageTable();
        QVERIFY(table);
        QCOMPARE(table->count, table->texts.size());
        QVERIFY(table->count <= xml.count("string"));
        languageText(table->count);
        languageText(-1);
        QFile::remove(m_dir.filePath(QStringLiteral("t%1.xml").arg(m_fileNumber)));
    }
}

// Any cut of a real file keeps every completed text exactly; the entry cut by
// the break holds at most the beginning of its text.
void tst_LanguageTable::fuzzTruncatedShippedFile()
{
    QFile source(QDir(shippedLanguageDir()).filePath(QStringLiteral("ENU.xml")));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray full = source.readAll();

    loadLanguageTable(writeFile(full));
    const QStringList complete = tableTexts();
    QCOMPARE(complete.size(), int(TextId::Count));

    int previousCount = 0;
    for (int cut = 0; cut < full.size(); cut += 3) {
        loadLanguageTable(writeFile(full.left(cut)));
        const QStringList texts = tableTexts();
        QVERIFY(texts.size() <= complete.size());
        QVERIFY2(texts.size() >= previousCount, qPrintable(QString::number(cut)));
        previousCount = texts.size();
        for (int i = 0; i + 1 < texts.size(); ++i)
            QCOMPARE(texts.at(i), complete.at(i));
        if (!texts.isEmpty())
            QVERIFY2(complete.at(texts.size() - 1).startsWith(texts.last()),
                     qPrintable(QString::number(cut)));
        QFile::remove(m_dir.filePath(QStringLiteral("t%1.xml").arg(m_fileNumber)));
    }
    QCOMPARE(previousCount, int(TextId::Count));
}

// One row for every shipped file other than the English one the others are
// held against.
static void addTranslationRows()
{
    QTest::addColumn<QString>("path");
    const QDir dir(shippedLanguageDir());
    const QStringList names = dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (name != QLatin1String("ENU.xml"))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
}

static QStringList englishTexts()
{
    loadLanguageTable(QDir(shippedLanguageDir()).filePath(QStringLiteral("ENU.xml")));
    return tableTexts();
}

// Dimension names (L1 ... W4, H1), numbers, units and the degree sign of a
// text: what an installer reads off a caption or a message must not change
// with the language. Duplicates count once, since some languages repeat a
// unit after each number of a range.
static QStringList figures(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("[LWH]\\d|\\d+(?:\\.\\d+)?|°|(?<!\\p{Latin})(?:mm|m|px)(?!\\p{Latin})"));
    QStringList found;
    QRegularExpressionMatchIterator it = pattern.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    std::sort(found.begin(), found.end());
    found.removeDuplicates();
    return found;
}

void tst_LanguageTable::translationKeepsFigures_data()
{
    addTranslationRows();
}

void tst_LanguageTable::translationKeepsFigures()
{
    QFETCH(QString, path);
    const QStringList english = englishTexts();
    QCOMPARE(english.size(), int(TextId::Count));
    // The pattern must see what it is meant to see, or the rows prove nothing.
    QCOMPARE(figures(english.at(TextId::PoleHeightCaption)),
             (QStringList{"1.5", "5.0", "H1", "m"}));
    QCOMPARE(figures(english.at(TextId::FocalLengthCaption)), (QStringList{"1", "400", "mm"}));

    loadLanguageTable(path);
    const QStringList texts = tableTexts();
    QCOMPARE(texts.size(), int(TextId::Count));
    for (int i = 0; i < TextId::FirstLanguageName; ++i) {
        const QStringList want = figures(english.at(i));
        const QStringList got = figures(texts.at(i));
        QVERIFY2(got == want, qPrintable(QStringLiteral("text %1: %2 instead of %3")
                                             .arg(i)
                                             .arg(got.join(' '), want.join(' '))));
    }
}

QTEST_GUILESS_MAIN(tst_LanguageTable)
#include "tst_languagetable.moc"
