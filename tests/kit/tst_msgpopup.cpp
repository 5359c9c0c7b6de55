#include "lxclientbaselabel.h"
#include "lxclientmsgpopup.h"
#include "lxclienttoolbutton.h"
#include "lxdialogbasetitlebar.h"

#include <QPropertyAnimation>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

// The countdown is driven by emitting the timer's timeout, never by waiting.
class tst_MsgPopup : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void resultLook();
    void destroyedWhileVisibleCloses_data();
    void destroyedWhileVisibleCloses();
    void newImageTakesTheCurrentScale();
    void instanceIsShared();
    void countdown_data();
    void countdown();
    void staysOpenWithoutDisplayTime_data();
    void staysOpenWithoutDisplayTime();
    void hoverHoldsAndLeavingRestarts();
    void leavingAClosedPopupDoesNotCount();
    void showingAgainRestarts();
    void closeButtonCloses();
    void scaleSizes_data();
    void scaleSizes();
    void texts();
    void placementOnAvailableArea();

private:
    static QTimer *Timer(LxClientMsgPopup &popup);
    static QPropertyAnimation *Animation(LxClientMsgPopup &popup, const QByteArray &property);
    static void Tick(LxClientMsgPopup &popup, int count = 1);
    static bool Fading(LxClientMsgPopup &popup);
};

QTimer *tst_MsgPopup::Timer(LxClientMsgPopup &popup)
{
    const QList<QTimer *> timers =
        popup.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    return timers.size() == 1 ? timers.first() : nullptr;
}

QPropertyAnimation *tst_MsgPopup::Animation(LxClientMsgPopup &popup, const QByteArray &property)
{
    for (QPropertyAnimation *animation : popup.findChildren<QPropertyAnimation *>()) {
        if (animation->propertyName() == property)
            return animation;
    }
    return nullptr;
}

void tst_MsgPopup::Tick(LxClientMsgPopup &popup, int count)
{
    for (int i = 0; i < count; ++i)
        QMetaObject::invokeMethod(Timer(popup), "timeout", Qt::DirectConnection);
}

bool tst_MsgPopup::Fading(LxClientMsgPopup &popup)
{
    return Animation(popup, "windowOpacity")->state() == QAbstractAnimation::Running;
}

void tst_MsgPopup::construction()
{
    LxClientMsgPopup popup;
    QCOMPARE(popup.objectName(), QString("LxClientMsgPopup"));
    QCOMPARE(popup.windowType(), Qt::ToolTip);
    QCOMPARE(popup.GetBaseWidth(), 220.0);
    QCOMPARE(popup.GetBaseHeight(), 165.0);
    QVERIFY(Timer(popup));
    QCOMPARE(Timer(popup)->interval(), 1000);
    QVERIFY(!Timer(popup)->isActive());

    QPropertyAnimation *slide = Animation(popup, "geometry");
    QPropertyAnimation *fade = Animation(popup, "windowOpacity");
    QVERIFY(slide && fade);
    QCOMPARE(slide->duration(), 200);
    QCOMPARE(fade->duration(), 1000);
    QCOMPARE(fade->startValue().toDouble(), 1.0);
    QCOMPARE(fade->endValue().toDouble(), 0.0);
    QCOMPARE(fade->targetObject(), &popup);

    for (const char *name : {"m_MainLayout", "horizontalLayout", "m_TextLayout"})
        QVERIFY2(popup.findChild<QLayout *>(name), name);
    auto *title = popup.findChild<LxDialogBaseTitleBar *>("m_TitleBar");
    QVERIFY(title);
    QCOMPARE(title->styleSheet(), QString("LxDialogBaseTitleBar{background: #ff0f4cb2}"));
    QVERIFY(title->GetIconLabel()->isHidden());
    QCOMPARE(popup.styleSheet(), QString("QDialog{background: #fff5f7f8}"));

    auto *image = popup.findChild<LxClientBaseLabel *>("m_LabImg");
    auto *text = popup.findChild<LxClientBaseLabel *>("m_LabText");
    QVERIFY(image && text);
    QCOMPARE(image->GetBaseWidth(), 48.0);
    QCOMPARE(text->GetBaseWidth(), 160.0);
    QCOMPARE(text->GetBaseHeight(), 0.0);
    QVERIFY(text->wordWrap());
    QCOMPARE(text->alignment(), Qt::AlignCenter);
    QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByMouse);
}

