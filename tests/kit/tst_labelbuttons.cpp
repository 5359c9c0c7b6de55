#include "lxclientbaselabel.h"
#include "lxclienticonpushbtn.h"
#include "lxclientscrollbar.h"
#include "lxclienttoolbutton.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class tst_LabelButtons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void labelDefaults();
    void labelImages_data();
    void labelImages();
    void labelKeepsPictureOnFailedLoad();
    void labelShowsLastPicture_data();
    void labelShowsLastPicture();
    void labelPictureSection();
    void labelSettersStoreOnly();

    void pushButtonStyleSheet_data();
    void pushButtonStyleSheet();
    void pushButtonWithIcon_data();
    void pushButtonWithIcon();
    void pushButtonText();

    void toolButtonColourCompletion_data();
    void toolButtonColourCompletion();
    void toolButtonStyleSheet_data();
    void toolButtonStyleSheet();
    void toolButtonPictureIcon();
    void toolButtonSvgIcon();
    void unreadableIconShowsEmpty_data();
    void unreadableIconShowsEmpty();

    void scrollBar_data();
    void scrollBar();

private:
    QString WriteSvg(const QString &name, const QString &viewBox, const QString &fill);

    QTemporaryDir m_dir;
    QString m_redPng;
    QString m_blueSvg;
};

void tst_LabelButtons::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QImage red(24, 18, QImage::Format_ARGB32);
    red.fill(Qt::red);
    m_redPng = m_dir.filePath("red.png");
    QVERIFY(red.save(m_redPng));
    m_blueSvg = WriteSvg("blue.svg", "0 0 16 16", "#0000ff");
}

QString tst_LabelButtons::WriteSvg(const QString &name, const QString &viewBox, const QString &fill)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(QString("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"%1\">"
                       "<rect x=\"-1000\" y=\"-1000\" width=\"3000\" height=\"3000\" fill=\"%2\"/>"
                       "</svg>")
                   .arg(viewBox, fill)
                   .toUtf8());
    return path;
}

void tst_LabelButtons::labelDefaults()
{
    LxClientBaseLabel label;
    QCOMPARE(label.GetBaseWidth(), 0.0);
    QCOMPARE(label.GetBaseHeight(), 40.0);
    label.SetScale(1);
    QCOMPARE(label.styleSheet(),
             QString("QLabel{background: #00000000;}QLabel::enabled{color: #ff000000;}"));
    QCOMPARE(label.minimumHeight(), 40);
    QCOMPARE(label.maximumHeight(), 40);
    QCOMPARE(label.maximumWidth(), QWIDGETSIZE_MAX);
    QCOMPARE(label.font().family(), QString("Arial"));
    QCOMPARE(label.font().pixelSize(), 14);
}

void tst_LabelButtons::labelImages_data()
{
    QTest::addColumn<bool>("svg");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("color");

    QTest::newRow("png at 2") << false << 2.0 << QSize(48, 36) << QColor(Qt::red);
    QTest::newRow("png at 1") << false << 1.0 << QSize(24, 18) << QColor(Qt::red);
    QTest::newRow("svg at 1.5") << true << 1.5 << QSize(24, 24) << QColor(Qt::blue);
    QTest::newRow("svg at 2") << true << 2.0 << QSize(32, 32) << QColor(Qt::blue);
}

void tst_LabelButtons::labelImages()
{
    QFETCH(bool, svg);
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    QFETCH(QColor, color);

    LxClientBaseLabel label;
    label.SetImage(svg ? m_blueSvg : m_redPng);
    label.SetScale(scale);
    QCOMPARE(label.minimumSize(), size);
    QCOMPARE(label.maximumSize(), size);
    label.resize(size);
    // The picture fills the whole label, corner to corner.
    const QImage image = label.grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), color);
    QCOMPARE(image.pixelColor(size.width() - 1, size.height() - 1), color);
    QCOMPARE(image.pixelColor(size.width() / 2, size.height() / 2), color);
}

