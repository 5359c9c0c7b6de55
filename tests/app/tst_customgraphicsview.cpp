#include "customgraphicsview.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace
{
// A stand-in panel that counts what reaches it.
class Panel : public QWidget
{
public:
    int closeEvents = 0;
    int resizeEvents = 0;
    // A minimum size taken on the first move, as a panel that scales itself
    // to the screen it lands on does while it is being embedded.
    QSize minimumOnMove;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeEvents;
        QWidget::closeEvent(event);
    }
    void resizeEvent(QResizeEvent *event) override
    {
        ++resizeEvents;
        QWidget::resizeEvent(event);
    }
    void moveEvent(QMoveEvent *event) override
    {
        if (minimumOnMove.isValid()) {
            setMinimumSize(minimumOnMove);
            minimumOnMove = QSize();
        }
        QWidget::moveEvent(event);
    }
};

bool near(qreal a, qreal b)
{
    return qAbs(a - b) < 1e-9;
}
} // namespace

// The host window: placing the panel, the scaling below its minimum size, and
// the mirroring of the panel's window operations.
class tst_customGraphicsView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void construction();
    void scaling_data();
    void scaling();
    void scaleResetsWithinLimits();
    void sameSizeIsNoOp();
    void centring_data();
    void centring();
    void grownPanelOpensAtItsSize_data();
    void grownPanelOpensAtItsSize();
    void firstPlacementMovesSizedView();
    void uiChangeRequest();
    void noPanel();
    void closeIsConsumed();
    void hideMinimisesAndShowReactivates();
    void childResizeNotFiltered();
    void panelMoveAndResizeMirrored();
    void titleFollowsPanel();
    void fullScreenAndBack_data();
    void fullScreenAndBack();

private:
    // A view hosting a panel, with the queued placement already applied.
    void host(const QRect &panelRect, const QSize &minSize, const QSize &maxSize = QSize());

    std::unique_ptr<customGraphicsView> m_view;
    Panel *m_panel = nullptr;
};

void tst_customGraphicsView::initTestCase()
{
    // Centring and full-screen cases are worked out for this screen.
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 600));
}

void tst_customGraphicsView::cleanup()
{
    if (m_view)
        QCOMPARE(m_view->savedWindowPosition(), QPoint(0, 0));
    m_view.reset();
    m_panel = nullptr;
}

