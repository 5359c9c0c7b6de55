#include "lxclientmsgpopup.h"
#include "screenscale.h"

#include <QPropertyAnimation>
#include <QScreen>
#include <QWidget>
#include <QtTest>

// Run once per screen density: the test registration sets QT_FONT_DPI, the
// expected buckets in EXPECT_SCALE and EXPECT_POPUP_SCALE and the pop-up's
// gap to the right edge in EXPECT_POPUP_GAP.
class tst_ScreenDpi : public QObject
{
    Q_OBJECT

private slots:
    void widgetScale();
    void popupFollowsItsScreen();

private:
    static qreal Expected(const char *name);
};

qreal tst_ScreenDpi::Expected(const char *name)
{
    bool ok = false;
    const qreal value = qEnvironmentVariable(name).toDouble(&ok);
    return ok ? value : -1;
}

void tst_ScreenDpi::widgetScale()
{
    const qreal expected = Expected("EXPECT_SCALE");
    QVERIFY2(expected > 0, "EXPECT_SCALE not set");
    QWidget widget;
    widget.resize(50, 50);
    widget.show();
    QCOMPARE(GetScreenScale(&widget), expected);
}

void tst_ScreenDpi::popupFollowsItsScreen()
{
    const qreal scale = Expected("EXPECT_POPUP_SCALE");
    QVERIFY2(scale > 0, "EXPECT_POPUP_SCALE not set");
    LxClientMsgPopup popup;
    popup.SetShowSeconds(0);
    popup.SetText("Short text");
    popup.ShowPopup();
    QVERIFY(popup.isVisible());

    const int width = int(220 * scale);
    QCOMPARE(popup.width(), width);
    QCOMPARE(popup.minimumHeight(), int(165 * scale));
    QVERIFY(popup.height() >= int(165 * scale));

    // Flush with the right edge less the scale, bottom on the bottom edge.
    const int gap = int(Expected("EXPECT_POPUP_GAP"));
    QVERIFY2(gap > 0, "EXPECT_POPUP_GAP not set");
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QPropertyAnimation *slide = nullptr;
    for (QPropertyAnimation *animation : popup.findChildren<QPropertyAnimation *>()) {
        if (animation->propertyName() == "geometry")
            slide = animation;
    }
    QVERIFY(slide);
    const QRect end = slide->endValue().toRect();
    QCOMPARE(end.right(), area.right() - gap);
    QCOMPARE(end.bottom(), area.bottom());
    QCOMPARE(end.size(), popup.size());
    QCOMPARE(slide->startValue().toRect().top(), area.bottom() + 1);
}

QTEST_MAIN(tst_ScreenDpi)
#include "tst_screendpi.moc"
