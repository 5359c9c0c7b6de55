#include "screenscale.h"

#include <QWidget>
#include <QtTest>

#include <limits>

class tst_ScreenScale : public QObject
{
    Q_OBJECT

private slots:
    void buckets_data();
    void buckets();
    void screenOfWidget();
    void noWidget();
};

void tst_ScreenScale::buckets_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("bucket");
    QTest::addColumn<qreal>("popupBucket");

    const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
    QTest::newRow("zero") << 0.0 << 3.0 << 3.0;
    QTest::newRow("negative") << -1.0 << 3.0 << 3.0;
    QTest::newRow("not a number") << nan << 3.0 << 3.0;
    QTest::newRow("tiny") << 1e-9 << 0.5 << 0.5;
    QTest::newRow("0.75 inclusive") << 0.75 << 0.5 << 0.5;
    QTest::newRow("just above 0.75") << 0.7500001 << 1.0 << 1.0;
    QTest::newRow("96 dpi") << 1.0 << 1.0 << 1.0;
    QTest::newRow("120 dpi is exactly 1.25") << 120.0 / 96.0 << 1.0 << 1.0;
    QTest::newRow("just above 1.25") << 1.2500001 << 1.5 << 1.5;
    QTest::newRow("144 dpi") << 1.5 << 1.5 << 1.5;
    QTest::newRow("1.75 inclusive") << 1.75 << 1.5 << 1.5;
    QTest::newRow("just above 1.75") << 1.7500001 << 2.0 << 2.0;
    QTest::newRow("192 dpi") << 2.0 << 2.0 << 2.0;
    QTest::newRow("2.25 inclusive") << 2.25 << 2.0 << 2.0;
    QTest::newRow("just above 2.25") << 2.2500001 << 3.0 << 2.5;
    QTest::newRow("240 dpi") << 2.5 << 3.0 << 2.5;
    QTest::newRow("just above 2.5") << 2.5000001 << 3.0 << 3.0;
    QTest::newRow("300 dpi") << 300.0 / 96.0 << 3.0 << 3.0;
    QTest::newRow("huge") << 1e9 << 3.0 << 3.0;
}

void tst_ScreenScale::buckets()
{
    QFETCH(qreal, ratio);
    QFETCH(qreal, bucket);
    QFETCH(qreal, popupBucket);
    QCOMPARE(ScaleBucketForRatio(ratio), bucket);
    QCOMPARE(ScaleBucketForRatio(ratio, false), bucket);
    QCOMPARE(ScaleBucketForRatio(ratio, true), popupBucket);
}

void tst_ScreenScale::screenOfWidget()
{
    // The headless screen reports 100 dpi, ratio 1.04.
    QWidget widget;
    widget.resize(100, 100);
    widget.show();
    QCOMPARE(GetScreenScale(&widget), 1.0);
    QCOMPARE(ScreenScaleOf(QGuiApplication::primaryScreen()), 1.0);
}

void tst_ScreenScale::noWidget()
{
    QCOMPARE(GetScreenScale(nullptr), 0.0);
    QCOMPARE(ScreenScaleOf(nullptr), 0.0);
}

QTEST_MAIN(tst_ScreenScale)
#include "tst_screenscale.moc"