void tst_customGraphicsView::construction()
{
    customGraphicsView view;
    QCOMPARE(view.windowFlags() & ~Qt::WindowType_Mask, Qt::FramelessWindowHint);
    QVERIFY(view.isWindow());
    QVERIFY(view.horizontalScrollBar()->isHidden());
    QVERIFY(view.verticalScrollBar()->isHidden());
    QCOMPARE(view.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(view.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(view.transformationAnchor(), QGraphicsView::AnchorViewCenter);
    QCOMPARE(view.styleSheet(), QStringLiteral("QGraphicsView{border: 0px;}"));
    QVERIFY(view.scene());
    QCOMPARE(view.scene()->parent(), static_cast<QObject *>(&view));
    QVERIFY(view.scene()->items().isEmpty());
    QVERIFY(!view.widget());
}

void tst_customGraphicsView::host(const QRect &panelRect, const QSize &minSize,
                                  const QSize &maxSize)
{
    m_view = std::make_unique<customGraphicsView>();
    m_panel = new Panel;
    m_panel->setMinimumSize(minSize);
    if (maxSize.isValid())
        m_panel->setMaximumSize(maxSize);
    m_panel->setGeometry(panelRect);
    m_view->setWidget(m_panel);
    QCoreApplication::processEvents();
}

void tst_customGraphicsView::scaling_data()
{
    QTest::addColumn<QSize>("minSize");
    QTest::addColumn<QSize>("maxSize");
    QTest::addColumn<QRect>("request");
    QTest::addColumn<QRect>("viewRect");
    QTest::addColumn<QSize>("panelSize");
    QTest::addColumn<qreal>("m11");
    QTest::addColumn<qreal>("m22");

    const QSize noMax(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QTest::newRow("narrower than minimum")
        << QSize(1280, 800) << noMax << QRect(10, 20, 960, 800) << QRect(10, 20, 960, 800)
        << QSize(1280, 800) << 0.75 << 1.0;
    QTest::newRow("lower than minimum")
        << QSize(1280, 800) << noMax << QRect(10, 20, 1300, 600) << QRect(10, 20, 1300, 600)
        << QSize(1300, 800) << 1.0 << 0.75;
    QTest::newRow("both below minimum") << QSize(1280, 800) << noMax << QRect(0, 0, 640, 200)
                                        << QRect(0, 0, 640, 200) << QSize(1280, 800) << 0.5 << 0.25;
    QTest::newRow("within limits") << QSize(400, 300) << noMax << QRect(5, 5, 1000, 700)
                                   << QRect(5, 5, 1000, 700) << QSize(1000, 700) << 1.0 << 1.0;
    QTest::newRow("exactly minimum") << QSize(400, 300) << noMax << QRect(5, 5, 400, 300)
                                     << QRect(5, 5, 400, 300) << QSize(400, 300) << 1.0 << 1.0;
    QTest::newRow("wider than maximum")
        << QSize(400, 300) << QSize(900, 2000) << QRect(7, 8, 1000, 700) << QRect(7, 8, 900, 700)
        << QSize(900, 700) << 1.0 << 1.0;
    QTest::newRow("taller than maximum")
        << QSize(400, 300) << QSize(2000, 500) << QRect(7, 8, 1000, 700) << QRect(7, 8, 1000, 500)
        << QSize(1000, 500) << 1.0 << 1.0;
    QTest::newRow("narrow and too tall")
        << QSize(800, 300) << QSize(2000, 500) << QRect(7, 8, 600, 700) << QRect(7, 8, 600, 500)
        << QSize(800, 500) << 0.75 << 1.0;
    QTest::newRow("no width at all") << QSize(1000, 300) << noMax << QRect(7, 8, -50, 400)
                                     << QRect(7, 8, 1, 400) << QSize(1000, 400) << 0.001 << 1.0;
}

void tst_customGraphicsView::scaling()
{
    QFETCH(QSize, minSize);
    QFETCH(QSize, maxSize);
    QFETCH(QRect, request);
    QFETCH(QRect, viewRect);
    QFETCH(QSize, panelSize);
    QFETCH(qreal, m11);
    QFETCH(qreal, m22);

    host(QRect(30, 40, 1500, 900), QSize(0, 0), maxSize);
    m_panel->setMinimumSize(minSize);
    m_view->updateGeometry(request);

    QCOMPARE(m_view->geometry(), viewRect);
    QCOMPARE(m_panel->geometry(), QRect(QPoint(0, 0), panelSize));
    QVERIFY2(near(m_view->transform().m11(), m11), qPrintable(QString::number(m11)));
    QVERIFY2(near(m_view->transform().m22(), m22), qPrintable(QString::number(m22)));
    QCOMPARE(m_view->transform().m12(), 0.0);
    QCOMPARE(m_view->transform().dx(), 0.0);
    QCOMPARE(m_view->sceneRect(),
             QRectF(0.5, 0.5, panelSize.width() - 1.5, panelSize.height() - 1.5));
    // The proxy item follows the panel, at the scene origin.
    const QList<QGraphicsItem *> items = m_view->scene()->items();
    QCOMPARE(items.size(), 1);
    auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(items.first());
    QVERIFY(proxy);
    QCOMPARE(proxy->widget(), static_cast<QWidget *>(m_panel));
    QCOMPARE(proxy->geometry(), QRectF(QPointF(0, 0), QSizeF(panelSize)));
}

void tst_customGraphicsView::scaleResetsWithinLimits()
{
    host(QRect(30, 40, 1280, 800), QSize(1280, 800));
    m_view->updateGeometry(QRect(30, 40, 960, 600));
    QVERIFY(near(m_view->transform().m11(), 0.75));
    QVERIFY(near(m_view->transform().m22(), 0.75));

    m_view->updateGeometry(QRect(30, 40, 1400, 900));
    QCOMPARE(m_view->transform(), QTransform());
    QCOMPARE(m_panel->size(), QSize(1400, 900));
}

void tst_customGraphicsView::sameSizeIsNoOp()
{
    host(QRect(30, 40, 1000, 700), QSize(400, 300));
    QCOMPARE(m_view->geometry(), QRect(30, 40, 1000, 700));
    const QTransform marked(1, 0, 0, 1, 3, 4);
    m_view->setTransform(marked);
    const QRectF sceneRect = m_view->sceneRect();

    m_panel->setMinimumSize(1280, 800);
    m_view->updateGeometry(QRect(200, 100, 1000, 700));
    QCOMPARE(m_view->geometry(), QRect(30, 40, 1000, 700));
    QCOMPARE(m_view->transform(), marked);
    QCOMPARE(m_view->sceneRect(), sceneRect);

    // A size that only becomes equal after the cut at the maximum.
    m_panel->setMinimumSize(400, 300);
    m_panel->setMaximumSize(1000, 2000);
    m_view->updateGeometry(QRect(200, 100, 1500, 700));
    QCOMPARE(m_view->geometry(), QRect(30, 40, 1000, 700));
}

void tst_customGraphicsView::centring_data()
{
    QTest::addColumn<QRect>("panelRect");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("centred") << QRect(0, 0, 600, 200) << QRect(100, 200, 600, 200);
    QTest::newRow("odd remainder truncated") << QRect(0, 0, 501, 301) << QRect(149, 149, 501, 301);
    QTest::newRow("wider than the screen") << QRect(0, 0, 1000, 400) << QRect(0, 100, 1000, 400);
    QTest::newRow("taller than the screen") << QRect(0, 0, 500, 700) << QRect(150, 0, 500, 700);
    QTest::newRow("other position kept") << QRect(30, 40, 600, 200) << QRect(30, 40, 600, 200);
    QTest::newRow("left zero only is kept") << QRect(0, 40, 600, 200) << QRect(0, 40, 600, 200);
}

void tst_customGraphicsView::centring()
{
    QFETCH(QRect, panelRect);
    QFETCH(QRect, expected);

    m_view = std::make_unique<customGraphicsView>();
    m_panel = new Panel;
    m_panel->setGeometry(panelRect);
    QSignalSpy requests(m_view.get(), &customGraphicsView::updateRect);
    m_view->setWidget(m_panel);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().first().toRect(), expected);
    QCOMPARE(m_view->widget(), static_cast<QWidget *>(m_panel));

    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), expected);
    QCOMPARE(m_panel->geometry(), QRect(QPoint(0, 0), expected.size()));
}