void tst_MsgPopup::resultLook()
{
    LxClientMsgPopup popup;
    QCOMPARE(popup.windowTitle(), QString("Dialog"));
    popup.SetScale(1);
    auto *text = popup.findChild<LxClientBaseLabel *>("m_LabText");
    QCOMPARE(text->styleSheet(),
             QString("QLabel{background: #00000000;}QLabel::enabled{color: #ff0f4cb2;}"));
    QCOMPARE(text->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                                               Qt::LinksAccessibleByKeyboard);
    auto *title = popup.findChild<LxDialogBaseTitleBar *>("m_TitleBar");
    QCOMPARE(title->GetTitleLabel()->styleSheet(),
             QString("QLabel{background: #00000000;}QLabel::enabled{color: #ffffffff;}"));
    QCOMPARE(title->frameShape(), QFrame::StyledPanel);
    QCOMPARE(title->frameShadow(), QFrame::Raised);
}

void tst_MsgPopup::destroyedWhileVisibleCloses_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("finished");
    QTest::newRow("visible: closed first") << true << 1;
    QTest::newRow("hidden: nothing to close") << false << 0;
}

void tst_MsgPopup::destroyedWhileVisibleCloses()
{
    QFETCH(bool, shown);
    QFETCH(int, finished);
    auto *popup = new LxClientMsgPopup;
    if (shown) {
        popup->ShowPopup();
        Tick(*popup, 5);
        QVERIFY(Fading(*popup));
    }
    // Only a real close finishes the dialog; hiding while destroyed would not.
    QSignalSpy spy(popup, &QDialog::finished);
    delete popup;
    QCOMPARE(spy.count(), finished);
}

void tst_MsgPopup::newImageTakesTheCurrentScale()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto writePng = [&dir](const QString &name, QSize size) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::green);
        const QString path = dir.filePath(name);
        return image.save(path) ? path : QString();
    };
    const QString small = writePng("small.png", QSize(24, 18));
    const QString wide = writePng("wide.png", QSize(30, 20));
    QVERIFY(!small.isEmpty() && !wide.isEmpty());

    LxClientMsgPopup popup;
    auto *image = popup.findChild<LxClientBaseLabel *>("m_LabImg");
    // Before the first show nothing is scaled yet.
    popup.SetImage(small);
    QCOMPARE(image->GetBaseWidth(), 24.0);
    QCOMPARE(image->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

    popup.SetShowSeconds(0);
    popup.ShowPopup();
    QCOMPARE(image->maximumSize(), QSize(24, 18));
    popup.SetImage(wide);
    QCOMPARE(image->maximumSize(), QSize(30, 20));
    // A picture that cannot be read keeps the last one.
    popup.SetImage(dir.filePath("missing.png"));
    QCOMPARE(image->maximumSize(), QSize(30, 20));
}

void tst_MsgPopup::instanceIsShared()
{
    LxClientMsgPopup *first = LxClientMsgPopup::GetInstance();
    QVERIFY(first);
    QCOMPARE(LxClientMsgPopup::GetInstance(), first);
    QVERIFY(!first->parent());
}

void tst_MsgPopup::countdown_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("default six seconds") << 0;
    QTest::newRow("three seconds") << 3;
    QTest::newRow("two seconds") << 2;
    QTest::newRow("ten seconds") << 10;
}

