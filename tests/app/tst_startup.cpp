#include "languagefile.h"
#include "startupsettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// Which language file start-up picks, and how the program ends when there is
// none.
class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void chooseFile_data();
    void chooseFile();
    void missingFolder();
    void exitsWithoutLanguageFile_data();
    void exitsWithoutLanguageFile();
    void rememberedLanguageReadsBack_data();
    void rememberedLanguageReadsBack();
};

namespace
{
void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<texts/>");
}
} // namespace

void tst_Startup::chooseFile_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected"); // file name in the language folder, or empty

    QTest::newRow("stored code has a file")
        << QStringList{"CHS.xml", "ENU.xml"} << QStringList() << "ENU"
        << "ENU.xml";
    QTest::newRow("unknown code falls back to the only file")
        << QStringList{"CHS.xml"} << QStringList() << "DEU"
        << "CHS.xml";
    QTest::newRow("suffix is case-sensitive")
        << QStringList{"notes.XML"} << QStringList() << "DEU" << QString();
    QTest::newRow("last suffix counts") << QStringList{"a.b.xml"} << QStringList() << "DEU"
                                        << "a.b.xml";
    QTest::newRow("folders do not count")
        << QStringList() << QStringList{"x.xml"} << "DEU" << QString();
    QTest::newRow("folder at the wanted path is taken as it stands")
        << QStringList() << QStringList{"ENU.xml"} << "ENU"
        << "ENU.xml";
    QTest::newRow("no xml file even for the default code")
        << QStringList{"readme.txt"} << QStringList() << "ENU" << QString();
    QTest::newRow("empty stored code") << QStringList{"ENU.xml"} << QStringList() << ""
                                       << "ENU.xml";
}

void tst_Startup::chooseFile()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QString, code);
    QFETCH(QString, expected);

    QTemporaryDir app;
    QVERIFY(app.isValid());
    QDir(app.path()).mkdir("language");
    const QString folder = app.path() + "/language";
    for (const QString &name : files)
        touch(folder + '/' + name);
    for (const QString &name : folders)
        QVERIFY(QDir(folder).mkdir(name));

    const QString chosen = findLanguageFile(app.path(), code);
    if (expected.isEmpty())
        QVERIFY2(chosen.isEmpty(), qPrintable(chosen));
    else
        QCOMPARE(chosen, folder + '/' + expected);
}

void tst_Startup::missingFolder()
{
    QTemporaryDir app;
    QVERIFY(app.isValid());
    QVERIFY(findLanguageFile(app.path(), "ENU").isEmpty());
}

void tst_Startup::exitsWithoutLanguageFile_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("pipe"); // a settings file that is a named pipe
    QTest::newRow("no language folder") << QStringList() << QString();
    QTest::newRow("only a file with an upper-case suffix") << QStringList{"ENU.XML"} << QString();
    QTest::newRow("start-up store is a named pipe")
        << QStringList() << QStringLiteral("config/velmora/Fenwarde.conf");
    QTest::newRow("organisation-wide file is a named pipe")
        << QStringList() << QStringLiteral("xdg/velmora.conf");
}

// The program itself, copied away from its language folder, must end at once
// with exit code 1 and without opening a window.
void tst_Startup::exitsWithoutLanguageFile()
{
    QFETCH(QStringList, files);
    QFETCH(QString, pipe);

    const QString program = QCoreApplication::applicationDirPath() + "/fenwarde";
    QVERIFY(QFile::exists(program));
    QTemporaryDir app;
    QVERIFY(app.isValid());
    const QString copy = app.path() + "/fenwarde";
    QVERIFY(QFile::copy(program, copy));
    if (!files.isEmpty()) {
        QDir(app.path()).mkdir("language");
        for (const QString &name : files)
            touch(app.path() + "/language/" + name);
    }

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), app.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), app.filePath(QStringLiteral("xdg")));
    process.setProcessEnvironment(environment);
    if (!pipe.isEmpty()) {
        const QString path = app.filePath(pipe);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    process.start(copy, QStringList());
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
}

void tst_Startup::rememberedLanguageReadsBack_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("like a typed value") << "@Rect(1 2 3 4)";
    QTest::newRow("like a list") << "DEU, FRA";
    QTest::newRow("quotes, escapes and hex digits") << "\"a\\x41;\xc3\xa9\"";
}

// A code the start-up store is given reads back as exactly that text, by
// start-up and by QSettings alike.
void tst_Startup::rememberedLanguageReadsBack()
{
    QFETCH(QString, code);
    StartupSettings::rememberLanguage(code);
    QCOMPARE(StartupSettings::storedLanguage(), code);
    const QVariant stored = QSettings(QStringLiteral("velmora"), QStringLiteral("Fenwarde"))
                                .value(QStringLiteral("language"));
    QCOMPARE(stored, QVariant(code));
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