void tst_LabelButtons::labelKeepsPictureOnFailedLoad()
{
    LxClientBaseLabel label;
    label.SetImage(m_redPng);
    label.SetImage(m_dir.filePath("missing.png"));
    label.SetImage(m_dir.filePath("missing.svg"));
    QCOMPARE(label.GetBaseWidth(), 24.0);
    QCOMPARE(label.GetBaseHeight(), 18.0);
    label.SetScale(1);
    label.resize(24, 18);
    QCOMPARE(label.grab().toImage().pixelColor(12, 9), QColor(Qt::red));
}

void tst_LabelButtons::labelShowsLastPicture_data()
{
    QTest::addColumn<bool>("svgLast");
    QTest::newRow("png after svg") << false;
    QTest::newRow("svg after png") << true;
}

void tst_LabelButtons::labelShowsLastPicture()
{
    QFETCH(bool, svgLast);
    LxClientBaseLabel label;
    label.SetImage(svgLast ? m_redPng : m_blueSvg);
    label.SetImage(svgLast ? m_blueSvg : m_redPng);
    label.SetScale(1);
    const QSize size = svgLast ? QSize(16, 16) : QSize(24, 18);
    QCOMPARE(label.maximumSize(), size);
    label.resize(size);
    QCOMPARE(label.grab().toImage().pixelColor(5, 5), svgLast ? QColor(Qt::blue) : QColor(Qt::red));
}

void tst_LabelButtons::labelPictureSection()
{
    LxClientBaseLabel label;
    label.SetImage(m_redPng, QRect(0, 0, 0, 0));
    QCOMPARE(label.GetBaseWidth(), 24.0);
    label.SetImage(m_redPng, QRect(2, 2, 10, 6));
    QCOMPARE(label.GetBaseWidth(), 10.0);
    QCOMPARE(label.GetBaseHeight(), 6.0);
}

void tst_LabelButtons::labelSettersStoreOnly()
{
    LxClientBaseLabel label;
    label.SetScale(1);
    const QString before = label.styleSheet();
    label.SetTextColor(QColor(1, 185, 209));
    label.SetFontPixelSize(18);
    label.SetText("L1");
    QCOMPARE(label.text(), QString("L1"));
    QCOMPARE(label.GetText(), QString("L1"));
    QCOMPARE(label.styleSheet(), before);
    QCOMPARE(label.font().pixelSize(), 14);

    label.SetScale(1.5);
    QCOMPARE(label.styleSheet(),
             QString("QLabel{background: #00000000;}QLabel::enabled{color: #ff01b9d1;}"));
    QCOMPARE(label.font().pixelSize(), 27);
    QCOMPARE(label.maximumHeight(), 60);
}

void tst_LabelButtons::pushButtonStyleSheet_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QString>("radius");
    QTest::addColumn<QString>("padding");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QSize>("size");

    QTest::newRow("scale 1") << 1.0 << "5"
                             << "5"
                             << "1" << QSize(40, 30);
    QTest::newRow("scale 1.5") << 1.5 << "7.5"
                               << "7.5"
                               << "1.5" << QSize(60, 45);
    QTest::newRow("scale 2") << 2.0 << "10"
                             << "10"
                             << "2" << QSize(80, 60);
}

void tst_LabelButtons::pushButtonStyleSheet()
{
    QFETCH(qreal, scale);
    QFETCH(QString, radius);
    QFETCH(QString, padding);
    QFETCH(QString, margin);
    QFETCH(QSize, size);

    LxClientIconPushBtn button;
    button.SetScale(scale);
    const QString expected =
        "QPushButton{border-radius: " + radius + "px;padding: " + padding +
        "px;color: #f6f7f8;background-color: #336ed3;border:0px solid #b3b3b3;}"
        "QPushButton:hover{outline: none;color: #f6f7f8;background-color: #0f4cb2;}"
        "QPushButton:pressed{color: #f6f7f8;margin: " +
        margin +
        "px;}QPushButton:disabled{background-color: #d4d7d7;color: #a0a0a0;}"
        "QPushButton::menu-indicator{image:none}";
    QCOMPARE(button.styleSheet(), expected);
    QCOMPARE(button.maximumSize(), size);
}