void tst_MsgPopup::countdown()
{
    QFETCH(int, seconds);
    LxClientMsgPopup popup;
    if (seconds > 0)
        popup.SetShowSeconds(quint8(seconds));
    else
        seconds = 6;
    popup.ShowPopup();
    QVERIFY(popup.isVisible());
    QVERIFY(Timer(popup)->isActive());
    QCOMPARE(popup.windowOpacity(), 1.0);

    // Fully visible until one second is left, then it fades.
    Tick(popup, seconds - 2);
    QVERIFY(popup.isVisible());
    QVERIFY(!Fading(popup));
    Tick(popup);
    QVERIFY(popup.isVisible());
    QVERIFY(Fading(popup));
    Tick(popup);
    QVERIFY(!popup.isVisible());
    QVERIFY(!Timer(popup)->isActive());
    QVERIFY(!Fading(popup));
}

void tst_MsgPopup::staysOpenWithoutDisplayTime_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("zero") << 0;
    QTest::newRow("one") << 1;
}

void tst_MsgPopup::staysOpenWithoutDisplayTime()
{
    QFETCH(int, seconds);
    LxClientMsgPopup popup;
    popup.SetShowSeconds(quint8(seconds));
    popup.ShowPopup();
    QVERIFY(popup.isVisible());
    QVERIFY(!Timer(popup)->isActive());
    QVERIFY(!Fading(popup));

    popup.ClosePopup();
    QVERIFY(!popup.isVisible());
}

void tst_MsgPopup::hoverHoldsAndLeavingRestarts()
{
    LxClientMsgPopup popup;
    popup.ShowPopup();
    Tick(popup, 5);
    QVERIFY(Fading(popup));
    Animation(popup, "windowOpacity")->setCurrentTime(500);
    QVERIFY(popup.windowOpacity() < 1.0);

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&popup, &enter);
    QVERIFY(!Fading(popup));
    QVERIFY(!Timer(popup)->isActive());
    QCOMPARE(popup.windowOpacity(), 1.0);
    QVERIFY(popup.isVisible());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&popup, &leave);
    QVERIFY(Timer(popup)->isActive());
    // A new full countdown: five more seconds at full opacity.
    Tick(popup, 4);
    QVERIFY(!Fading(popup));
    Tick(popup);
    QVERIFY(Fading(popup));
    Tick(popup);
    QVERIFY(!popup.isVisible());
}

void tst_MsgPopup::leavingAClosedPopupDoesNotCount()
{
    LxClientMsgPopup popup;
    popup.ShowPopup();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&popup, &enter);
    popup.ClosePopup();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&popup, &leave);
    QVERIFY(!Timer(popup)->isActive());

    // With a held display time of 0, a leave never starts a countdown.
    popup.SetShowSeconds(0);
    popup.ShowPopup();
    QApplication::sendEvent(&popup, &leave);
    QVERIFY(!Timer(popup)->isActive());
    QVERIFY(popup.isVisible());
}

void tst_MsgPopup::showingAgainRestarts()
{
    LxClientMsgPopup popup;
    popup.ShowPopup();
    Tick(popup, 5);
    QVERIFY(Fading(popup));
    popup.ShowPopup();
    QVERIFY(popup.isVisible());
    QVERIFY(!Fading(popup));
    QCOMPARE(popup.windowOpacity(), 1.0);
    Tick(popup, 4);
    QVERIFY(!Fading(popup));
    Tick(popup, 2);
    QVERIFY(!popup.isVisible());

    // A held notice replaced by a counting one must not be closed early by
    // a countdown of the earlier notice, nor the other way round.
    popup.SetShowSeconds(6);
    popup.ShowPopup();
    Tick(popup, 3);
    popup.hide();
    popup.SetShowSeconds(0);
    popup.ShowPopup();
    QVERIFY(!Timer(popup)->isActive());
    QVERIFY(popup.isVisible());
}

void tst_MsgPopup::closeButtonCloses()
{
    LxClientMsgPopup popup;
    popup.ShowPopup();
    auto *title = popup.findChild<LxDialogBaseTitleBar *>("m_TitleBar");
    title->GetCloseButton()->click();
    QVERIFY(!popup.isVisible());
    QVERIFY(!Timer(popup)->isActive());

    popup.SetCloseButtonVisible(false);
    QVERIFY(title->GetCloseButton()->isHidden());
}

