#include "lxclientbaselabel.h"
#include "lxclienttoolbutton.h"
#include "lxdialogbasetitlebar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

// Stands for the window under the title bar: records the mouse events that
// reach it.
class EventRecorder : public QWidget
{
public:
    QList<QEvent::Type> m_events;

protected:
    void mousePressEvent(QMouseEvent *) override { m_events << QEvent::MouseButtonPress; }
    void mouseMoveEvent(QMouseEvent *) override { m_events << QEvent::MouseMove; }
    void mouseReleaseEvent(QMouseEvent *) override { m_events << QEvent::MouseButtonRelease; }
};

Q_DECLARE_METATYPE(QMargins)

class tst_DialogTitleBar : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void lookAtScaleOne();
    void drag_data();
    void drag();
    void scale_data();
    void scale();
    void closeButton();

private:
    static void Send(QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButton button);
};

void tst_DialogTitleBar::Send(QWidget *target, QEvent::Type type, QPoint local,
                              Qt::MouseButton button)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, local, target->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void tst_DialogTitleBar::construction()
{
    LxDialogBaseTitleBar bar;
    LxClientBaseLabel *title = bar.GetTitleLabel();
    QCOMPARE(title->parentWidget(), &bar);
    QCOMPARE(title->GetBaseHeight(), 28.0);
    QCOMPARE(title->alignment(), Qt::AlignCenter);
    // The close button and icon sit inside the title label's own layout.
    auto *inner = qobject_cast<QHBoxLayout *>(title->layout());
    QVERIFY(inner);
    QCOMPARE(inner->count(), 3);
    QCOMPARE(inner->itemAt(0)->widget(), static_cast<QWidget *>(bar.GetIconLabel()));
    QCOMPARE(inner->itemAt(2)->widget(), static_cast<QWidget *>(bar.GetCloseButton()));
    QCOMPARE(inner->contentsMargins(), QMargins(2, 0, 5, 0));
    QCOMPARE(bar.GetCloseButton()->GetBaseWidth(), 16.0);
    QCOMPARE(bar.GetCloseButton()->GetBaseHeight(), 16.0);
    // The info picture gives the icon its design size.
    QCOMPARE(bar.GetIconLabel()->GetBaseWidth(), 48.0);

    bar.show();
    bar.SetIconVisible(false);
    bar.SetCloseButtonVisible(false);
    QVERIFY(bar.GetIconLabel()->isHidden());
    QVERIFY(bar.GetCloseButton()->isHidden());
    bar.SetCloseButtonVisible(true);
    QVERIFY(!bar.GetCloseButton()->isHidden());
}