void tst_LabelButtons::pushButtonWithIcon_data()
{
    QTest::addColumn<bool>("svg");
    QTest::newRow("png icon") << false;
    QTest::newRow("svg icon") << true;
}

void tst_LabelButtons::pushButtonWithIcon()
{
    QFETCH(bool, svg);
    LxClientIconPushBtn button;
    const QFont before = button.font();
    button.SetIcon(svg ? m_blueSvg : m_redPng);
    QCOMPARE(button.GetBaseWidth(), 30.0);
    QVERIFY(!button.icon().isNull());
    QCOMPARE(button.iconSize(), QSize(30, 30));

    button.SetScale(1);
    QCOMPARE(button.maximumSize(), QSize(30, 30));
    QCOMPARE(button.font(), before);

    // The icon follows the button's size.
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    button.SetScale(2);
    QCOMPARE(button.size(), QSize(60, 60));
    QCOMPARE(button.iconSize(), QSize(60, 60));
    QCOMPARE(button.sizeHint(), QSize(60, 60));
}

void tst_LabelButtons::pushButtonText()
{
    LxClientIconPushBtn button;
    button.setText("Export");
    button.SetBaseWidth(150);
    button.SetTextColors(Qt::white, Qt::white, Qt::white, QColor("#a0a0a0"));
    button.SetBackgroundColors(QColor(1, 185, 209), QColor(1, 170, 193), QColor(1, 170, 193),
                               QColor(1, 170, 193));
    button.SetMetrics(4, 3, 0, 1);
    button.SetIcon(QString());
    QCOMPARE(button.GetBaseWidth(), 150.0);
    button.SetScale(1.5);
    QCOMPARE(button.maximumSize(), QSize(225, 45));
    QCOMPARE(button.font().pixelSize(), 21);
    QCOMPARE(button.styleSheet(),
             QString("QPushButton{border-radius: 6px;padding: 4.5px;color: "
                     "#ffffffff;background-color: #ff01b9d1;border:1.5px solid "
                     "#ff01aac1;}QPushButton:hover{outline: none;color: "
                     "#ffffffff;background-color: #ff01aac1;}QPushButton:pressed{color: "
                     "#ffffffff;margin: 0px;}QPushButton:disabled{background-color: "
                     "#ff01aac1;color: #ffa0a0a0;}QPushButton::menu-indicator{image:none}"));
}

void tst_LabelButtons::toolButtonColourCompletion_data()
{
    QTest::addColumn<QColor>("normal");
    QTest::addColumn<QColor>("hover");
    QTest::addColumn<QColor>("pressed");
    QTest::addColumn<QColor>("disabled");
    QTest::addColumn<QStringList>("expected");

    const QColor a(Qt::red), b(Qt::green), c(Qt::blue), d(Qt::yellow), none;
    const QString A = "#ffff0000", B = "#ff00ff00", C = "#ff0000ff", D = "#ffffff00";
    QTest::newRow("one colour for all") << a << none << none << none << QStringList{A, A, A, A};
    QTest::newRow("pressed follows hover") << a << b << none << none << QStringList{A, B, B, A};
    QTest::newRow("hover follows normal") << a << none << c << none << QStringList{A, A, C, A};
    QTest::newRow("disabled given") << a << none << none << d << QStringList{A, A, A, D};
    QTest::newRow("all given") << a << b << c << d << QStringList{A, B, C, D};
    QTest::newRow("transparent alone")
        << QColor(Qt::transparent) << none << none << none
        << QStringList{"#00000000", "#00000000", "#00000000", "#00000000"};
}

