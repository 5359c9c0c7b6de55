#include "colourcontrast.h"
#include "custommenubar.h"
#include "densityzonesaction.h"
#include "icolorconfig.h"
#include "ifontconfig.h"
#include "languagetable.h"
#include "lxclientbaselabel.h"
#include "lxclienticonpushbtn.h"
#include "textid.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QLockFile>
#include <QMenu>
#include <QMouseEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>
#include <thread>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace
{
const QString kMaxIcon = QStringLiteral(":/res/darkgreen/png/home/Header/max.svg");
const QString kRestoreIcon = QStringLiteral(":/res/darkgreen/png/home/Header/restore.svg");

// Display names as a language file gives them at 64..96.
QMap<QString, int> codeIndices()
{
    return {{"CHS", 64}, {"CHT", 65}, {"CSY", 66}, {"DAN", 67}, {"ENU", 68}, {"FIN", 69},
            {"FRA", 70}, {"DEU", 71}, {"ELL", 72}, {"HEB", 73}, {"HUN", 74}, {"ITA", 75},
            {"JPN", 76}, {"PLK", 77}, {"PTG", 78}, {"RUS", 79}, {"ESN", 80}, {"THA", 81},
            {"SLV", 82}, {"ROM", 83}, {"BRG", 84}, {"ARA", 85}, {"HIN", 86}, {"VIE", 87},
            {"HOL", 88}, {"TUR", 89}, {"SVE", 91}, {"KOR", 92}, {"IND", 93}, {"PTB", 94},
            {"UKA", 95}, {"POS", 96}};
}

QSettings *titleBarStore()
{
    return new QSettings(QStringLiteral("KORVANT"), QStringLiteral("Fenwarde"));
}

QVariant storedLanguage()
{
    const std::unique_ptr<QSettings> store(titleBarStore());
    return store->value(QStringLiteral("language"));
}

QString storeFile()
{
    const std::unique_ptr<QSettings> store(titleBarStore());
    return store->fileName();
}

// The "language" line of the store's file as it stands on disk.
QByteArray storedLine()
{
    QFile file(storeFile());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("language="))
            return line;
    }
    return QByteArray();
}

void setStoredLanguage(const QVariant &value)
{
    const std::unique_ptr<QSettings> store(titleBarStore());
    if (value.isValid())
        store->setValue(QStringLiteral("language"), value);
    else
        store->remove(QStringLiteral("language"));
}

// A top-level window that counts the double clicks its children pass on.
class Window : public QWidget
{
public:
    int doubleClicks = 0;

protected:
    void mouseDoubleClickEvent(QMouseEvent *) override { ++doubleClicks; }
};

void sendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButton button, const QPoint &local,
               const QPoint &global)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
} // namespace

// The title bar: its language list, what it stores, the window operations it
// drives and how the about dialog's bar differs.
class tst_customMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void languageList_data();
    void languageList();
    void reopeningDoesNotDuplicate();
    void choosingStoresAtDestruction();
    void aboutEntry();
    void densityZonesSwitch();
    void sameDisplayTextPicksFirstCode();
    void storeRules_data();
    void storeRules();
    void unreadableStoredValue_data();
    void unreadableStoredValue();
    void lockedStore_data();
    void lockedStore();
    void storeFileKept_data();
    void storeFileKept();
    void hostileStoreFiles_data();
    void hostileStoreFiles();
    void drag();
    void fullScreenToggle();
    void doubleClick_data();
    void doubleClick();
    void aboutBarLook();
    void form();
    void buttonLook_data();
    void buttonLook();
    void titleLook();
    void helpMenu();
    void menuReadable();
    void hideAndClose();
    void shippedLanguagesListed();

private:
    void loadTable(const QMap<int, QString> &overrides = {});
    // Empty files of these names in the language folder.
    void addFiles(const QStringList &names);
    QStringList menuTexts(customMenuBar &bar) const;

    QTemporaryDir m_dir;
    QString m_folder;
};

void tst_customMenuBar::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_customMenuBar::init()
{
    static int round = 0;
    m_folder = m_dir.filePath(QStringLiteral("language%1").arg(++round));
    QVERIFY(QDir().mkpath(m_folder));
    setStoredLanguage(QVariant());
    loadTable();
}

void tst_customMenuBar::cleanup()
{
    releaseLanguageTable();
    // The start-up store is never written by a title bar.
    QSettings startup(QStringLiteral("velmora"), QStringLiteral("Fenwarde"));
    QVERIFY(startup.allKeys().isEmpty());
}

