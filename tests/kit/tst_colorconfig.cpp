#include "icolorconfig.h"
#include "ifontconfig.h"

#include <QtTest>

#include <type_traits>

class tst_ColorConfig : public QObject
{
    Q_OBJECT

private slots:
    void palette_data();
    void palette();
    void colorToString_data();
    void colorToString();
    void defaultFont();
    void gettersHandOutCopies();
};

void tst_ColorConfig::palette_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first entry") << 0 << "#000000";
    QTest::newRow("transparent black") << 12 << "#00000000";
    QTest::newRow("upper case kept at 26") << 26 << "#7E8690";
    QTest::newRow("upper case kept at 27") << 27 << "#50B6FF";
    QTest::newRow("combo border") << 2 << "#b3b3b3";
    QTest::newRow("combo border on hover") << 3 << "#666666";
    QTest::newRow("combo background") << 4 << "#f5f7f8";
    QTest::newRow("button text differs from 1 and 4") << 5 << "#f6f7f8";
    QTest::newRow("button disabled text") << 6 << "#a0a0a0";
    QTest::newRow("button hover background") << 8 << "#0f4cb2";
    QTest::newRow("button disabled background") << 9 << "#d4d7d7";
    QTest::newRow("tool button text") << 10 << "#000000";
    QTest::newRow("tool button disabled text") << 11 << "#a0a0a0";
    QTest::newRow("tool button hover background") << 13 << "#00000000";
    QTest::newRow("tool button disabled background") << 14 << "#00000000";
    QTest::newRow("selected item text") << 15 << "#000000";
    QTest::newRow("selected item background") << 16 << "#d3eefb";
    QTest::newRow("base widget background") << 50 << "#00bbd8";
    QTest::newRow("dialog title text") << 51 << "#ffffff";
    QTest::newRow("scroll groove") << 67 << "#00000000";
    QTest::newRow("scroll handle") << 68 << "#b2b7c2";
    QTest::newRow("scroll handle pressed") << 69 << "#7d8a93";
    QTest::newRow("spin background") << 84 << "#f5f7f8";
    QTest::newRow("spin border") << 85 << "#9eb2c0";
    QTest::newRow("upper case kept at 99") << 99 << "#387EE3";
    QTest::newRow("upper case kept at 100") << 100 << "#3890E3";
    QTest::newRow("pop-up background") << 101 << "#f5f7f8";
    QTest::newRow("pop-up text") << 102 << "#0f4cb2";
    QTest::newRow("red at 103") << 103 << "#e43333";
    QTest::newRow("pop-up title bar") << 104 << "#0f4cb2";
    QTest::newRow("last entry") << 106 << "#ffffff";
    QTest::newRow("below the table") << -1 << "";
    QTest::newRow("just past the table") << 107 << "";
    QTest::newRow("far past the table") << 100000 << "";
}

void tst_ColorConfig::palette()
{
    QFETCH(int, index);
    QFETCH(QString, expected);
    QCOMPARE(GetColor(index), expected);
    QCOMPARE(IColorConfig::GetColor(index), expected);
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
