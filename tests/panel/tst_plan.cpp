#include "languagetable.h"
#include "plancontroller.h"
#include "planfile.h"
#include "textid.h"
#include "widget.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

// A site planned in the window, kept in a file and opened again, and the
// files the window refuses to open or fails to save.
class tst_Plan : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void roundTrip();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void failedSaveKeepsOldFile();

private:
    std::unique_ptr<Widget> newPanel();
    void makeThreePoles();

    QTemporaryDir m_dir;
    std::unique_ptr<Widget> m_panel;
};

namespace
{

// Every parameter control as the user reads it.
QStringList controls(const Widget &panel)
{
    QStringList shown;
    for (const QAbstractSpinBox *box : panel.findChildren<QAbstractSpinBox *>())
        shown << box->objectName() + '=' + box->text() + (box->isEnabled() ? "" : " (off)");
    for (const QComboBox *list : panel.findChildren<QComboBox *>())
        shown << list->objectName() + '=' + list->currentText();
    return shown;
}

template <typename T> T *control(const Widget &panel, const char *name)
{
    T *child = panel.findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no %s", name);
    return child;
}

void choose(const Widget &panel, const char *list, const QString &text)
{
    auto *combo = control<QComboBox>(panel, list);
    combo->setCurrentIndex(combo->findText(text));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

void tst_Plan::init()
{
    loadLanguageTable(QCoreApplication::applicationDirPath() + "/language/ENU.xml");
    m_panel = newPanel();
}

void tst_Plan::cleanup()
{
    m_panel.reset();
}

std::unique_ptr<Widget> tst_Plan::newPanel()
{
    auto panel = std::make_unique<Widget>();
    panel->show();
    return panel;
}

// One pole per scenario, each with settings of its own.
void tst_Plan::makeThreePoles()
{
    const Widget &panel = *m_panel;
    control<QDoubleSpinBox>(panel, "m_dSpinBoxFocalLength")->setValue(20.5);
    control<QSpinBox>(panel, "m_spinBoxPitchAngle")->setValue(12);
    m_panel->plan()->addPole();
    choose(panel, "m_comboModel", languageText(TextId::ScenarioCapture));
    control<QDoubleSpinBox>(panel, "m_dSpinBoxCaptureDistanceValue")->setValue(30.25);
    choose(panel, "m_comboLicensePlateType", languageText(TextId::PlateType2));
    m_panel->plan()->addPole();
    choose(panel, "m_comboModel", languageText(TextId::ScenarioLanes));
    choose(panel, "m_comboSensorSize", "1/2.8''");
    choose(panel, "m_comboInstallModel", languageText(TextId::InstallModeTurned));
    control<QSpinBox>(panel, "m_spinBoxHorizontalAngle")->setValue(15);
    choose(panel, "m_comboResolution", "1280 * 720");
    control<QSpinBox>(panel, "m_spinBoxMaxPixels")->setValue(700);
    control<QSpinBox>(panel, "m_spinBoxMinPixels")->setValue(650);
    control<QSpinBox>(panel, "m_spinBoxLanesNum")->setValue(3);
    m_panel->plan()->describePole(2, QStringLiteral("Exit “B”"), QStringLiteral("by the\ngate"));
}

void tst_Plan::roundTrip()
{
    makeThreePoles();
    QVERIFY(m_panel->plan()->isModified());
    QVERIFY(m_panel->windowTitle().contains('*'));
    const QString file = m_dir.filePath("site.fenwarde");
    QString reason;
    QVERIFY2(m_panel->plan()->saveTo(file, &reason), qPrintable(reason));
    QVERIFY(!m_panel->plan()->isModified());
    QVERIFY(m_panel->windowTitle().startsWith("site "));

    const std::unique_ptr<Widget> reopened = newPanel();
    QVERIFY2(reopened->plan()->open(file, &reason), qPrintable(reason));
    QCOMPARE(reopened->plan()->plan().poles.size(), 3);
    QCOMPARE(reopened->plan()->plan().poles.at(2).note, QStringLiteral("by the\ngate"));
    for (int pole = 2; pole >= 0; --pole) {
        m_panel->plan()->choosePole(pole);
        reopened->plan()->choosePole(pole);
        QCOMPARE(controls(*reopened), controls(*m_panel));
    }
    QVERIFY(!reopened->plan()->isModified());
    QCOMPARE(PlanFile::text(reopened->plan()->plan()), contents(file));
}

void tst_Plan::badFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: made below by name
    QTest::addColumn<QString>("reason");
    // A new plan as the window saves it, spoilt in one place per row.
    QByteArray pole;
    {
        loadLanguageTable(QCoreApplication::applicationDirPath() + "/language/ENU.xml");
        const Widget panel;
        pole = PlanFile::text(panel.plan()->plan());
    }
    const auto spoilt = [&pole](const char *from, const char *to) {
        const QByteArray bytes = QByteArray(pole).replace(from, to);
        if (bytes == pole)
            qFatal("no %s in a new plan", from);
        return bytes;
    };
    QTest::newRow("not JSON") << QByteArray("{\"version\": 1,") << "not valid JSON";
    QTest::newRow("wrong type") << spoilt("\"note\": \"\"", "\"note\": 7")
                                << "\"note\" must be text";
    QTest::newRow("beyond the window") << spoilt("\"focalLength\": 12,", "\"focalLength\": 401,")
                                       << "\"focalLength\" must be from 1 to 400";
    QTest::newRow("more decimals than shown")
        << spoilt("\"focalLength\": 12,", "\"focalLength\": 12.345,")
        << "\"focalLength\" has more than the 2 decimals";
    QTest::newRow("newer format") << spoilt("\"version\": 1", "\"version\": 2")
                                  << "plan format 2, from a newer Fenwarde";
    QTest::newRow("huge") << QByteArray(PlanFile::MaxBytes + 1, ' ') << "larger than";
    QTest::newRow("folder") << QByteArray() << "it is a folder";
    QTest::newRow("named pipe") << QByteArray() << "it is a named pipe";
}

void tst_Plan::badFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    makeThreePoles();
    const QByteArray plan = PlanFile::text(m_panel->plan()->plan());
    const QStringList shown = controls(*m_panel);
    const QString path = m_dir.filePath(QTest::currentDataTag());
    if (reason.contains("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (reason.contains("pipe")) {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    QString why;
    QVERIFY(!m_panel->plan()->open(path, &why));
    QVERIFY2(why.contains(reason), qPrintable(why));
    QCOMPARE(PlanFile::text(m_panel->plan()->plan()), plan);
    QCOMPARE(controls(*m_panel), shown);
    QVERIFY(m_panel->plan()->isModified());
    QVERIFY(m_panel->plan()->path().isEmpty());
    const QFileInfo left(path);
    QVERIFY(left.isDir() || (!left.isFile() && left.exists()) || contents(path) == bytes);
}

void tst_Plan::failedSaveKeepsOldFile()
{
    const QString file = m_dir.filePath("kept.fenwarde");
    QString reason;
    QVERIFY(m_panel->plan()->saveTo(file, &reason));
    const QByteArray saved = contents(file);
    makeThreePoles();
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit full = before;
    // Room for less than the plan: as a full disk would.
    full.rlim_cur = rlim_t(saved.size());
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
    const bool written = m_panel->plan()->saveTo(file, &reason);
    setrlimit(RLIMIT_FSIZE, &before);
    QVERIFY(!written);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(contents(file), saved);
    QVERIFY(m_panel->plan()->isModified());
}

QTEST_MAIN(tst_Plan)
#include "tst_plan.moc"