void tst_customMenuBar::loadTable(const QMap<int, QString> &overrides)
{
    QByteArray xml = "<texts>";
    const QMap<QString, int> codes = codeIndices();
    for (int i = 0; i < TextId::Count; ++i) {
        QString text = QStringLiteral("text %1").arg(i);
        if (i == TextId::MenuLanguage)
            text = QStringLiteral("Language");
        else if (i == TextId::MenuAbout)
            text = QStringLiteral("About");
        else if (i >= TextId::FirstLanguageName)
            text = QStringLiteral("name of %1").arg(codes.key(i, QStringLiteral("POS")));
        text = overrides.value(i, text);
        xml += "<string>" + text.toUtf8() + "</string>";
    }
    xml += "</texts>";
    const QString path = m_dir.filePath(QStringLiteral("table.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(xml);
    file.close();
    loadLanguageTable(path);
    QCOMPARE(currentLanguageTable()->count, int(TextId::Count));
}

void tst_customMenuBar::addFiles(const QStringList &names)
{
    for (const QString &name : names) {
        QFile file(QDir(m_folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

QStringList tst_customMenuBar::menuTexts(customMenuBar &bar) const
{
    QStringList texts;
    const QList<QAction *> actions = bar.languageMenu()->actions();
    for (const QAction *action : actions)
        texts << action->text() + (action->isChecked() ? QStringLiteral(" *") : QString());
    return texts;
}

void tst_customMenuBar::languageList_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("checked");

    QTest::newRow("two files, stored one checked")
        << QStringList{"ENU.xml", "DEU.xml"} << QStringList{} << "DEU" << QStringList{"ENU", "DEU"}
        << "DEU";
    QTest::newRow("case of code and suffix")
        << QStringList{"enu.xml", "ENU.XML", "ENU.Xml", "XYZ.xml", "FRA.xml"} << QStringList{}
        << "FRA" << QStringList{"FRA"} << "FRA";
    QTest::newRow("folders named like files")
        << QStringList{"CHS.xml"} << QStringList{"ENU.xml", "DEU.xml"} << "ENU"
        << QStringList{"CHS"} << "";
    QTest::newRow("other names skipped")
        << QStringList{"ENU.xml.xml", "a.ENU.xml", "ENU",    "ENU.txt",
                       "ENUxml",      ".ENU.xml",  "CHT.xml"}
        << QStringList{} << "ENU" << QStringList{"CHT"} << "";
    QTest::newRow("stored code unknown") << QStringList{"ENU.xml", "CHS.xml"} << QStringList{}
                                         << "Klingon" << QStringList{"ENU", "CHS"} << "";
    QTest::newRow("stored empty") << QStringList{"ENU.xml"} << QStringList{} << ""
                                  << QStringList{"ENU"} << "";
    QTest::newRow("POS once") << QStringList{"POS.xml", "SVE.xml"} << QStringList{} << "POS"
                              << QStringList{"POS", "SVE"} << "POS";
    QTest::newRow("empty folder") << QStringList{} << QStringList{} << "ENU" << QStringList{} << "";
}

void tst_customMenuBar::languageList()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QString, stored);
    QFETCH(QStringList, listed);
    QFETCH(QString, checked);

    const QDir dir(m_folder);
    addFiles(files);
    for (const QString &name : folders)
        QVERIFY(dir.mkdir(name));
    setStoredLanguage(stored);

    customMenuBar bar;
    bar.setLanguageFolder(m_folder);
    bar.initTitleBar(true);
    emit bar.helpMenu()->aboutToShow();

    // The list follows the order in which the folder yields its entries.
    QStringList expected;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    for (const QString &entry : entries) {
        const QString code = entry.left(entry.size() - 4);
        if (files.contains(entry) && listed.contains(code) && entry == code + ".xml")
            expected << QStringLiteral("name of %1").arg(code) +
                            (code == checked ? QStringLiteral(" *") : QString());
    }
    QCOMPARE(expected.size(), listed.size());
    QCOMPARE(menuTexts(bar), expected);

    // Only the current language carries the tick.
    const QList<QAction *> actions = bar.languageMenu()->actions();
    for (const QAction *action : actions) {
        QVERIFY(action->isCheckable());
        QVERIFY(action->actionGroup());
        QVERIFY(action->actionGroup()->isExclusive());
        QCOMPARE(!action->icon().isNull(), action->isChecked());
    }
}

void tst_customMenuBar::reopeningDoesNotDuplicate()
{
    addFiles({"ENU.xml", "CHS.xml", "DEU.xml"});
    customMenuBar bar;
    bar.setLanguageFolder(m_folder);
    bar.initTitleBar(true);
    emit bar.helpMenu()->aboutToShow();
    const QStringList first = menuTexts(bar);
    QCOMPARE(first.size(), 3);
    emit bar.helpMenu()->aboutToShow();
    emit bar.helpMenu()->aboutToShow();
    QCOMPARE(menuTexts(bar), first);
    QCOMPARE(bar.languageMenu()->actions().first()->actionGroup()->actions().size(), 3);

    // A file removed while the program runs leaves the list at the next
    // opening.
    QVERIFY(QFile::remove(QDir(m_folder).filePath(QStringLiteral("CHS.xml"))));
    emit bar.helpMenu()->aboutToShow();
    QCOMPARE(menuTexts(bar).size(), 2);
    QVERIFY(!menuTexts(bar).contains(QStringLiteral("name of CHS")));
}

void tst_customMenuBar::choosingStoresAtDestruction()
{
    addFiles({"ENU.xml", "DEU.xml"});
    {
        customMenuBar bar;
        bar.setLanguageFolder(m_folder);
        bar.initTitleBar(true);
        QCOMPARE(bar.language(), QStringLiteral("ENU"));
        auto *title = bar.findChild<LxClientBaseLabel *>(QStringLiteral("m_labTitle"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("text 48"));

        emit bar.helpMenu()->aboutToShow();
        QAction *german = nullptr;
        const QList<QAction *> actions = bar.languageMenu()->actions();
        for (QAction *action : actions) {
            if (action->text() == QLatin1String("name of DEU"))
                german = action;
        }
        QVERIFY(german);
        emit bar.helpMenu()->triggered(german);

        QCOMPARE(bar.language(), QStringLiteral("DEU"));
        // The tick moves with the choice.
        for (const QAction *action : actions)
            QCOMPARE(!action->icon().isNull(), action == german);
        QCOMPARE(title->text(), QStringLiteral("text 48"));
        QCOMPARE(languageText(TextId::ProgramName), QStringLiteral("text 48"));
        QVERIFY(!storedLanguage().isValid());
    }
    QCOMPARE(storedLanguage().toString(), QStringLiteral("DEU"));
}

void tst_customMenuBar::aboutEntry()
{
    setStoredLanguage(QStringLiteral("FRA"));
    {
        customMenuBar bar;
        bar.initTitleBar(true);
        QSignalSpy about(&bar, &customMenuBar::aboutReq);
        const QList<QAction *> entries = bar.helpMenu()->actions();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0)->text(), QStringLiteral("Language"));
        QCOMPARE(entries.at(0)->menu(), bar.languageMenu());
        QCOMPARE(entries.at(2)->text(), QStringLiteral("About"));

        entries.at(2)->trigger();
        QCOMPARE(about.size(), 1);
        entries.at(0)->trigger();
        QCOMPARE(about.size(), 1);
        QCOMPARE(bar.language(), QStringLiteral("FRA"));
    }
    QCOMPARE(storedLanguage().toString(), QStringLiteral("FRA"));
}

// Off until chosen, remembered at once for the next start, and no language
// choice; the about dialog's bar has no such switch.
void tst_customMenuBar::densityZonesSwitch()
{
    setStoredLanguage(QStringLiteral("FRA"));
    {
        customMenuBar bar;
        bar.initTitleBar(true);
        customMenuBar aboutBar;
        aboutBar.initTitleBar(false);
        QVERIFY(!aboutBar.densityZones());
        QAction *zones = bar.helpMenu()->actions().at(1);
        QCOMPARE(zones, bar.densityZones()->action());
        QCOMPARE(zones->text(), languageText(TextId::MenuDensityZones));
        QVERIFY(zones->isCheckable() && !zones->isChecked());
        zones->trigger();
        QCOMPARE(bar.language(), QStringLiteral("FRA"));

        customMenuBar next;
        next.initTitleBar(true);
        QVERIFY(next.densityZones()->isChecked());
    }
    QCOMPARE(storedLanguage().toString(), QStringLiteral("FRA"));
    const std::unique_ptr<QSettings> store(titleBarStore());
    QCOMPARE(store->value(QStringLiteral("densityZones")).toString(), QStringLiteral("true"));
    store->remove(QStringLiteral("densityZones"));
}

void tst_customMenuBar::sameDisplayTextPicksFirstCode()
{
    loadTable({{68, "Shared"}, {71, "Shared"}, {64, "Shared"}, {95, "Shared"}});
    {
        customMenuBar bar;
        bar.initTitleBar(true);
        QAction shared(QStringLiteral("Shared"));
        bar.actionTriggered(&shared);
        QCOMPARE(bar.language(), QStringLiteral("CHS"));

        QAction unknown(QStringLiteral("Esperanto"));
        bar.actionTriggered(&unknown);
        QCOMPARE(bar.language(), QString());
    }
    // A chosen entry is stored as it is, even an empty code.
    QCOMPARE(storedLanguage(), QVariant(QString()));
}

void tst_customMenuBar::storeRules_data()
{
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QString>("mainChoice");
    QTest::addColumn<bool>("mainFirst");
    QTest::addColumn<QVariant>("externalWrite");
    QTest::addColumn<QString>("after");

    const QVariant none;
    QTest::newRow("unused bars, no key") << none << "" << true << none << "ENU";
    QTest::newRow("unused bars keep stored code") << QVariant("DEU") << "" << true << none << "DEU";
    QTest::newRow("choice survives about bar destroyed last")
        << none << "name of FRA" << true << none << "FRA";
    QTest::newRow("choice survives about bar destroyed first")
        << none << "name of FRA" << false << none << "FRA";
    QTest::newRow("choosing the stored code again")
        << QVariant("DEU") << "name of DEU" << true << QVariant("ITA") << "DEU";
    QTest::newRow("newer value from elsewhere kept")
        << QVariant("DEU") << "" << true << QVariant("ITA") << "ITA";
    QTest::newRow("own choice beats older value")
        << QVariant("DEU") << "name of CHS" << false << QVariant("ITA") << "CHS";
}

void tst_customMenuBar::storeRules()
{
    QFETCH(QVariant, before);
    QFETCH(QString, mainChoice);
    QFETCH(bool, mainFirst);
    QFETCH(QVariant, externalWrite);
    QFETCH(QString, after);

    setStoredLanguage(before);
    auto mainBar = std::make_unique<customMenuBar>();
    mainBar->initTitleBar(true);
    auto aboutBar = std::make_unique<customMenuBar>();
    aboutBar->initTitleBar(false);
    if (!mainChoice.isEmpty()) {
        QAction entry(mainChoice);
        mainBar->actionTriggered(&entry);
    }
    if (externalWrite.isValid())
        setStoredLanguage(externalWrite);
    if (mainFirst) {
        mainBar.reset();
        aboutBar.reset();
    } else {
        aboutBar.reset();
        mainBar.reset();
    }
    QCOMPARE(storedLanguage().toString(), after);
}

void tst_customMenuBar::unreadableStoredValue_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("list") << QByteArray("DEU, FRA") << "" << QByteArray("DEU, FRA");
    QTest::newRow("rectangle") << QByteArray("@Rect(0 0 10 20)") << ""
                               << QByteArray("@Rect(0 0 10 20)");
    QTest::newRow("byte array") << QByteArray("@ByteArray(DEU)") << ""
                                << QByteArray("@ByteArray(DEU)");
    QTest::newRow("plain code") << QByteArray("DEU") << "" << QByteArray("DEU");
    QTest::newRow("list, language picked")
        << QByteArray("DEU, FRA") << "name of ITA" << QByteArray("ITA");
    QTest::newRow("byte array, language picked")
        << QByteArray("@ByteArray(DEU)") << "name of ITA" << QByteArray("ITA");
}

// A value in the store that is not plain text is left as it was written,
// unless the user picks a language.
void tst_customMenuBar::unreadableStoredValue()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, choice);
    QFETCH(QByteArray, after);

    QFile file(storeFile());
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[General]\nlanguage=" + written + "\n");
    file.close();
    {
        customMenuBar mainBar;
        mainBar.initTitleBar(true);
        customMenuBar aboutBar;
        aboutBar.initTitleBar(false);
        if (!choice.isEmpty()) {
            QAction entry(choice);
            mainBar.actionTriggered(&entry);
        }
    }
    QCOMPARE(storedLine(), "language=" + after);
}