void tst_DialogTitleBar::lookAtScaleOne()
{
    LxDialogBaseTitleBar bar;
    auto *outer = qobject_cast<QHBoxLayout *>(bar.layout());
    QVERIFY(outer);
    QCOMPARE(outer->count(), 1);
    QCOMPARE(outer->itemAt(0)->widget(), static_cast<QWidget *>(bar.GetTitleLabel()));
    QCOMPARE(outer->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(outer->spacing(), 0);
    QCOMPARE(bar.GetTitleLabel()->layout()->spacing(), 0);

    bar.SetScale(1);
    // Title text in palette white; the close cross on a transparent button
    // in every state, without margins even when pressed.
    QCOMPARE(bar.GetTitleLabel()->styleSheet(),
             QString("QLabel{background: #00000000;}QLabel::enabled{color: #ffffffff;}"));
    LxClientToolButton *close = bar.GetCloseButton();
    QCOMPARE(close->styleSheet(),
             QString("QToolButton{background-color: #00000000;color:#000000;border:0px;"
                     "border-radius: 0px;padding: 0px;margin: 0px;}QToolButton:hover{"
                     "background-color:#00000000;color:#000000;}QToolButton:pressed{"
                     "background-color:#00000000;color: #000000;padding: 1px;margin: 0px;}"
                     "QToolButton:disabled{background-color: #00000000;color: #a0a0a0;}"));
    QVERIFY(!close->icon().isNull());
    QCOMPARE(close->iconSize(), QSize(16, 16));
}

void tst_DialogTitleBar::drag_data()
{
    QTest::addColumn<int>("buttonValue");
    QTest::addColumn<QList<QPoint>>("moves");
    QTest::addColumn<QList<QPoint>>("reports");

    QTest::newRow("10 pixels right")
        << int(Qt::LeftButton) << QList<QPoint>{QPoint(30, 10)} << QList<QPoint>{QPoint(10, 0)};
    QTest::newRow("each report is the step since the last")
        << int(Qt::LeftButton) << QList<QPoint>{QPoint(25, 12), QPoint(22, 20), QPoint(22, 20)}
        << QList<QPoint>{QPoint(5, 2), QPoint(-3, 8), QPoint(0, 0)};
    QTest::newRow("right button does not drag")
        << int(Qt::RightButton) << QList<QPoint>{QPoint(30, 10)} << QList<QPoint>{};
}

void tst_DialogTitleBar::drag()
{
    QFETCH(int, buttonValue);
    const auto button = Qt::MouseButton(buttonValue);
    QFETCH(QList<QPoint>, moves);
    QFETCH(QList<QPoint>, reports);

    EventRecorder window;
    auto *bar = new LxDialogBaseTitleBar(&window);
    bar->setGeometry(0, 0, 200, 29);
    window.resize(200, 100);
    QSignalSpy spy(bar, &LxDialogBaseTitleBar::moveWindowRequest);

    Send(bar, QEvent::MouseButtonPress, QPoint(20, 10), button);
    for (const QPoint &point : moves)
        Send(bar, QEvent::MouseMove, point, button);
    Send(bar, QEvent::MouseButtonRelease, moves.last(), button);
    // After the release, moving reports nothing.
    Send(bar, QEvent::MouseMove, QPoint(90, 10), Qt::NoButton);
    Send(bar, QEvent::MouseMove, QPoint(95, 10), button);

    QCOMPARE(spy.count(), reports.size());
    for (int i = 0; i < reports.size(); ++i)
        QCOMPARE(spy.at(i).at(0).toPoint(), reports.at(i));

    // Every event went on to the window as well.
    QList<QEvent::Type> expected{QEvent::MouseButtonPress};
    for (int i = 0; i < moves.size(); ++i)
        expected << QEvent::MouseMove;
    // A move without buttons only reaches widgets that track the mouse.
    expected << QEvent::MouseButtonRelease << QEvent::MouseMove;
    QCOMPARE(window.m_events, expected);
}

void tst_DialogTitleBar::scale_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("titleHeight");
    QTest::addColumn<QSize>("closeSize");
    QTest::addColumn<QMargins>("margins");

    QTest::newRow("scale 1") << 1.0 << 29 << 28 << QSize(16, 16) << QMargins(2, 0, 5, 0);
    QTest::newRow("scale 1.5") << 1.5 << 43 << 42 << QSize(24, 24) << QMargins(3, 0, 7, 0);
    QTest::newRow("scale 2") << 2.0 << 58 << 56 << QSize(32, 32) << QMargins(4, 0, 10, 0);
}

void tst_DialogTitleBar::scale()
{
    QFETCH(qreal, scale);
    QFETCH(int, height);
    QFETCH(int, titleHeight);
    QFETCH(QSize, closeSize);
    QFETCH(QMargins, margins);

    LxDialogBaseTitleBar bar;
    bar.SetScale(scale);
    bar.SetScale(scale);
    QCOMPARE(bar.maximumHeight(), height);
    QCOMPARE(bar.minimumHeight(), height);
    // Descendants at every level are scaled: the title label's layout makes
    // the icon and the close button its children, so grandchildren of the bar.
    QCOMPARE(bar.GetTitleLabel()->maximumHeight(), titleHeight);
    QCOMPARE(bar.GetCloseButton()->maximumSize(), closeSize);
    QCOMPARE(bar.GetCloseButton()->iconSize(), closeSize);
    QCOMPARE(bar.GetIconLabel()->maximumSize(), QSize(int(48 * scale), int(48 * scale)));
    QCOMPARE(bar.GetTitleLabel()->layout()->contentsMargins(), margins);
}

void tst_DialogTitleBar::closeButton()
{
    LxDialogBaseTitleBar bar;
    QSignalSpy spy(&bar, &LxDialogBaseTitleBar::closeRequest);
    bar.GetCloseButton()->click();
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(tst_DialogTitleBar)
#include "tst_dialogtitlebar.moc"
