#include "painterwidget.h"

#include "languagetable.h"
#include "samplecameras.h"
#include "scenecalculation.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(SceneParams)

namespace
{

const auto lanes = SampleCameras::lanes;

} // namespace

// The widget's side of a repaint: which signals it sends, in which order and
// with which texts. The numbers themselves are checked without a widget.
class tst_PainterWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void repaintSignals_data();
    void repaintSignals();
    void newWidgetDefaults();
    void setSceneParamsRepaints();
    void lanesColoursStay();

private:
    QTemporaryDir m_dir;
};

// Texts of our own, so the test knows which index each error text came from.
void tst_PainterWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("TST.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language>\n";
    for (int i = 0; i < 97; ++i)
        xml += "<string>text " + QByteArray::number(i) + "</string>\n";
    xml += "</language>\n";
    QCOMPARE(file.write(xml), qint64(xml.size()));
    file.close();
    loadLanguageTable(path);
    QCOMPARE(languageText(53), QStringLiteral("text 53"));
}

void tst_PainterWidget::cleanupTestCase()
{
    releaseLanguageTable();
}

void tst_PainterWidget::repaintSignals_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QStringList>("expectedOrder");
    QTest::addColumn<QString>("errorText");

    const QString range = QStringLiteral("range");
    const QString ident = QStringLiteral("identification");
    const QString error = QStringLiteral("error");
    SceneParams inside = lanes(15, 100, 80);
    SceneParams capture = lanes(15, 200, 100);
    capture.scenario = 3;
    capture.captureDistance = 12;
    capture.targetHeight = 1.7;
    SceneParams poleZero = lanes(15, 200, 100);
    poleZero.ipcHeight = 0;
    SceneParams targetAtPole = lanes(15, 200, 100);
    targetAtPole.scenario = 1;
    targetAtPole.targetHeight = 6;

    QTest::newRow("no error") << inside << QStringList{range, error} << QString();
    QTest::newRow("band cut") << lanes(15, 200, 100) << QStringList{range, error}
                              << QStringLiteral("text 53");
    QTest::newRow("capture point") << capture << QStringList{range, ident, error} << QString();
    QTest::newRow("lanes pole zero") << poleZero << QStringList{error} << QStringLiteral("text 51");
    QTest::newRow("person target at pole height")
        << targetAtPole << QStringList{error} << QStringLiteral("text 51");
}

void tst_PainterWidget::repaintSignals()
{
    QFETCH(SceneParams, params);
    QFETCH(QStringList, expectedOrder);
    QFETCH(QString, errorText);

    painterWidget widget(nullptr);
    widget.resize(640, 360);
    QStringList order;
    QList<QVariantList> ranges;
    QStringList errors;
    connect(&widget, &painterWidget::RangeValueSignal, this,
            [&](qreal L1, qreal W1, qreal L2, qreal W2, qreal L3, qreal W3, qreal L4, qreal W4) {
                order << QStringLiteral("range");
                ranges << QVariantList{L1, W1, L2, W2, L3, W3, L4, W4};
            });
    connect(&widget, &painterWidget::IdentificationPixelValue, this,
            [&]() { order << QStringLiteral("identification"); });
    connect(&widget, &painterWidget::error, this, [&](const QString &text) {
        order << QStringLiteral("error");
        errors << text;
    });
    QSignalSpy identifications(&widget, &painterWidget::IdentificationPixelValue);

    widget.setSceneParams(params);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    // One repaint, forced and finished here, whatever the exposure did.
    order.clear();
    ranges.clear();
    errors.clear();
    identifications.clear();
    widget.repaint();

    QCOMPARE(order, expectedOrder);
    QCOMPARE(errors, QStringList{errorText});
    // An empty text is still a text: null and empty must both read as "no error".
    QVERIFY(errors.constFirst().isEmpty() == errorText.isEmpty());

    const SceneResult expected = computeScene(params);
    if (!ranges.isEmpty()) {
        QCOMPARE(ranges.constFirst(),
                 (QVariantList{expected.L1, expected.W1, expected.L2, expected.W2, expected.L3,
                               expected.W3, expected.L4, expected.W4}));
    }
    if (!identifications.isEmpty()) {
        QCOMPARE(identifications.constFirst(),
                 (QVariantList{QStringLiteral("11 - 132px"), QStringLiteral("38 - 456px"),
                               QStringLiteral("4 - 52px"), QStringLiteral("10 - 442px")}));
    }
}

void tst_PainterWidget::newWidgetDefaults()
{
    QWidget parent;
    painterWidget widget(&parent);
    QCOMPARE(widget.parentWidget(), &parent);
    const SceneParams &p = widget.sceneParams();
    QCOMPARE(p.horizontalMount, false);
    QCOMPARE(p.scenario, 0);
    QCOMPARE(p.plateType, 0);
    QCOMPARE(p.lanesNum, 1);
    QCOMPARE(p.resolutionWidth, 0);
    QCOMPARE(p.focalLength, 0.0);
    QCOMPARE(p.ipcHeight, 0.0);
    QCOMPARE(p.captureDistance, 0.0);
}

void tst_PainterWidget::setSceneParamsRepaints()
{
    painterWidget widget(nullptr);
    widget.resize(640, 360);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QSignalSpy errors(&widget, &painterWidget::error);
    QSignalSpy ranges(&widget, &painterWidget::RangeValueSignal);
    QCoreApplication::processEvents();
    errors.clear();
    ranges.clear();

    const SceneParams params = lanes(15, 200, 100);
    widget.setSceneParams(params);
    // The record is taken at once; the repaint comes later, from the event loop.
    QCOMPARE(widget.sceneParams().pitchAngle, 15);
    QCOMPARE(errors.count(), 0);
    QTRY_COMPARE(errors.count(), 1);
    QCOMPARE(ranges.count(), 1);
    QCOMPARE(ranges.constFirst().at(0).toDouble(), computeScene(params).L1);
    QCOMPARE(widget.sceneResult().nearPixels, 132);

    // A hidden widget is not repainted and reports nothing.
    widget.hide();
    errors.clear();
    widget.setSceneParams(lanes(20, 200, 100));
    QCoreApplication::processEvents();
    QCOMPARE(errors.count(), 0);
}

// Once the widget has drawn the vehicle lanes, its other scenarios keep the
// lanes' footprint colour, as the legend's swatch shows.
void tst_PainterWidget::lanesColoursStay()
{
    painterWidget widget(nullptr);
    widget.resize(640, 360);
    const SceneParams person = SampleCameras::person();
    const QPoint swatch(55, 360 - 115 + 12);
    const auto swatchColour = [&](const SceneParams &params) {
        widget.setSceneParams(params);
        return widget.grab().toImage().pixelColor(swatch);
    };
    const QColor before = swatchColour(person);
    const QColor lanesColour = swatchColour(SampleCameras::lanes());
    QVERIFY(before != lanesColour);
    QCOMPARE(swatchColour(person), lanesColour);
}

QTEST_MAIN(tst_PainterWidget)
#include "tst_painterwidget.moc"