void tst_customMenuBar::lockedStore_data()
{
    QTest::addColumn<QString>("lock");
    QTest::addColumn<int>("freedAfterMs"); // -1: never
    QTest::addColumn<QString>("after");

    QTest::newRow("folder") << "folder" << -1 << "DEU";
    QTest::newRow("old folder") << "old folder" << -1 << "DEU";
    QTest::newRow("held by a running process") << "held" << -1 << "DEU";
    QTest::newRow("folder removed while waiting") << "folder" << 500 << "FRA";
    QTest::newRow("left by a process that ended") << "dead" << -1 << "FRA";
}

// A lock on the store that stays makes the bar give up its write after a
// bounded wait, with a warning, instead of hanging the program at exit.
void tst_customMenuBar::lockedStore()
{
    QFETCH(QString, lock);
    QFETCH(int, freedAfterMs);
    QFETCH(QString, after);

    setStoredLanguage(QStringLiteral("DEU"));
    const QString lockPath = storeFile() + QStringLiteral(".lock");
    QLockFile holder(lockPath);
    if (lock == QLatin1String("held")) {
        QVERIFY(holder.tryLock(0));
    } else if (lock == QLatin1String("dead")) {
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2147483646\nfenwarde\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    } else {
        QVERIFY(QDir().mkpath(lockPath));
        if (lock == QLatin1String("old folder")) {
            const timeval hourAgo{QDateTime::currentSecsSinceEpoch() - 3600, 0};
            const timeval times[2] = {hourAgo, hourAgo};
            QCOMPARE(::utimes(QFile::encodeName(lockPath).constData(), times), 0);
        }
    }
    std::thread freer;
    if (freedAfterMs >= 0) {
        freer = std::thread([lockPath, freedAfterMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(freedAfterMs));
            QDir().rmdir(lockPath);
        });
    }
    if (after == QLatin1String("DEU"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not saved")));
    {
        customMenuBar bar;
        bar.initTitleBar(true);
        QAction entry(QStringLiteral("name of FRA"));
        bar.actionTriggered(&entry);
    }
    if (freer.joinable())
        freer.join();
    holder.unlock();
    QDir().rmdir(lockPath);
    QFile::remove(lockPath);
    QCOMPARE(storedLanguage().toString(), after);
}

void tst_customMenuBar::storeFileKept_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("no key") << QByteArray("; mine\n[General]\nnot an entry\nfoo=1\n") << ""
                            << QByteArray("; mine\n[General]\nlanguage=ENU\nnot an entry\nfoo=1\n");
    QTest::newRow("no key, no section")
        << QByteArray("# mine\r\n[Other]\r\nlanguage=X\r\n") << ""
        << QByteArray("[General]\r\nlanguage=ENU\r\n# mine\r\n[Other]\r\nlanguage=X\r\n");
    QTest::newRow("value unchanged")
        << QByteArray("; mine\n[General]\nlanguage = DEU\n\n[x]\n") << "name of DEU"
        << QByteArray("; mine\n[General]\nlanguage = DEU\n\n[x]\n");
    QTest::newRow("language chosen")
        << QByteArray("; mine\n[General]\nfoo=\"a;b\"\nlanguage=DEU\n; end") << "name of FRA"
        << QByteArray("; mine\n[General]\nfoo=\"a;b\"\nlanguage=FRA\n; end");
}