void tst_LabelButtons::toolButtonColourCompletion()
{
    QFETCH(QColor, normal);
    QFETCH(QColor, hover);
    QFETCH(QColor, pressed);
    QFETCH(QColor, disabled);
    QFETCH(QStringList, expected);

    LxClientToolButton button;
    button.SetBackgroundColors(normal, hover, pressed, disabled);
    button.SetScale(1);
    const QString sheet = button.styleSheet();
    QVERIFY2(sheet.startsWith("QToolButton{background-color: " + expected.at(0) + ";"),
             qPrintable(sheet));
    QVERIFY(sheet.contains("QToolButton:hover{background-color:" + expected.at(1) + ";"));
    QVERIFY(sheet.contains("QToolButton:pressed{background-color:" + expected.at(2) + ";"));
    QVERIFY(sheet.contains("QToolButton:disabled{background-color: " + expected.at(3) + ";"));
}

void tst_LabelButtons::toolButtonStyleSheet_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QSize>("size");

    QTest::newRow("scale 1") << 1.0 << "1" << QSize(40, 30);
    QTest::newRow("scale 1.5") << 1.5 << "1.5" << QSize(60, 45);
}

void tst_LabelButtons::toolButtonStyleSheet()
{
    QFETCH(qreal, scale);
    QFETCH(QString, pressed);
    QFETCH(QSize, size);

    LxClientToolButton button;
    button.SetScale(scale);
    QCOMPARE(button.styleSheet(),
             "QToolButton{background-color: #00000000;color:#000000;border:0px;border-radius: "
             "0px;padding: 0px;margin: 0px;}QToolButton:hover{background-color:#00000000;color:"
             "#000000;}QToolButton:pressed{background-color:#00000000;color: #000000;padding: " +
                 pressed + "px;margin: " + pressed +
                 "px;}QToolButton:disabled{background-color: #00000000;color: #a0a0a0;}");
    QCOMPARE(button.maximumSize(), size);

    button.SetMargins(2, 4);
    button.SetScale(scale);
    QVERIFY(button.styleSheet().contains(QString("margin: %1px;}").arg(2 * scale)));
    QVERIFY(button.styleSheet().contains(QString("margin: %1px;}").arg(4 * scale)));
}

void tst_LabelButtons::toolButtonPictureIcon()
{
    LxClientToolButton button;
    button.SetIcon(m_redPng);
    QVERIFY(button.icon().isNull());
    button.SetScale(1.5);
    QCOMPARE(button.iconSize(), QSize(24, 24));
    QVERIFY(!button.icon().isNull());
    QCOMPARE(button.icon().pixmap(24, 24).toImage().pixelColor(12, 12), QColor(Qt::red));
    QCOMPARE(button.icon().availableSizes(), QList<QSize>{QSize(24, 24)});

    button.SetIconSize(QSizeF(20, 15));
    button.SetScale(1.5);
    QCOMPARE(button.iconSize(), QSize(30, 23));
}

void tst_LabelButtons::toolButtonSvgIcon()
{
    LxClientToolButton button;
    button.SetIcon(m_blueSvg);
    QVERIFY(!button.icon().isNull());
    // A picture set before keeps nothing: the vector icon survives scaling.
    button.SetIcon(m_redPng);
    button.SetIcon(m_blueSvg);
    button.SetScale(2);
    QCOMPARE(button.iconSize(), QSize(32, 32));
    QCOMPARE(button.icon().pixmap(32, 32).toImage().pixelColor(16, 16), QColor(Qt::blue));
}

void tst_LabelButtons::unreadableIconShowsEmpty_data()
{
    QTest::addColumn<bool>("toolButton");
    QTest::addColumn<bool>("goodFirst");

    QTest::newRow("push button") << false << false;
    QTest::newRow("push button after a good icon") << false << true;
    QTest::newRow("tool button") << true << false;
    QTest::newRow("tool button after a good icon") << true << true;
}

