#include "customgraphicsview.h"
#include "hostwindow.h"
#include "languagetable.h"
#include "lxclientbasecombobox.h"
#include "plancontroller.h"
#include "widget.h"

#include <QAbstractItemView>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The assembled window on a real X server, driven with real pointer and
// keyboard input: what offscreen runs cannot see, such as dialogs that the
// window system never paints or pop-ups cut by the window's edge.
class tst_RealDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void saveDialogReplacesReport();
    void resolutionListOnScreen();
    void planShortcutInField();
    void maximiseAndRestore();
    void edgeDragResizes_data();
    void edgeDragResizes();

private:
    template <typename T> T *find(const char *name) const
    {
        T *child = m_panel->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no %s", name);
        return child;
    }

    customGraphicsView *m_view = nullptr;
    Widget *m_panel = nullptr;
};

namespace
{
// Inside a dialog's answer the events must wait: they may open the next
// dialog, whose event loop would hold up the answering timer.
bool xdotool(const QStringList &args, bool settle = true)
{
    const bool ok = QProcess::execute(QStringLiteral("xdotool"), args) == 0;
    if (settle)
        QTest::qWait(50);
    return ok;
}

QString number(int value)
{
    return QString::number(value);
}

bool clickAt(const QPoint &point, bool settle = true)
{
    return xdotool({"mousemove", number(point.x()), number(point.y()), "click", "1"}, settle);
}

// A painted window shows more than one colour; an unpainted one is black.
bool painted(const QWidget *window)
{
    const QRect frame = window->geometry();
    const QImage image = window->screen()
                             ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                             .toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    }
    return colours.size() > 8;
}

bool onScreen(const QWidget *window)
{
    return window->isWindow() && !window->graphicsProxyWidget() && window->windowHandle() &&
           window->windowHandle()->isExposed() &&
           window->screen()->availableGeometry().contains(window->geometry());
}
} // namespace

void tst_RealDisplay::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    loadLanguageTable(QStringLiteral(FENWARDE_LANGUAGE_SOURCE_DIR "/ENU.xml"));
    m_panel = new Widget;
    m_view = new customGraphicsView;
    m_view->setWidget(m_panel);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QTRY_COMPARE(m_view->size(), m_panel->size());
}

void tst_RealDisplay::cleanupTestCase()
{
    delete m_view;
}

// The user sees the dialog, types the name of an existing report, and is
// asked whether to replace it; Yes replaces it.
void tst_RealDisplay::saveDialogReplacesReport()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old report");
    old.close();

    bool dialogShown = false;
    bool typed = false;
    bool questionShown = false;
    // The dialogs run their own event loops inside the click; this timer
    // answers them from within, as a user would once each has the focus.
    QTimer answer;
    QElapsedTimer clock;
    clock.start();
    connect(&answer, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        // A dialog the user cannot see or answer is given up on, so the
        // checks below fail instead of waiting for ever.
        if (auto *dialog = qobject_cast<QDialog *>(modal); dialog && clock.elapsed() > 15000) {
            dialog->reject();
            return;
        }
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!dialogShown && onScreen(dialog) && dialog->isActiveWindow()) {
                dialogShown = painted(dialog);
                xdotool({"type", "--delay", "20", path}, false);
            } else if (dialogShown && !typed && name && name->text() == path) {
                typed = true;
                xdotool({"key", "Return"}, false);
            }
        } else if (auto *question = qobject_cast<QMessageBox *>(modal)) {
            if (questionShown || !onScreen(question) || !question->button(QMessageBox::Yes))
                return;
            questionShown = painted(question);
            clickAt(GlobalRect(question->button(QMessageBox::Yes)).center(), false);
        }
    });
    answer.start(200);

    auto *exportButton = find<QPushButton>("m_btnExport");
    find<QScrollArea>("scrollArea")->ensureWidgetVisible(exportButton);
    QTest::qWait(100);
    QVERIFY(clickAt(GlobalRect(exportButton).center()));
    QTRY_VERIFY_WITH_TIMEOUT(questionShown, 20000);
    QVERIFY(dialogShown);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > 1000, 20000);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.read(4), QByteArray("%PDF"));
}