// The store's file is the user's too: a write changes the language line and
// nothing else, and no write happens when the value stays.
void tst_customMenuBar::storeFileKept()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, choice);
    QFETCH(QByteArray, after);
    QFile file(storeFile());
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(before);
    file.close();
    {
        customMenuBar bar;
        bar.initTitleBar(true);
        if (!choice.isEmpty()) {
            QAction entry(choice);
            bar.actionTriggered(&entry);
        }
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), after);
}

void tst_customMenuBar::hostileStoreFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("store is a named pipe") << "pipe";
    QTest::newRow("store links to a device") << "device";
    QTest::newRow("organisation-wide file is a named pipe") << "shared pipe";
}

// Neither reading nor writing the store may block on a pipe or put a file
// in place of a device; the bar then works from the files it can read.
void tst_customMenuBar::hostileStoreFiles()
{
    QFETCH(QString, kind);
    setStoredLanguage(QStringLiteral("DEU"));
    QString hostile = storeFile();
    const QByteArray dirs = qgetenv("XDG_CONFIG_DIRS");
    const auto restore = qScopeGuard([&dirs] { qputenv("XDG_CONFIG_DIRS", dirs); });
    if (kind == QLatin1String("shared pipe")) {
        const QString shared = m_dir.filePath(QStringLiteral("xdg"));
        QVERIFY(QDir().mkpath(shared));
        hostile = shared + QStringLiteral("/KORVANT.conf");
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(shared));
    }
    QFile::remove(hostile);
    if (kind == QLatin1String("device")) {
        // A private node of the device that /dev/null is.
        struct stat null {
        };
        const QString node = m_dir.filePath(QStringLiteral("null"));
        if (geteuid() != 0)
            QSKIP("only root can make a private device node");
        QCOMPARE(stat("/dev/null", &null), 0);
        QCOMPARE(mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, null.st_rdev), 0);
        QVERIFY(QFile::link(node, hostile));
    } else {
        QCOMPARE(mkfifo(QFile::encodeName(hostile).constData(), 0600), 0);
    }
    struct stat before {
    };
    QCOMPARE(stat(QFile::encodeName(hostile).constData(), &before), 0);
    {
        customMenuBar bar;
        bar.initTitleBar(true);
        QCOMPARE(bar.language(), kind == QLatin1String("shared pipe") ? "DEU" : "ENU");
        QAction entry(QStringLiteral("name of FRA"));
        bar.actionTriggered(&entry);
    }
    struct stat after {
    };
    QCOMPARE(stat(QFile::encodeName(hostile).constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_ino, before.st_ino);
    // QSettings itself, which reads the store below, would block on it.
    QFile::remove(hostile);
    qputenv("XDG_CONFIG_DIRS", dirs);
    QCOMPARE(storedLine(), kind == QLatin1String("shared pipe") ? "language=FRA" : "");
}