void tst_MsgPopup::scaleSizes_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("minimumHeight");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("titleHeight");

    QTest::newRow("scale 1") << 1.0 << 220 << 165 << 10 << 29;
    QTest::newRow("scale 1.5") << 1.5 << 330 << 247 << 15 << 43;
    QTest::newRow("scale 2") << 2.0 << 440 << 330 << 20 << 58;
    QTest::newRow("scale 2.5") << 2.5 << 550 << 412 << 25 << 72;
}

void tst_MsgPopup::scaleSizes()
{
    QFETCH(qreal, scale);
    QFETCH(int, width);
    QFETCH(int, minimumHeight);
    QFETCH(int, spacing);
    QFETCH(int, titleHeight);

    LxClientMsgPopup popup;
    popup.SetScale(scale);
    popup.SetScale(scale);
    QCOMPARE(popup.minimumWidth(), width);
    QCOMPARE(popup.maximumWidth(), width);
    QCOMPARE(popup.minimumHeight(), minimumHeight);
    auto *main = qobject_cast<QVBoxLayout *>(popup.layout());
    QCOMPARE(main->spacing(), spacing);
    QCOMPARE(main->contentsMargins(), QMargins(0, 0, 0, spacing));
    QCOMPARE(popup.findChild<LxDialogBaseTitleBar *>()->maximumHeight(), titleHeight);
    QCOMPARE(popup.findChild<LxClientBaseLabel *>("m_LabText")->maximumWidth(), int(160 * scale));
    QCOMPARE(popup.findChild<LxClientBaseLabel *>("m_LabImg")->maximumWidth(), int(48 * scale));
}

void tst_MsgPopup::texts()
{
    LxClientMsgPopup popup;
    auto *text = popup.findChild<LxClientBaseLabel *>("m_LabText");
    popup.SetText("Pitch angle too small");
    QCOMPARE(popup.GetText(), QString("Pitch angle too small"));
    QCOMPARE(text->text(), QString("Pitch angle too small"));

    popup.SetTextColor(Qt::black);
    QCOMPARE(text->styleSheet(),
             QString("QLabel{background: #00000000;}QLabel::enabled{color: #ff000000;}"));
    popup.SetTitleBarColors(QColor(46, 58, 77), QColor(1, 185, 209));
    auto *title = popup.findChild<LxDialogBaseTitleBar *>("m_TitleBar");
    QCOMPARE(title->styleSheet(), QString("LxDialogBaseTitleBar{background: #ff2e3a4d}"));
    QVERIFY(title->GetTitleLabel()->styleSheet().contains("color: #ff01b9d1;"));
    popup.SetBackgroundColor(Qt::white);
    QCOMPARE(popup.styleSheet(), QString("QDialog{background: #ffffffff}"));
}

void tst_MsgPopup::placementOnAvailableArea()
{
    // The cursor outside every screen falls back to the primary screen.
    QCursor::setPos(-5000, -5000);
    LxClientMsgPopup popup;
    popup.SetShowSeconds(0);
    popup.SetText("A longer notice that wraps over several lines of the pop-up, so the "
                  "pop-up grows in height beyond its minimum.");
    popup.ShowPopup();
    QVERIFY(popup.height() > 165);
    QCOMPARE(popup.width(), 220);

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QPropertyAnimation *slide = Animation(popup, "geometry");
    QCOMPARE(slide->state(), QAbstractAnimation::Running);
    const QRect start = slide->startValue().toRect();
    const QRect end = slide->endValue().toRect();
    QCOMPARE(start, QRect(area.right() - 220, area.bottom() + 1, 220, popup.height()));
    QCOMPARE(end,
             QRect(area.right() - 220, area.bottom() + 1 - popup.height(), 220, popup.height()));

    slide->setCurrentTime(slide->duration());
    QCOMPARE(popup.geometry(), end);

    // A short text shows again at the minimum height, still on the edge.
    popup.SetText("Done");
    popup.ShowPopup();
    QCOMPARE(popup.height(), 165);
    QCOMPARE(slide->endValue().toRect(), QRect(area.right() - 220, area.bottom() - 164, 220, 165));
}

QTEST_MAIN(tst_MsgPopup)
#include "tst_msgpopup.moc"