void tst_LabelButtons::unreadableIconShowsEmpty()
{
    QFETCH(bool, toolButton);
    QFETCH(bool, goodFirst);
    const QString missing = m_dir.filePath("missing.png");

    if (toolButton) {
        LxClientToolButton button;
        if (goodFirst) {
            button.SetIcon(m_redPng);
            button.SetScale(1);
            QVERIFY(!button.icon().isNull());
        }
        button.SetIcon(missing);
        button.SetScale(1);
        QVERIFY(button.icon().isNull());
        QCOMPARE(button.iconSize(), QSize(16, 16));
    } else {
        LxClientIconPushBtn button;
        if (goodFirst)
            button.SetIcon(m_redPng);
        button.SetIcon(missing);
        QVERIFY(button.icon().isNull());
        QCOMPARE(button.GetBaseWidth(), 30.0);
        QCOMPARE(button.iconSize(), QSize(30, 30));
    }
}

void tst_LabelButtons::scrollBar_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QString>("expected");

    const auto sheet = [](const QString &vRadius, const QString &hRadius, const QString &thick,
                          const QString &handleRadius, const QString &minLength,
                          const QString &handleMargin) {
        return "QScrollBar::vertical{border-radius: " + vRadius +
               "px;background: #00000000;min-width: " + thick + "px;max-width: " + thick +
               "px;margin-top:0px;margin-bottom:0px;}"
               "QScrollBar::handle:vertical{border-radius:" +
               handleRadius + "px;min-height: " + minLength + "px;margin-left:  " + handleMargin +
               "px;margin-right: " + handleMargin +
               "px;}"
               "QScrollBar::handle:vertical:enabled{background-color: "
               "#b2b7c2;}QScrollBar::handle:vertical:pressed{background-color: #7d8a93;}"
               "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background: "
               "transparent;}"
               "QScrollBar::add-line:vertical{height: 0px;subcontrol-position:bottom;"
               "subcontrol-origin: margin;margin: 0px 0px 0px 0px;background: transparent;}"
               "QScrollBar::sub-line:vertical{height: 0px;subcontrol-position:top;"
               "subcontrol-origin: margin;margin: 0px 0px 0px 0px;background: transparent;}"
               "QScrollBar::horizontal{border-radius: " +
               hRadius + "px;background: #00000000;min-height: " + thick +
               "px;max-height: " + thick +
               "px;margin-left:0px;margin-right:0px;}"
               "QScrollBar::handle:horizontal{border-radius:" +
               handleRadius + "px;min-width: " + minLength + "px;margin-top: " + handleMargin +
               "px;margin-bottom: " + handleMargin +
               "px;}"
               "QScrollBar::handle:horizontal:enabled{background-color: "
               "#b2b7c2;}QScrollBar::handle:horizontal:pressed{background-color: #7d8a93;}"
               "QScrollBar::add-page:horizontal,QScrollBar::sub-page:horizontal{background: "
               "transparent;}"
               "QScrollBar::add-line:horizontal{width: 0px;subcontrol-position:right;"
               "subcontrol-origin: margin;margin: 0px 0px 0px 0px;background: transparent;}"
               "QScrollBar::sub-line:horizontal{width: 0px;subcontrol-position:left;"
               "subcontrol-origin: margin;margin: 0px 0px 0px 0px;background: transparent;}";
    };
    QTest::newRow("scale 1") << 1.0 << sheet("4", "2", "8", "2", "20", "2");
    QTest::newRow("scale 1.5") << 1.5 << sheet("6", "3", "12", "3", "30", "3");
    QTest::newRow("scale 2") << 2.0 << sheet("8", "4", "16", "4", "40", "4");
}

void tst_LabelButtons::scrollBar()
{
    QFETCH(qreal, scale);
    QFETCH(QString, expected);
    LxClientScrollBar bar;
    QCOMPARE(bar.orientation(), Qt::Vertical);
    bar.SetScale(scale);
    QCOMPARE(bar.styleSheet(), expected);
    // Only the style sheet changes; the design size is not applied.
    QCOMPARE(bar.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

    LxClientScrollBar horizontal(Qt::Horizontal);
    horizontal.SetScale(scale);
    QCOMPARE(horizontal.styleSheet(), expected);
}

QTEST_MAIN(tst_LabelButtons)
#include "tst_labelbuttons.moc"