void tst_customMenuBar::drag()
{
    Window window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    auto *bar = new customMenuBar(&window);
    bar->initTitleBar(true);
    bar->setGeometry(0, 0, 600, 40);
    window.setGeometry(100, 100, 600, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();

    // The right button moves nothing.
    sendMouse(bar, QEvent::MouseButtonPress, Qt::RightButton, {30, 10}, start + QPoint(30, 10));
    sendMouse(bar, QEvent::MouseMove, Qt::RightButton, {60, 30}, {400, 300});
    sendMouse(bar, QEvent::MouseButtonRelease, Qt::RightButton, {60, 30}, {400, 300});
    QCOMPARE(window.pos(), start);

    // The left button keeps the press point under the cursor.
    sendMouse(bar, QEvent::MouseButtonPress, Qt::LeftButton, {30, 10}, start + QPoint(30, 10));
    sendMouse(bar, QEvent::MouseMove, Qt::LeftButton, {40, 20}, {400, 300});
    QCOMPARE(window.pos(), QPoint(370, 290));
    sendMouse(bar, QEvent::MouseMove, Qt::LeftButton, {40, 20}, {250, 180});
    QCOMPARE(window.pos(), QPoint(220, 170));

    // A right release in between does not end the drag; the left one does.
    sendMouse(bar, QEvent::MouseButtonRelease, Qt::RightButton, {0, 0}, {250, 180});
    sendMouse(bar, QEvent::MouseMove, Qt::LeftButton, {40, 20}, {260, 190});
    QCOMPARE(window.pos(), QPoint(230, 180));
    sendMouse(bar, QEvent::MouseButtonRelease, Qt::LeftButton, {0, 0}, {260, 190});
    sendMouse(bar, QEvent::MouseMove, Qt::NoButton, {40, 20}, {500, 500});
    QCOMPARE(window.pos(), QPoint(230, 180));
}

void tst_customMenuBar::fullScreenToggle()
{
    Window window;
    auto *bar = new customMenuBar(&window);
    bar->initTitleBar(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *button = bar->findChild<LxClientIconPushBtn *>(QStringLiteral("m_btnFullScreen"));
    QVERIFY(button);
    QCOMPARE(button->GetIconPath(), kMaxIcon);

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(window.isFullScreen());
    QCOMPARE(button->GetIconPath(), kRestoreIcon);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!window.isFullScreen());
    QCOMPARE(button->GetIconPath(), kMaxIcon);
}

void tst_customMenuBar::doubleClick_data()
{
    QTest::addColumn<bool>("isMainWindow");
    QTest::newRow("main bar toggles") << true;
    QTest::newRow("about bar does nothing") << false;
}

void tst_customMenuBar::doubleClick()
{
    QFETCH(bool, isMainWindow);
    Window window;
    auto *bar = new customMenuBar(&window);
    bar->initTitleBar(isMainWindow);
    bar->setGeometry(0, 0, 400, 40);
    window.resize(400, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *button = bar->findChild<LxClientIconPushBtn *>(QStringLiteral("m_btnFullScreen"));

    sendMouse(bar, QEvent::MouseButtonDblClick, Qt::LeftButton, {200, 20},
              bar->mapToGlobal(QPoint(200, 20)));
    QCOMPARE(window.isFullScreen(), isMainWindow);
    QCOMPARE(button->GetIconPath(), isMainWindow ? kRestoreIcon : kMaxIcon);
    // The double click is passed on to the parent either way.
    QCOMPARE(window.doubleClicks, 1);

    sendMouse(bar, QEvent::MouseButtonDblClick, Qt::LeftButton, {200, 20},
              bar->mapToGlobal(QPoint(200, 20)));
    QVERIFY(!window.isFullScreen());
    QCOMPARE(button->GetIconPath(), kMaxIcon);
}

void tst_customMenuBar::aboutBarLook()
{
    for (const bool isMainWindow : {true, false}) {
        customMenuBar bar;
        bar.initTitleBar(isMainWindow);
        const auto hidden = [&bar](const char *name) {
            QWidget *child = bar.findChild<QWidget *>(QLatin1String(name));
            return child && child->isHidden();
        };
        QCOMPARE(hidden("m_labTitle"), !isMainWindow);
        QCOMPARE(hidden("m_btnQuestion"), !isMainWindow);
        QCOMPARE(hidden("m_btnFullScreen"), !isMainWindow);
        QVERIFY(!hidden("m_btnClose"));
        QVERIFY(!hidden("m_btnHide"));
        QVERIFY(!hidden("m_labIcon"));

        auto *icon = bar.findChild<LxClientBaseLabel *>(QStringLiteral("m_labIcon"));
        QCOMPARE(icon->GetBaseWidth(), isMainWindow ? 160.0 : 120.0);
        QCOMPARE(icon->GetBaseHeight(), isMainWindow ? 40.0 : 30.0);

        bar.setMinButtonVisible(false);
        bar.setIconVisible(false);
        QVERIFY(hidden("m_btnHide"));
        QVERIFY(hidden("m_labIcon"));
        QVERIFY(!hidden("m_btnClose"));
    }
}

// Across a wide window the program's icon and name stay at the left and the
// help, minimise, full-screen and close buttons in that order at the right
// end; the bar keeps its height when the window grows taller.
void tst_customMenuBar::form()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *bar = new customMenuBar;
    layout->addWidget(bar);
    layout->addStretch();
    bar->initTitleBar(true);
    bar->SetScale(1);
    window.resize(1600, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QStringList order{"m_labIcon", "m_labTitle",      "m_btnQuestion",
                            "m_btnHide", "m_btnFullScreen", "m_btnClose"};
    const auto at = [bar](const QString &name) {
        return bar->findChild<QWidget *>(name)->geometry();
    };
    for (int i = 1; i < order.size(); ++i)
        QVERIFY2(at(order.at(i - 1)).right() < at(order.at(i)).left(), qPrintable(order.at(i)));
    QVERIFY(at("m_labTitle").right() < bar->width() / 4);
    QVERIFY(at("m_btnQuestion").left() > bar->width() * 3 / 4);
    QVERIFY(bar->width() - at("m_btnClose").right() < 40);

    const int height = bar->height();
    window.resize(1600, 1000);
    QCoreApplication::processEvents();
    QCOMPARE(bar->height(), height);
}

void tst_customMenuBar::buttonLook_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("icon");

    const QString header = QStringLiteral(":/res/darkgreen/png/home/Header/");
    QTest::newRow("close") << "m_btnClose" << header + "close.svg";
    QTest::newRow("minimise") << "m_btnHide" << header + "mini.svg";
    QTest::newRow("full screen") << "m_btnFullScreen" << header + "max.svg";
    QTest::newRow("help") << "m_btnQuestion" << header + "help.svg";
}

void tst_customMenuBar::buttonLook()
{
    QFETCH(QString, name);
    QFETCH(QString, icon);

    customMenuBar bar;
    bar.initTitleBar(true);
    bar.SetScale(1);
    auto *button = bar.findChild<LxClientIconPushBtn *>(name);
    QVERIFY(button);
    QCOMPARE(button->GetIconPath(), icon);
    QCOMPARE(button->GetBaseHeight(), 15.0);

    const QString background = ColorToString(QColor(46, 58, 72));
    const QString text = ColorToString(QColor(178, 183, 194));
    const QString accent = ColorToString(QColor(1, 185, 209));
    const QString unset = ColorToString(QColor());
    const QString disabledText = ColorToString(QColor(GetColor(6)));
    const QString sheet = button->styleSheet();
    const QStringList parts{
        "border-radius: 5px;padding: 5px;color: " + text + ";background-color: " + background +
            ";border:0px solid " + unset + ";",
        "QPushButton:hover{outline: none;color: " + accent + ";background-color: " + background,
        "QPushButton:pressed{color: " + accent + ";margin: 0px;}",
        "QPushButton:disabled{background-color: " + unset + ";color: " + disabledText + ";}"};
    for (const QString &part : parts)
        QVERIFY2(sheet.contains(part), qPrintable(sheet));
}

void tst_customMenuBar::titleLook()
{
    customMenuBar bar;
    bar.initTitleBar(true);
    bar.SetScale(1);
    const QFont kitFont = GetFont();
    QCOMPARE(bar.font().family(), kitFont.family());
    QCOMPARE(bar.font().pixelSize(), kitFont.pixelSize());

    auto *title = bar.findChild<LxClientBaseLabel *>(QStringLiteral("m_labTitle"));
    QCOMPARE(title->text(), QStringLiteral("text 48"));
    QCOMPARE(title->font().family(), kitFont.family());
    QCOMPARE(title->font().pixelSize(), 18);
    QCOMPARE(title->font().weight(), 75);
    const QString colour = ColorToString(QColor(1, 185, 209));
    QVERIFY2(title->styleSheet().contains("color: " + colour), qPrintable(title->styleSheet()));
}

void tst_customMenuBar::helpMenu()
{
    addFiles({"ENU.xml"});

    customMenuBar bar;
    bar.setLanguageFolder(m_folder);
    bar.initTitleBar(true);
    QMenu *help = bar.helpMenu();
    QMenu *languages = bar.languageMenu();
    QVERIFY(help && languages);
    QVERIFY(!help->parent());
    QVERIFY(!languages->parent());
    QVERIFY(help->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(help->windowFlags() & Qt::Popup);
    QVERIFY(!help->styleSheet().isEmpty());
    QCOMPARE(languages->styleSheet(), help->styleSheet());
    QCOMPARE(bar.findChild<QPushButton *>(QStringLiteral("m_btnQuestion"))->menu(), help);

    emit help->aboutToShow();
    const QList<QAction *> entries = languages->actions();
    QCOMPARE(entries.size(), 1);
    QVERIFY(!entries.first()->icon().isNull());
    QCOMPARE(entries.first()->actionGroup()->parent(), static_cast<QObject *>(languages));
}

namespace
{

// The strongest contrast in a band of the picture against its most common
// colour: the text against its background.
double textContrast(const QImage &image, const QRect &band, QColor *ground)
{
    QMap<QRgb, int> counts;
    for (int y = band.top(); y <= band.bottom(); ++y) {
        for (int x = band.left(); x <= band.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb common = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            common = it.key();
        }
    }
    *ground = QColor(common);
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(QColor(it.key()), *ground));
    return best;
}

} // namespace

// The entries read at 4.5:1 or better on the menu, and the entry under the
// pointer shows in a colour of its own.
void tst_customMenuBar::menuReadable()
{
    addFiles({"ENU.xml", "DEU.xml", "CHS.xml"});
    customMenuBar bar;
    bar.setLanguageFolder(m_folder);
    bar.initTitleBar(true);
    QMenu *help = bar.helpMenu();
    emit help->aboutToShow();
    QMenu *languages = bar.languageMenu();
    languages->popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(languages));
    const QList<QAction *> entries = languages->actions();
    QCOMPARE(entries.size(), 3);
    languages->setActiveAction(entries.at(1));

    const QImage image = languages->grab().toImage();
    QColor plain;
    QColor hovered;
    const QRect plainRow = languages->actionGeometry(entries.at(0)).adjusted(2, 2, -2, -2);
    const QRect hoveredRow = languages->actionGeometry(entries.at(1)).adjusted(2, 2, -2, -2);
    const double plainContrast = textContrast(image, plainRow, &plain);
    const double hoveredContrast = textContrast(image, hoveredRow, &hovered);
    QVERIFY2(plainContrast >= 4.5, qPrintable(QString::number(plainContrast)));
    QVERIFY2(hoveredContrast >= 4.5, qPrintable(QString::number(hoveredContrast)));
    QVERIFY2(contrast(plain, hovered) >= 3.0, qPrintable(plain.name() + " " + hovered.name()));
    languages->hide();
}

