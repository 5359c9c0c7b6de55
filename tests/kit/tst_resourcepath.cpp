#include "resourcepath.h"

#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <QtTest>

class tst_ResourcePath : public QObject
{
    Q_OBJECT

private slots:
    void paths_data();
    void paths();
    void skinPicturesAreCompiledIn_data();
    void skinPicturesAreCompiledIn();
};

void tst_ResourcePath::paths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("suffix");
    QTest::addColumn<QString>("expected");

    QTest::newRow("png with suffix")
        << "playback/TimeDown" << int(Png) << true << ":/res/darkgreen/png/playback/TimeDown.png";
    QTest::newRow("png without suffix")
        << "playback/TimeUp" << int(Png) << false << ":/res/darkgreen/png/playback/TimeUp";
    QTest::newRow("icon") << "app" << int(Icon) << true << ":/icon/res/darkgreen/icon/app.icon";
    QTest::newRow("qss without suffix")
        << "info" << int(Qss) << false << ":/qss/res/darkgreen/info";
    QTest::newRow("qss with suffix")
        << "main" << int(Qss) << true << ":/qss/res/darkgreen/main.qss";
    QTest::newRow("gif") << "busy" << int(Gif) << true << ":/res/darkgreen/png/busy.gif";
    QTest::newRow("bmp") << "back" << int(Bmp) << true << ":/res/darkgreen/png/back.bmp";
    QTest::newRow("svg") << "common/CustomDialog/info" << int(Svg) << true
                         << ":/res/darkgreen/png/common/CustomDialog/info.svg";
    QTest::newRow("unknown kind") << "x" << 6 << true << "";
    QTest::newRow("negative kind") << "x" << -1 << false << "";
}

void tst_ResourcePath::paths()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(bool, suffix);
    QFETCH(QString, expected);
    QCOMPARE(GetResourcePath(name, static_cast<ResourceKind>(kind), suffix), expected);
}

void tst_ResourcePath::skinPicturesAreCompiledIn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");

    // Labels take their design size from these pictures.
    QTest::newRow("up arrow") << "playback/TimeUp" << QSize(32, 32);
    QTest::newRow("down arrow") << "playback/TimeDown" << QSize(32, 32);
    QTest::newRow("info") << "common/CustomDialog/info" << QSize(48, 48);
    QTest::newRow("success") << "common/CustomDialog/success" << QSize(48, 48);
    QTest::newRow("failed") << "common/CustomDialog/failed" << QSize(48, 48);
    QTest::newRow("dialog close") << "common/CustomDialog/dialog-closebutton" << QSize(32, 32);
}

void tst_ResourcePath::skinPicturesAreCompiledIn()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage png(GetResourcePath(name, Png, true));
    QCOMPARE(png.size(), size);
    QSvgRenderer svg(GetResourcePath(name, Svg, true));
    QVERIFY(svg.isValid());
}

QTEST_MAIN(tst_ResourcePath)
#include "tst_resourcepath.moc"
