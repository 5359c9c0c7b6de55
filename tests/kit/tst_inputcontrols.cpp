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

const QString kDown = ":/res/darkgreen/png/playback/TimeDown.png";
const QString kUp = ":/res/darkgreen/png/playback/TimeUp.png";

QString ComboListParts(const QString &listBorder, const QString &listRadius,
                       const QString &itemHeight)
{
    return "QComboBox QAbstractItemView{background-color:#f5f7f8;outline: 0px;border: " +
           listBorder + "px solid #b3b3b3;border-radius: " + listRadius +
           "px;}QComboBox QAbstractItemView:item{height:" + itemHeight +
           "px;outline: 0px;}QComboBox QAbstractItemView::item:selected,QComboBox "
           "QAbstractItemView::item:hover{color:#000000;background:#d3eefb}";
}

} // namespace

Q_DECLARE_METATYPE(QMargins)

class tst_InputControls : public QObject
{
    Q_OBJECT

private slots:
    void comboStyleSheet_data();
    void comboStyleSheet();
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

void tst_InputControls::comboStyleSheet_data()
{
    QTest::addColumn<bool>("panelStyle");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("lineEditSheet");

    QTest::newRow("default at 1")
        << false << 1.0
        << "QComboBox{border:2px solid #b3b3b3;border-radius:5px;background:#f5f7f8;}"
           "QComboBox:hover,QComboBox:focus{border:2px solid #666666;}"
           "QComboBox::drop-down{subcontrol-origin: padding;subcontrol-position: top "
           "right;outline: 0px;border:0px;width: 16px;}"
           "QComboBox::down-arrow{width: 16px;height: 16px;image: url(" +
               kDown + ");border: 0px;}" + ComboListParts("2", "5", "35") +
               "QComboBox:enabled{color:#000000;}"
        << "border-radius:2px;background: #f5f7f8";
    QTest::newRow("default at 1.5")
        << false << 1.5
        << "QComboBox{border:3px solid #b3b3b3;border-radius:7.5px;background:#f5f7f8;}"
           "QComboBox:hover,QComboBox:focus{border:3px solid #666666;}"
           "QComboBox::drop-down{subcontrol-origin: padding;subcontrol-position: top "
           "right;outline: 0px;border:0px;width: 24px;}"
           "QComboBox::down-arrow{width: 24px;height: 24px;image: url(" +
               kDown + ");border: 0px;}" + ComboListParts("3", "7.5", "52.5") +
               "QComboBox:enabled{color:#000000;}"
        << "border-radius:3px;background: #f5f7f8";
    // Not editable: the padding part appears and the colours set through
    // QColor carry their alpha.
    QTest::newRow("panel style at 1")
        << true << 1.0
        << "QComboBox{border:1px solid #ff9eb2c0;border-radius:2px;background:#fff5f7f8;}"
           "QComboBox{padding: 0px 0px 0px 10px;}"
           "QComboBox:hover,QComboBox:focus{border:1px solid #ff9eb2c0;}"
           "QComboBox::drop-down{subcontrol-origin: padding;subcontrol-position: top "
           "right;outline: 0px;border:0px;width: 20px;}"
           "QComboBox::down-arrow{width: 20px;height: 20px;image: url(" +
               kDown + ");border: 0px;}" + ComboListParts("2", "5", "35") +
               "QComboBox:enabled{color:#ff000000;}"
        << "";
    QTest::newRow("panel style at 1.5")
        << true << 1.5
        << "QComboBox{border:1.5px solid #ff9eb2c0;border-radius:3px;background:#fff5f7f8;}"
           "QComboBox{padding: 0px 0px 0px 15px;}"
           "QComboBox:hover,QComboBox:focus{border:1.5px solid #ff9eb2c0;}"
           "QComboBox::drop-down{subcontrol-origin: padding;subcontrol-position: top "
           "right;outline: 0px;border:0px;width: 30px;}"
           "QComboBox::down-arrow{width: 30px;height: 30px;image: url(" +
               kDown + ");border: 0px;}" + ComboListParts("3", "7.5", "52.5") +
               "QComboBox:enabled{color:#ff000000;}"
        << "";
    // Six significant digits, as QString::arg writes a real by default.
    QTest::newRow("default at 1.234567")
        << false << 1.234567
        << "QComboBox{border:2.46913px solid #b3b3b3;border-radius:6.17284px;"
           "background:#f5f7f8;}"
           "QComboBox:hover,QComboBox:focus{border:2.46913px solid #666666;}"
           "QComboBox::drop-down{subcontrol-origin: padding;subcontrol-position: top "
           "right;outline: 0px;border:0px;width: 19.7531px;}"
           "QComboBox::down-arrow{width: 19.7531px;height: 19.7531px;image: url(" +
               kDown + ");border: 0px;}" + ComboListParts("2.46913", "6.17284", "43.2098") +
               "QComboBox:enabled{color:#000000;}"
        << "border-radius:2.46913px;background: #f5f7f8";
}

void tst_InputControls::comboStyleSheet()
{
    QFETCH(bool, panelStyle);
    QFETCH(qreal, scale);
    QFETCH(QString, expected);
    QFETCH(QString, lineEditSheet);

    LxClientBaseComboBox combo;
    if (panelStyle) {
        combo.SetEditable(false);
        combo.SetBorderMetrics(1, 2, 20);
        combo.SetColors(QColor("#9eb2c0"), QColor("#9eb2c0"), QColor("#f5f7f8"), QColor("#000000"));
    }
    combo.SetScale(scale);
    QCOMPARE(combo.styleSheet(), expected);
    if (panelStyle)
        QVERIFY(!combo.lineEdit());
    else
        QCOMPARE(combo.lineEdit()->styleSheet(), lineEditSheet);
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
    QTest::addColumn<QString>("expected");

    // The buttons are 16 px wide at scale 1 and grow with the scale.
    const auto sheet = [](const QString &cls, const QString &border, const QString &radius) {
        const QString button = QString::number(border.toDouble() * 16, 'g', 6);
        return cls + "{border: " + border + "px solid   #9eb2c0;border-radius: " + radius +
               "px;background-color: #f5f7f8;}" + cls + ":enabled{color: #000000;}" + cls +
               "::up-button{image: url(" + kUp + ");width: " + button + "px;}" + cls +
               "::down-button{image: url(" + kDown + ");width: " + button + "px;}";
    };
    QTest::newRow("integer at 1") << false << 1.0 << QSize(110, 25) << QMargins(5, 0, 5, 0) << 14
                                  << sheet("QSpinBox", "1", "2");
    QTest::newRow("integer at 2") << false << 2.0 << QSize(220, 50) << QMargins(10, 0, 10, 0) << 28
                                  << sheet("QSpinBox", "2", "4");
    // 7.5 rounds away from zero; 37.5 and 21 truncate.
    QTest::newRow("integer at 1.5") << false << 1.5 << QSize(165, 37) << QMargins(8, 0, 8, 0) << 21
                                    << sheet("QSpinBox", "1.5", "3");
    QTest::newRow("real at 1") << true << 1.0 << QSize(110, 25) << QMargins(5, 0, 5, 0) << 14
                               << sheet("QDoubleSpinBox", "1", "2");
    QTest::newRow("real at 1.5") << true << 1.5 << QSize(165, 37) << QMargins(8, 0, 8, 0) << 21
                                 << sheet("QDoubleSpinBox", "1.5", "3");
    QTest::newRow("integer at 1.234567 writes six digits")
        << false << 1.234567 << QSize(135, 30) << QMargins(6, 0, 6, 0) << 17
        << sheet("QSpinBox", "1.23457", "2.46913");
    QTest::newRow("real at 1.3 rounds the 6.5 margin up")
        << true << 1.3 << QSize(143, 32) << QMargins(7, 0, 7, 0) << 18
        << sheet("QDoubleSpinBox", "1.3", "2.6");
    QTest::newRow("real at 0.5") << true << 0.5 << QSize(55, 12) << QMargins(3, 0, 3, 0) << 7
                                 << sheet("QDoubleSpinBox", "0.5", "1");
}

void tst_InputControls::spinBoxes()
{
    QFETCH(bool, real);
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    QFETCH(QMargins, margins);
    QFETCH(int, pixelSize);
    QFETCH(QString, expected);

    QAbstractSpinBox *box = real ? static_cast<QAbstractSpinBox *>(new LxClientBaseDoubleSpinBox)
                                 : static_cast<QAbstractSpinBox *>(new LxClientBaseSpinBox);
    QScopedPointer<QAbstractSpinBox> owner(box);
    qobject_cast<IWidgetBase *>(box)->SetScale(scale);
    QCOMPARE(box->minimumSize(), size);
    QCOMPARE(box->maximumSize(), size);
    QCOMPARE(box->font().pixelSize(), pixelSize);
    QCOMPARE(box->findChild<QLineEdit *>()->textMargins(), margins);
    QCOMPARE(box->styleSheet(), expected);
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