void tst_customMenuBar::hideAndClose()
{
    Window window;
    auto *bar = new customMenuBar(&window);
    bar->initTitleBar(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(bar->findChild<QWidget *>(QStringLiteral("m_btnHide")), Qt::LeftButton);
    QVERIFY(window.isMinimized());
    window.showNormal();
    QTest::mouseClick(bar->findChild<QWidget *>(QStringLiteral("m_btnClose")), Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

// Each language file that ships is named by a code the menu knows, so each
// one is offered under its own name.
void tst_customMenuBar::shippedLanguagesListed()
{
    const QDir shipped(QStringLiteral(FENWARDE_LANGUAGE_SOURCE_DIR));
    loadLanguageTable(shipped.filePath(QStringLiteral("ENU.xml")));
    QCOMPARE(currentLanguageTable()->count, int(TextId::Count));

    const QMap<QString, int> codes = codeIndices();
    QStringList expected;
    const QStringList files = shipped.entryList({QStringLiteral("*.xml")}, QDir::Files);
    for (const QString &file : files) {
        const QString code = file.chopped(4);
        QVERIFY2(codes.contains(code), qPrintable(file + QStringLiteral(" is no language code")));
        expected << languageText(codes.value(code));
    }
    QVERIFY(files.contains(QStringLiteral("ENU.xml")));

    customMenuBar bar;
    bar.setLanguageFolder(shipped.path());
    bar.initTitleBar(true);
    emit bar.helpMenu()->aboutToShow();
    QStringList listed;
    const QList<QAction *> actions = bar.languageMenu()->actions();
    for (const QAction *action : actions)
        listed << action->text();
    listed.sort();
    expected.sort();
    QCOMPARE(listed, expected);
}

QTEST_MAIN(tst_customMenuBar)
#include "tst_custommenubar.moc"
