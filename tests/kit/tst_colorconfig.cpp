#include "colourcontrast.h"
#include "icolorconfig.h"
#include "ifontconfig.h"

#include <QtTest>

#include <type_traits>

class tst_ColorConfig : public QObject
{
    Q_OBJECT

private slots:
    void palette();
    void textsRead_data();
    void textsRead();
    void statesDiffer_data();
    void statesDiffer();
    void colorToString_data();
    void colorToString();
    void defaultFont();
    void gettersHandOutCopies();
};

// Every role has a colour a style sheet or QColor can take, and an index
// past the table gives nothing rather than a neighbour's colour.
void tst_ColorConfig::palette()
{
    for (int index = 0; index < 107; ++index) {
        QVERIFY2(QColor(GetColor(index)).isValid(), qPrintable(QString::number(index)));
        QCOMPARE(IColorConfig::GetColor(index), GetColor(index));
    }
    for (int index : {-1, 107, 100000})
        QVERIFY(GetColor(index).isEmpty());
}

void tst_ColorConfig::textsRead_data()
{
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("background");
    QTest::newRow("list text") << 0 << 4;
    QTest::newRow("selected list item") << 15 << 16;
    QTest::newRow("button") << 5 << 7;
    QTest::newRow("button under the pointer") << 5 << 8;
    QTest::newRow("pop-up text") << 102 << 101;
    QTest::newRow("pop-up title") << 106 << 104;
}

// The kit writes these texts on these backgrounds; each must read (4.5:1).
void tst_ColorConfig::textsRead()
{
    QFETCH(int, text);
    QFETCH(int, background);
    QVERIFY(contrast(QColor(GetColor(text)), QColor(GetColor(background))) >= 4.5);
}

void tst_ColorConfig::statesDiffer_data()
{
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("changed");
    QTest::newRow("list border on hover") << 2 << 3;
    QTest::newRow("button under the pointer") << 7 << 8;
    QTest::newRow("disabled button text") << 5 << 6;
    QTest::newRow("pressed scroll handle") << 68 << 69;
}

// A control that changes state shows it.
void tst_ColorConfig::statesDiffer()
{
    QFETCH(int, normal);
    QFETCH(int, changed);
    QVERIFY(QColor(GetColor(normal)) != QColor(GetColor(changed)));
}

void tst_ColorConfig::colorToString_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("expected");

    QTest::newRow("opaque red") << QColor(255, 0, 0) << "#ffff0000";
    QTest::newRow("opaque black") << QColor(0, 0, 0) << "#ff000000";
    QTest::newRow("transparent keeps its rgb") << QColor(18, 52, 86, 0) << "#00123456";
    QTest::newRow("small channels zero-filled") << QColor(1, 2, 3, 4) << "#04010203";
    QTest::newRow("qt transparent") << QColor(Qt::transparent) << "#00000000";
    QTest::newRow("title slate") << QColor(46, 58, 72) << "#ff2e3a48";
    QTest::newRow("lower-case digits") << QColor(0xAB, 0xCD, 0xEF, 0xFE) << "#feabcdef";
}

void tst_ColorConfig::colorToString()
{
    QFETCH(QColor, color);
    QFETCH(QString, expected);
    QCOMPARE(ColorToString(color), expected);
}

void tst_ColorConfig::defaultFont()
{
    const QFont font = GetFont();
    QCOMPARE(font.family(), QString("Arial"));
    QCOMPARE(font.pixelSize(), 14);
    QCOMPARE(font.weight(), int(QFont::Normal));
    QVERIFY(!font.italic());
}

// Callers restyle what they get; the palette and the default font must hand
// out copies, never references into the shared instance. A getter changed to
// return a reference stops this file from compiling.
void tst_ColorConfig::gettersHandOutCopies()
{
    static_assert(std::is_same<decltype(GetColor(7)), QString>::value, "palette entry by value");
    static_assert(std::is_same<decltype(IColorConfig::GetColor(7)), QString>::value,
                  "palette entry by value");
    static_assert(std::is_same<decltype(GetFont()), QFont>::value, "default font by value");
    static_assert(std::is_same<decltype(IFontConfig::GetFont()), QFont>::value,
                  "default font by value");
}

QTEST_MAIN(tst_ColorConfig)
#include "tst_colorconfig.moc"