void tst_customGraphicsView::grownPanelOpensAtItsSize_data()
{
    QTest::addColumn<QRect>("panelRect");
    QTest::addColumn<QSize>("grown");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("centred at the new size")
        << QRect(0, 0, 400, 300) << QSize(600, 450) << QRect(100, 75, 600, 450);
    QTest::newRow("held to the screen")
        << QRect(0, 0, 400, 300) << QSize(1000, 700) << QRect(0, 0, 800, 600);
    QTest::newRow("placed panel kept on the screen")
        << QRect(300, 200, 400, 300) << QSize(600, 450) << QRect(200, 150, 600, 450);
    QTest::newRow("no growth, no change")
        << QRect(300, 200, 400, 300) << QSize(100, 100) << QRect(300, 200, 400, 300);
}

// A panel that outgrows its rectangle while it is embedded would otherwise
// be drawn shrunk in a window of its old size.
void tst_customGraphicsView::grownPanelOpensAtItsSize()
{
    QFETCH(QRect, panelRect);
    QFETCH(QSize, grown);
    QFETCH(QRect, expected);
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 600));

    m_view = std::make_unique<customGraphicsView>();
    m_panel = new Panel;
    m_panel->setGeometry(panelRect);
    m_panel->minimumOnMove = grown;
    m_view->setWidget(m_panel);
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), expected);
}

// A view that already has the panel's size still takes its first position.
void tst_customGraphicsView::firstPlacementMovesSizedView()
{
    m_view = std::make_unique<customGraphicsView>();
    m_view->resize(600, 200);
    m_panel = new Panel;
    m_panel->setGeometry(0, 0, 600, 200);
    m_view->setWidget(m_panel);
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), QRect(100, 200, 600, 200));
}

void tst_customGraphicsView::uiChangeRequest()
{
    host(QRect(50, 60, 1000, 700), QSize(400, 300));
    emit m_view->UiChangeRequest(20, -10);
    QCOMPARE(m_view->geometry(), QRect(50, 60, 1000, 700));
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), QRect(50, 60, 1020, 690));
    QCOMPARE(m_panel->size(), QSize(1020, 690));
}

void tst_customGraphicsView::noPanel()
{
    customGraphicsView view;
    view.setGeometry(10, 20, 300, 200);
    view.updateGeometry(QRect(0, 0, 500, 400));
    view.UiChangeReqSlot(20, 20);
    QCOMPARE(view.geometry(), QRect(10, 20, 300, 200));
    QCOMPARE(view.transform(), QTransform());
}

void tst_customGraphicsView::closeIsConsumed()
{
    host(QRect(50, 60, 1000, 700), QSize(400, 300));
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    QSignalSpy requests(m_view.get(), &customGraphicsView::updateRect);

    QVERIFY(m_panel->close());
    QCOMPARE(m_panel->closeEvents, 0);
    QVERIFY(!m_view->isVisible());
    QVERIFY(!m_view->widget());
    QVERIFY(!(m_view->windowState() & Qt::WindowMinimized));

    // A request still queued for the closed panel changes nothing.
    const QRect before = m_view->geometry();
    m_view->updateGeometry(QRect(0, 0, 500, 400));
    QCOMPARE(m_view->geometry(), before);
    QCOMPARE(requests.size(), 0);
}

void tst_customGraphicsView::hideMinimisesAndShowReactivates()
{
    host(QRect(50, 60, 1000, 700), QSize(400, 300));
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    QCOMPARE(m_panel->windowState(), Qt::WindowActive);

    m_panel->showMinimized();
    QVERIFY(m_view->windowState() & Qt::WindowMinimized);

    m_view->hide();
    m_view->showNormal();
    QCOMPARE(m_panel->windowState(), Qt::WindowActive);
}

