#include "icolorconfig.h"
#include "lxclientbasecombobox.h"
#include "lxclientbasedoublespinbox.h"
#include "lxclientbasespinbox.h"

#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QtTest>

namespace
{

// Whether the control shows, down from the middle of its top edge, a border
// of that many pixels in that colour and then the background.
bool edgeLooks(QWidget &control, int border, const QColor &colour, const QColor &background)
{
    const QImage image = control.grab().toImage();
    const int x = image.width() / 2;
    for (int y = 0; y < border; ++y) {
        if (image.pixelColor(x, y) != colour)
            return false;
    }
    return image.pixelColor(x, border + 1) == background;
}

} // namespace

Q_DECLARE_METATYPE(QMargins)

class tst_InputControls : public QObject
{
    Q_OBJECT

private slots:
    void comboLook_data();
    void comboLook();
    void comboScaledSizes();
    void comboRoundsMarginsTruncatesSizes_data();
    void comboRoundsMarginsTruncatesSizes();
    void comboSettersStoreOnly();
    void comboShowsTextStart_data();
    void comboShowsTextStart();
    void spinBoxes_data();
    void spinBoxes();
    void spinBoxRepeatedScaling();
    void spinBoxArrowsGrow_data();
    void spinBoxArrowsGrow();
};

void tst_InputControls::comboLook_data()
{
    QTest::addColumn<bool>("panelStyle");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<int>("border");
    QTest::addColumn<QColor>("borderColour");

    QTest::newRow("default at 1") << false << 1.0 << 2 << QColor(GetColor(2));
    QTest::newRow("default at 2") << false << 2.0 << 4 << QColor(GetColor(2));
    QTest::newRow("panel style at 1") << true << 1.0 << 1 << QColor(GetColor(85));
    QTest::newRow("panel style at 3") << true << 3.0 << 3 << QColor(GetColor(85));
}

// What the user sees: a border of the given colour, as wide as the scale
// makes it, around the list's background, and the drop-down arrow.
void tst_InputControls::comboLook()
{
    QFETCH(bool, panelStyle);
    QFETCH(qreal, scale);
    QFETCH(int, border);
    QFETCH(QColor, borderColour);

    LxClientBaseComboBox combo;
    if (panelStyle) {
        combo.SetEditable(false);
        combo.SetBorderMetrics(1, 2, 20);
        combo.SetColors(QColor(GetColor(85)), QColor(GetColor(85)), QColor(GetColor(4)),
                        QColor(GetColor(0)));
    }
    combo.SetScale(scale);
    QVERIFY(edgeLooks(combo, border, borderColour, QColor(GetColor(4))));
    const QImage image = combo.grab().toImage();
    bool arrow = false;
    for (int x = image.width() - 2 * border - 1; x > image.width() * 3 / 4; --x)
        arrow = arrow || image.pixelColor(x, image.height() / 2) != QColor(GetColor(4));
    QVERIFY(arrow);
}

void tst_InputControls::comboScaledSizes()
{
    LxClientBaseComboBox combo;
    QCOMPARE(combo.GetBaseWidth(), 200.0);
    QCOMPARE(combo.GetBaseHeight(), 35.0);
    QVERIFY(combo.isEditable());
    QVERIFY(combo.lineEdit()->isReadOnly());
    QVERIFY(qobject_cast<QListView *>(combo.view()));

    combo.SetScale(1.5);
    combo.SetScale(1.5);
    QCOMPARE(combo.minimumSize(), QSize(300, 52));
    QCOMPARE(combo.maximumSize(), QSize(300, 52));
    QCOMPARE(combo.font().pixelSize(), 21);
    QCOMPARE(combo.lineEdit()->font().pixelSize(), 21);
    QCOMPARE(combo.view()->font().pixelSize(), 21);
    QCOMPARE(combo.lineEdit()->textMargins(), QMargins(15, 0, 0, 0));
    QCOMPARE(combo.view()->styleSheet(), QString());

    combo.SetScale(1);
    QCOMPARE(combo.maximumSize(), QSize(200, 35));
    QCOMPARE(combo.font().pixelSize(), 14);
    QCOMPARE(combo.lineEdit()->textMargins(), QMargins(10, 0, 0, 0));
}

void tst_InputControls::comboRoundsMarginsTruncatesSizes_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("leftMargin");

    // Sizes and the font drop the fraction; the text margin rounds halves up.
    QTest::newRow("1.25: 43.75 high, 17.5 font, margin 12.5") << 1.25 << QSize(250, 43) << 17 << 13;
    QTest::newRow("0.75: 26.25 high, 10.5 font, margin 7.5") << 0.75 << QSize(150, 26) << 10 << 8;
    QTest::newRow("1.05: 36.75 high, 14.7 font, margin 10.5") << 1.05 << QSize(210, 36) << 14 << 11;
}

void tst_InputControls::comboRoundsMarginsTruncatesSizes()
{
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    QFETCH(int, pixelSize);
    QFETCH(int, leftMargin);

    LxClientBaseComboBox combo;
    combo.SetScale(scale);
    QCOMPARE(combo.maximumSize(), size);
    QCOMPARE(combo.font().pixelSize(), pixelSize);
    QCOMPARE(combo.lineEdit()->textMargins(), QMargins(leftMargin, 0, 0, 0));
}

void tst_InputControls::comboSettersStoreOnly()
{
    LxClientBaseComboBox combo;
    combo.SetScale(1);
    const QString before = combo.styleSheet();
    const QFont fontBefore = combo.font();
    combo.SetColors(Qt::red, Qt::green, Qt::blue, Qt::yellow);
    combo.SetBorderMetrics(4, 4, 4);
    QFont big = combo.font();
    big.setPixelSize(30);
    combo.SetFont(big);
    QCOMPARE(combo.styleSheet(), before);
    QCOMPARE(combo.font(), fontBefore);

    combo.SetScale(1);
    QVERIFY(combo.styleSheet().startsWith(
        "QComboBox{border:4px solid #ffff0000;border-radius:4px;background:#ff0000ff;}"));
    QCOMPARE(combo.font().pixelSize(), 30);
}