// Opened near the window's bottom edge, the list still shows every item.
void tst_RealDisplay::resolutionListOnScreen()
{
    auto *combo = find<LxClientBaseComboBox>("m_comboResolution");
    // The pole list above the column leaves it less room than the window.
    find<QScrollArea>("scrollArea")->ensureWidgetVisible(combo);
    QTest::qWait(100);
    QVERIFY(clickAt(GlobalRect(combo).center()));
    QWidget *list = combo->view()->window();
    QTRY_VERIFY(list != m_panel && list->isVisible());
    QTRY_VERIFY(onScreen(list));
    const QRect viewport = combo->view()->viewport()->rect();
    for (int row = 0; row < combo->count(); ++row) {
        const QRect item = combo->view()->visualRect(combo->model()->index(row, 0));
        QVERIFY2(viewport.contains(item), qPrintable(combo->itemText(row)));
    }
    QVERIFY(painted(list));
    xdotool({"key", "Escape"});
    QTRY_VERIFY(!list->isVisible());
}

// Ctrl+N typed while a field of the hosted panel has the focus starts a new
// plan.
void tst_RealDisplay::planShortcutInField()
{
    QTemporaryDir dir;
    QString reason;
    m_panel->plan()->addPole();
    QVERIFY(m_panel->plan()->saveTo(dir.filePath(QStringLiteral("two.fenwarde")), &reason));
    auto *focal = find<QDoubleSpinBox>("m_dSpinBoxFocalLength");
    find<QScrollArea>("scrollArea")->ensureWidgetVisible(focal);
    QTest::qWait(100);
    QVERIFY(clickAt(GlobalRect(focal).center()));
    QTRY_VERIFY(focal->hasFocus());
    QVERIFY(xdotool({"key", "ctrl+n"}));
    QTRY_COMPARE(m_panel->plan()->plan().poles.size(), 1);
    QVERIFY(m_panel->plan()->path().isEmpty());
}

void tst_RealDisplay::maximiseAndRestore()
{
    const QRect before = m_view->geometry();
    auto *button = find<QPushButton>("m_btnFullScreen");
    QVERIFY(clickAt(GlobalRect(button).center()));
    QTRY_COMPARE(m_view->geometry(), m_view->screen()->geometry());
    QVERIFY(m_panel->windowState() & Qt::WindowFullScreen);
    QTRY_COMPARE(m_panel->size(), m_view->size());
    QVERIFY(clickAt(GlobalRect(button).center()));
    QTRY_COMPARE(m_view->geometry(), before);
    QTRY_COMPARE(m_panel->size(), before.size());
}

void tst_RealDisplay::edgeDragResizes_data()
{
    QTest::addColumn<QPoint>("grip"); // from the window's bottom-right corner
    QTest::addColumn<QPoint>("drag");
    QTest::newRow("right edge") << QPoint(-3, -300) << QPoint(60, 0);
    QTest::newRow("bottom edge") << QPoint(-400, -3) << QPoint(0, 60);
    QTest::newRow("corner") << QPoint(-3, -3) << QPoint(60, 40);
}

void tst_RealDisplay::edgeDragResizes()
{
    QFETCH(QPoint, grip);
    QFETCH(QPoint, drag);
    const QRect before = m_view->geometry();
    const QPoint start = before.bottomRight() + QPoint(1, 1) + grip;
    QVERIFY(xdotool({"mousemove", number(start.x()), number(start.y()), "mousedown", "1"}));
    for (int step = 1; step <= 10; ++step) {
        const QPoint at = start + drag * step / 10;
        QVERIFY(xdotool({"mousemove", number(at.x()), number(at.y())}));
    }
    QVERIFY(xdotool({"mouseup", "1"}));
    QTRY_COMPARE(m_view->size(), before.size() + QSize(drag.x(), drag.y()));
    QCOMPARE(m_view->pos(), before.topLeft());
    // The panel is laid out at the new size, not drawn stretched.
    QTRY_COMPARE(m_panel->size(), m_view->size());
}

QTEST_MAIN(tst_RealDisplay)
#include "tst_realdisplay.moc"
