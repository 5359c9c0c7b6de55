#include "aboutwidget.h"
#include "custommenubar.h"
#include "fenwardeversion.h"
#include "icolorconfig.h"
#include "languagetable.h"
#include "lxclientbaselabel.h"
#include "textid.h"

#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The about dialog: what it says, how it blocks the program while open, how
// closing only hides it, and when it scales itself.
class tst_aboutWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void texts_data();
    void texts();
    void notice();
    void configuration();
    void windowKind();
    void titleBarShowsOnlyClose();
    void modality();
    void closeOnlyHides();
    void centredOnFirstShowing();
    void scaleFixesBothDimensions_data();
    void scaleFixesBothDimensions();
    void rescaleOnlyWhenBucketChanges();

private:
    QTemporaryDir m_dir;
};

void tst_aboutWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QByteArray xml = "<texts>";
    for (int i = 0; i < TextId::Count; ++i)
        xml += "<string>text " + QByteArray::number(i) + "</string>";
    xml += "</texts>";
    const QString path = m_dir.filePath(QStringLiteral("table.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(xml);
    file.close();
    loadLanguageTable(path);
}

void tst_aboutWidget::cleanupTestCase()
{
    releaseLanguageTable();
}

void tst_aboutWidget::texts_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("name caption") << "m_lab1"
                                  << "text 49";
    QTest::newRow("version caption") << "m_lab2"
                                     << "text 50";
    QTest::newRow("first separator") << "m_lab3"
                                     << "text 47";
    QTest::newRow("second separator") << "m_lab4"
                                      << "text 47";
    QTest::newRow("program name") << "m_labName"
                                  << "text 48";
    QTest::newRow("version") << "m_labVersion" << QStringLiteral("V" FENWARDE_VERSION);
}

void tst_aboutWidget::texts()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    aboutWidget about;
    about.SetScale(1);
    auto *widget = about.findChild<LxClientBaseLabel *>(label);
    QVERIFY(widget);
    QCOMPARE(widget->text(), text);
    QCOMPARE(widget->GetBaseHeight(), 20.0);
    QCOMPARE(widget->height(), 20);
    QCOMPARE(widget->font().pixelSize(), 12);
    const QString black = ColorToString(Qt::black);
    QVERIFY2(widget->styleSheet().contains("color: " + black), qPrintable(widget->styleSheet()));
}

void tst_aboutWidget::notice()
{
    aboutWidget about;
    auto *label = about.findChild<LxClientBaseLabel *>(QStringLiteral("m_labillustrate"));
    QVERIFY(label);
    const QString text = label->text();
    QVERIFY2(text.contains(QStringLiteral("Qt %1").arg(QLatin1String(qVersion()))),
             qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("%1")));
    QVERIFY(text.contains(QStringLiteral("The Qt Company Ltd.")));
    QVERIFY(text.contains(QStringLiteral("GNU LGPLv3")));
    QCOMPARE(text.count(QLatin1Char('\n')), 2);
    QVERIFY(label->wordWrap());

    // Each of the three lines fits the dialog's width, so word wrap never
    // pushes a fourth line out of the label.
    about.SetScale(1);
    about.layout()->activate();
    const QFontMetrics metrics(label->font());
    for (const QString &line : text.split(QLatin1Char('\n')))
        QVERIFY2(metrics.horizontalAdvance(line) <= label->contentsRect().width(),
                 qPrintable(line));
}

void tst_aboutWidget::configuration()
{
    aboutWidget about;
    QCOMPARE(about.objectName(), QStringLiteral("aboutWidget"));
    QCOMPARE(about.windowTitle(), QStringLiteral("Form"));
    QCOMPARE(about.size(), QSize(368, 144));
    QCOMPARE(about.GetBackgroundColor(), ColorToString(QColor(126, 138, 147)));
    QCOMPARE(about.GetBaseWidth(), 400.0);
    QCOMPARE(about.GetBaseHeight(), 180.0);

    auto *bar = about.findChild<customMenuBar *>(QStringLiteral("m_menuBar"));
    QVERIFY(bar);
    QCOMPARE(bar->GetBackgroundColor(), ColorToString(QColor(46, 58, 77)));

    auto *icon = about.findChild<LxClientBaseLabel *>(QStringLiteral("m_labIcon"));
    QVERIFY(icon);
    QCOMPARE(icon->GetBaseWidth(), 160.0);
    QCOMPARE(icon->GetBaseHeight(), 40.0);

    about.SetScale(1);
    auto *notice = about.findChild<LxClientBaseLabel *>(QStringLiteral("m_labillustrate"));
    QVERIFY(notice);
    QCOMPARE(notice->GetBaseHeight(), 40.0);
    QCOMPARE(notice->height(), 40);
    QCOMPARE(notice->font().pixelSize(), 12);
    QVERIFY(notice->styleSheet().contains("color: " + ColorToString(Qt::black)));
    QCOMPARE(notice->alignment(), Qt::AlignCenter);
}

