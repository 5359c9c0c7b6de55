#include "iwidgetbase.h"
#include "lxclientbaselabel.h"
#include "lxclientbasewidget.h"

#include <QImage>
#include <QtTest>

#include <limits>

// A kit control that only records the scales it receives, in call order.
class ScaleRecorder : public QWidget, public IWidgetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase)

public:
    ScaleRecorder(const QString &name, QStringList *log, QWidget *parent)
        : QWidget(parent), m_log(log)
    {
        setObjectName(name);
    }
    void SetScale(qreal scale) override
    {
        m_log->append(QString("%1@%2").arg(objectName()).arg(scale));
    }

private:
    QStringList *m_log;
};

class tst_BaseWidget : public QObject
{
    Q_OBJECT

private slots:
    void heightIsTruncated_data();
    void heightIsTruncated();
    void onlyDirectKitChildrenAreScaled();
    void repeatedScalingDoesNotAccumulate();
    void backgroundColor();
};

void tst_BaseWidget::heightIsTruncated_data()
{
    QTest::addColumn<qreal>("baseHeight");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<int>("height");

    QTest::newRow("design 5 at 1") << 5.0 << 1.0 << 5;
    QTest::newRow("design 5 at 1.5 drops the half") << 5.0 << 1.5 << 7;
    QTest::newRow("design 5 at 2") << 5.0 << 2.0 << 10;
    QTest::newRow("design 40 at 1.5") << 40.0 << 1.5 << 60;
    QTest::newRow("design 33 at 0.5") << 33.0 << 0.5 << 16;
    QTest::newRow("negative scale gives 0") << 40.0 << -1.0 << 0;
    QTest::newRow("huge scale is clamped") << 40.0 << 1e300 << QWIDGETSIZE_MAX;
    QTest::newRow("not a number gives 0") << 40.0 << std::numeric_limits<qreal>::quiet_NaN() << 0;
}

void tst_BaseWidget::heightIsTruncated()
{
    QFETCH(qreal, baseHeight);
    QFETCH(qreal, scale);
    QFETCH(int, height);
    LxClientBaseWidget widget;
    QCOMPARE(widget.GetBaseWidth(), 1280.0);
    QCOMPARE(widget.GetBaseHeight(), 5.0);
    widget.SetBaseHeight(baseHeight);
    widget.SetScale(scale);
    // Qt itself keeps no minimum at QWIDGETSIZE_MAX, so only the maximum
    // tells the clamped height there.
    if (height != QWIDGETSIZE_MAX)
        QCOMPARE(widget.minimumHeight(), height);
    QCOMPARE(widget.maximumHeight(), height);
    // The width stays with the layout.
    QCOMPARE(widget.minimumWidth(), 0);
    QCOMPARE(widget.maximumWidth(), QWIDGETSIZE_MAX);
}

void tst_BaseWidget::onlyDirectKitChildrenAreScaled()
{
    QStringList log;
    LxClientBaseWidget widget;
    new ScaleRecorder("first", &log, &widget);
    auto *plain = new QWidget(&widget);
    new ScaleRecorder("insidePlain", &log, plain);
    auto *label = new LxClientBaseLabel(&widget);
    auto *grandchild = new LxClientBaseLabel(label);
    new ScaleRecorder("second", &log, &widget);

    widget.SetScale(1.5);

    QCOMPARE(log, QStringList({"first@1.5", "second@1.5"}));
    QCOMPARE(label->maximumHeight(), 60);
    // A label does not pass the factor on, so its own child keeps Qt's size.
    QCOMPARE(grandchild->maximumHeight(), QWIDGETSIZE_MAX);
    QCOMPARE(plain->maximumHeight(), QWIDGETSIZE_MAX);
}

void tst_BaseWidget::repeatedScalingDoesNotAccumulate()
{
    LxClientBaseWidget widget;
    auto *label = new LxClientBaseLabel(&widget);
    label->SetBaseWidth(30);
    widget.SetScale(2);
    widget.SetScale(2);
    QCOMPARE(widget.maximumHeight(), 10);
    QCOMPARE(label->maximumSize(), QSize(60, 80));
    widget.SetScale(1);
    QCOMPARE(widget.maximumHeight(), 5);
    QCOMPARE(label->maximumSize(), QSize(30, 40));
}

void tst_BaseWidget::backgroundColor()
{
    LxClientBaseWidget widget;
    widget.resize(20, 10);
    QCOMPARE(widget.GetBackgroundColor(), QString("#00bbd8"));
    QCOMPARE(widget.grab().toImage().pixelColor(10, 5), QColor(0x00, 0xbb, 0xd8));

    widget.SetBackgroundColor(QColor(46, 58, 72));
    QCOMPARE(widget.GetBackgroundColor(), QString("#ff2e3a48"));
    const QImage image = widget.grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(46, 58, 72));
    QCOMPARE(image.pixelColor(19, 9), QColor(46, 58, 72));
}

QTEST_MAIN(tst_BaseWidget)
#include "tst_basewidget.moc"