void tst_InputControls::comboShowsTextStart_data()
{
    QTest::addColumn<bool>("toggleEditing");
    QTest::newRow("as built") << false;
    QTest::newRow("editing turned off and on again") << true;
}

void tst_InputControls::comboShowsTextStart()
{
    QFETCH(bool, toggleEditing);
    LxClientBaseComboBox combo;
    combo.addItems({"short", "a very long item text that does not fit into the narrow field"});
    combo.SetScale(1);
    combo.setFixedWidth(60);
    if (toggleEditing) {
        combo.SetEditable(false);
        QVERIFY(!combo.lineEdit());
        combo.SetEditable(true);
        QVERIFY(combo.lineEdit()->isReadOnly());
    }
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    combo.setCurrentIndex(1);
    QCOMPARE(combo.lineEdit()->text().left(6), QString("a very"));
    QCOMPARE(combo.lineEdit()->cursorPosition(), 0);
}

void tst_InputControls::spinBoxes_data()
{
    QTest::addColumn<bool>("real");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QMargins>("margins");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("border"); // 0: a fraction of a pixel, not probed
    QTest::newRow("integer at 1") << false << 1.0 << QSize(110, 25) << QMargins(5, 0, 5, 0) << 14
                                  << 1;
    QTest::newRow("integer at 2") << false << 2.0 << QSize(220, 50) << QMargins(10, 0, 10, 0) << 28
                                  << 2;
    // 7.5 rounds away from zero; 37.5 and 21 truncate.
    QTest::newRow("integer at 1.5")
        << false << 1.5 << QSize(165, 37) << QMargins(8, 0, 8, 0) << 21 << 0;
    QTest::newRow("real at 1") << true << 1.0 << QSize(110, 25) << QMargins(5, 0, 5, 0) << 14 << 1;
    QTest::newRow("real at 1.5") << true << 1.5 << QSize(165, 37) << QMargins(8, 0, 8, 0) << 21
                                 << 0;
    QTest::newRow("integer at 1.234567")
        << false << 1.234567 << QSize(135, 30) << QMargins(6, 0, 6, 0) << 17 << 0;
    QTest::newRow("real at 1.3 rounds the 6.5 margin up")
        << true << 1.3 << QSize(143, 32) << QMargins(7, 0, 7, 0) << 18 << 0;
    QTest::newRow("real at 0.5") << true << 0.5 << QSize(55, 12) << QMargins(3, 0, 3, 0) << 7 << 0;
}

void tst_InputControls::spinBoxes()
{
    QFETCH(bool, real);
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    QFETCH(QMargins, margins);
    QFETCH(int, pixelSize);
    QFETCH(int, border);

    QAbstractSpinBox *box = real ? static_cast<QAbstractSpinBox *>(new LxClientBaseDoubleSpinBox)
                                 : static_cast<QAbstractSpinBox *>(new LxClientBaseSpinBox);
    QScopedPointer<QAbstractSpinBox> owner(box);
    qobject_cast<IWidgetBase *>(box)->SetScale(scale);
    QCOMPARE(box->minimumSize(), size);
    QCOMPARE(box->maximumSize(), size);
    QCOMPARE(box->font().pixelSize(), pixelSize);
    QCOMPARE(box->findChild<QLineEdit *>()->textMargins(), margins);
    if (border > 0)
        QVERIFY(edgeLooks(*box, border, QColor(GetColor(85)), QColor(GetColor(84))));
}

void tst_InputControls::spinBoxRepeatedScaling()
{
    LxClientBaseSpinBox box;
    box.SetBaseWidth(270);
    box.SetBaseHeight(35);
    box.SetScale(2);
    box.SetScale(2);
    QCOMPARE(box.maximumSize(), QSize(540, 70));
    QCOMPARE(box.font().pixelSize(), 28);
    box.SetScale(1.5);
    QCOMPARE(box.maximumSize(), QSize(405, 52));
}

namespace
{

// Reads where the style puts the up and down buttons.
class ProbedSpinBox : public LxClientBaseSpinBox
{
public:
    QRect button(QStyle::SubControl which) const
    {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_SpinBox, &option, which, this);
    }
};

} // namespace

void tst_InputControls::spinBoxArrowsGrow_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
    QTest::newRow("3") << 3.0;
}

// The up and down buttons grow with the field, as its size and font do.
void tst_InputControls::spinBoxArrowsGrow()
{
    QFETCH(qreal, scale);
    ProbedSpinBox single;
    single.SetScale(1);
    single.show();
    ProbedSpinBox scaled;
    scaled.SetScale(scale);
    scaled.show();
    QVERIFY(QTest::qWaitForWindowExposed(&scaled));
    for (const QStyle::SubControl which : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown}) {
        const QRect one = single.button(which);
        const QRect grown = scaled.button(which);
        QVERIFY(one.width() > 0 && one.height() > 0);
        QVERIFY2(std::abs(grown.width() - one.width() * scale) <= 1 &&
                     std::abs(grown.height() - one.height() * scale) <= 1.5 * scale,
                 qPrintable(QStringLiteral("%1x%2 at 1, %3x%4 at %5")
                                .arg(one.width())
                                .arg(one.height())
                                .arg(grown.width())
                                .arg(grown.height())
                                .arg(scale)));
    }
}

QTEST_MAIN(tst_InputControls)
#include "tst_inputcontrols.moc"