void tst_aboutWidget::windowKind()
{
    aboutWidget about;
    QCOMPARE(about.windowType(), Qt::Tool);
    QVERIFY(about.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(about.windowModality(), Qt::ApplicationModal);
    // A tool window never keeps the program running.
    QVERIFY(!about.testAttribute(Qt::WA_QuitOnClose));
    QVERIFY(about.isHidden());
}

void tst_aboutWidget::titleBarShowsOnlyClose()
{
    aboutWidget about;
    auto *bar = about.findChild<customMenuBar *>(QStringLiteral("m_menuBar"));
    QVERIFY(bar);
    QCOMPARE(bar->GetBaseHeight(), 30.0);
    for (const char *name :
         {"m_labIcon", "m_labTitle", "m_btnQuestion", "m_btnHide", "m_btnFullScreen"}) {
        QWidget *child = bar->findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(child && child->isHidden(), name);
    }
    QVERIFY(!bar->findChild<QWidget *>(QStringLiteral("m_btnClose"))->isHidden());
}

void tst_aboutWidget::modality()
{
    QWidget main;
    auto *button = new QPushButton(QStringLiteral("press"), &main);
    button->resize(100, 40);
    main.resize(300, 200);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QSignalSpy clicks(button, &QPushButton::clicked);

    aboutWidget about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(&about));
    // Clicks travel through the window system, where modality applies.
    const QPoint centre = button->geometry().center();
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(clicks.size(), 0);

    about.close();
    QVERIFY(!QApplication::activeModalWidget());
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(clicks.size(), 1);
}

void tst_aboutWidget::closeOnlyHides()
{
    QPointer<aboutWidget> about = new aboutWidget;
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));

    QTest::mouseClick(about->findChild<QWidget *>(QStringLiteral("m_btnClose")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(about);
    QVERIFY(about->isHidden());

    about->show();
    QVERIFY(about->isVisible());
    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(about);
    QVERIFY(about->isHidden());
    delete about;
}

void tst_aboutWidget::centredOnFirstShowing()
{
    QWidget main;
    main.setWindowFlags(Qt::FramelessWindowHint);
    main.setGeometry(100, 80, 600, 400);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));

    aboutWidget about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.size(), QSize(400, 180));
    QCOMPARE(about.frameGeometry().center(), main.frameGeometry().center());

    // Later showings keep wherever the user left the dialog.
    about.hide();
    about.move(10, 20);
    about.show();
    QCOMPARE(about.pos(), QPoint(10, 20));
}

void tst_aboutWidget::scaleFixesBothDimensions_data()
{
    QTest::addColumn<qreal>("baseWidth");
    QTest::addColumn<qreal>("baseHeight");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("size");

    QTest::newRow("design size at 1") << 400.0 << 180.0 << 1.0 << QSize(400, 180);
    QTest::newRow("design size at 1.5") << 400.0 << 180.0 << 1.5 << QSize(600, 270);
    QTest::newRow("design size at 0.5") << 400.0 << 180.0 << 0.5 << QSize(200, 90);
    QTest::newRow("halves round up") << 401.0 << 181.0 << 1.5 << QSize(602, 272);
    QTest::newRow("fractions truncated first") << 400.9 << 180.9 << 2.0 << QSize(800, 360);
}

void tst_aboutWidget::scaleFixesBothDimensions()
{
    QFETCH(qreal, baseWidth);
    QFETCH(qreal, baseHeight);
    QFETCH(qreal, scale);
    QFETCH(QSize, size);

    aboutWidget about;
    about.SetBaseWidth(baseWidth);
    about.SetBaseHeight(baseHeight);
    about.SetScale(scale);
    QCOMPARE(about.minimumSize(), size);
    QCOMPARE(about.maximumSize(), size);
    // The factor reaches the direct kit children.
    auto *bar = about.findChild<customMenuBar *>(QStringLiteral("m_menuBar"));
    QCOMPARE(bar->maximumHeight(), int(30 * scale));
    auto *icon = about.findChild<LxClientBaseLabel *>(QStringLiteral("m_labIcon"));
    QCOMPARE(icon->maximumSize(), QSize(int(160 * scale), int(40 * scale)));
}

void tst_aboutWidget::rescaleOnlyWhenBucketChanges()
{
    aboutWidget about;
    QCOMPARE(about.appliedScale(), 0.0);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    about.move(about.pos() + QPoint(7, 7));
    // The test screen has 96 dots per inch: scale 1.
    QCOMPARE(about.appliedScale(), 1.0);
    QCOMPARE(about.size(), QSize(400, 180));

    // Moving within the same screen leaves the scaling alone.
    about.setFixedSize(123, 45);
    about.move(about.pos() + QPoint(10, 10));
    QCOMPARE(about.appliedScale(), 1.0);
    QCOMPARE(about.size(), QSize(123, 45));
}

QTEST_MAIN(tst_aboutWidget)
#include "tst_aboutwidget.moc"
