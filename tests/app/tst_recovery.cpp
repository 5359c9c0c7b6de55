#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// An unsaved change outlives a killed program: the recovery copy written
// after it is offered at the next start and brings the change back.
class tst_Recovery : public QObject
{
    Q_OBJECT

private slots:
    void changeSurvivesKill();
};

void tst_Recovery::changeSurvivesKill()
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    QProcess program;
    program.setProcessEnvironment(environment);
    // The panel logs every control's size; unread, that would fill the pipe.
    program.setStandardErrorFile(QProcess::nullDevice());
    const QString driver = QCoreApplication::applicationDirPath() + "/recovery-driver";

    program.start(driver, {"change"});
    // Each try reads what came since the one before.
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += program.readAllStandardOutput()).contains("changed"), 20000);
    const QDir copies(home.filePath("data/fenwarde/recovery"));
    QTRY_VERIFY_WITH_TIMEOUT(!copies.entryList({"*.fenwarde"}, QDir::Files).isEmpty(), 10000);
    program.kill();
    QVERIFY(program.waitForFinished(10000));

    program.start(driver, {"restore"});
    QVERIFY(program.waitForFinished(30000));
    const QString shown = QString::fromUtf8(program.readAllStandardOutput()).trimmed();
    QVERIFY2(shown.startsWith("33.3 New site * "), qPrintable(shown));
}

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