void tst_customGraphicsView::childResizeNotFiltered()
{
    host(QRect(50, 60, 1000, 700), QSize(400, 300));
    auto *child = new Panel;
    child->setParent(m_panel);
    child->show();
    QSignalSpy requests(m_view.get(), &customGraphicsView::updateRect);
    const int before = child->resizeEvents;

    child->resize(123, 45);
    QCOMPARE(child->resizeEvents, before + 1);
    QCOMPARE(child->size(), QSize(123, 45));
    QCOMPARE(requests.size(), 0);

    child->move(5, 6);
    QCOMPARE(child->pos(), QPoint(5, 6));
    QCOMPARE(m_view->pos(), QPoint(50, 60));
}

void tst_customGraphicsView::panelMoveAndResizeMirrored()
{
    host(QRect(50, 60, 1000, 700), QSize(400, 300));
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));

    m_panel->move(120, 130);
    QCOMPARE(m_view->pos(), QPoint(120, 130));
    // The move is consumed: the proxy item stays at the scene origin.
    const QList<QGraphicsItem *> items = m_view->scene()->items();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first()->pos(), QPointF(0, 0));
    m_panel->move(0, 0);
    QCOMPARE(m_view->pos(), QPoint(120, 130));

    const int resizes = m_panel->resizeEvents;
    QTest::ignoreMessage(
        QtDebugMsg, "--------------Resize size: QSize(900, 500)  rect: QRect(120,130 1000x700)");
    m_panel->resize(900, 500);
    // The view consumes the panel's resize and applies it later.
    QCOMPARE(m_panel->resizeEvents, resizes);
    QCOMPARE(m_view->size(), QSize(1000, 700));
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), QRect(120, 130, 900, 500));
    QCOMPARE(m_panel->geometry(), QRect(0, 0, 900, 500));
}

// Window lists name the program by the panel's title, also after it changes.
void tst_customGraphicsView::titleFollowsPanel()
{
    m_view = std::make_unique<customGraphicsView>();
    m_panel = new Panel;
    m_panel->setWindowTitle(QStringLiteral("Fenwarde"));
    m_view->setWidget(m_panel);
    QCOMPARE(m_view->windowTitle(), QStringLiteral("Fenwarde"));
    m_panel->setWindowTitle(QStringLiteral("Fenwarde - North gate"));
    QCOMPARE(m_view->windowTitle(), QStringLiteral("Fenwarde - North gate"));
}

void tst_customGraphicsView::fullScreenAndBack_data()
{
    QTest::addColumn<QSize>("minSize");
    QTest::addColumn<QSize>("panelSize");
    QTest::addColumn<qreal>("fullScale");

    QTest::newRow("screen larger than the minimum") << QSize(400, 300) << QSize(700, 500) << 1.0;
    QTest::newRow("screen smaller than the minimum") << QSize(1000, 750) << QSize(1000, 750) << 0.8;
}

void tst_customGraphicsView::fullScreenAndBack()
{
    QFETCH(QSize, minSize);
    QFETCH(QSize, panelSize);
    QFETCH(qreal, fullScale);

    host(QRect(QPoint(50, 60), panelSize), minSize);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    QCOMPARE(m_view->geometry(), QRect(QPoint(50, 60), panelSize));

    m_panel->showFullScreen();
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), QRect(0, 0, 800, 600));
    QVERIFY(m_panel->isFullScreen());
    QCOMPARE(m_view->savedWindowPosition(), QPoint(50, 60));
    QVERIFY(near(m_view->transform().m11(), fullScale));
    QVERIFY(near(m_view->transform().m22(), fullScale));

    // A further resize while the window covers the screen keeps the position
    // to return to.
    QResizeEvent again(QSize(800, 600), QSize(800, 600));
    QCoreApplication::sendEvent(m_panel, &again);
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), QRect(0, 0, 800, 600));
    QCOMPARE(m_view->savedWindowPosition(), QPoint(50, 60));

    m_panel->showNormal();
    QCoreApplication::processEvents();
    QVERIFY(!m_panel->isFullScreen());
    QCOMPARE(m_view->geometry(), QRect(QPoint(50, 60), panelSize));
    QCOMPARE(m_panel->geometry(), QRect(QPoint(0, 0), panelSize));
    QCOMPARE(m_view->transform(), QTransform());
    QCOMPARE(m_view->savedWindowPosition(), QPoint(0, 0));

    // And once more, to see that nothing stuck from the first round.
    m_panel->showFullScreen();
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), QRect(0, 0, 800, 600));
    m_panel->showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(m_view->geometry(), QRect(QPoint(50, 60), panelSize));
}

QTEST_MAIN(tst_customGraphicsView)
#include "tst_customgraphicsview.moc"
