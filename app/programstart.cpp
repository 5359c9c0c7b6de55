#include "programstart.h"

#include "customgraphicsview.h"
#include "languagefile.h"
#include "languagetable.h"
#include "plancontroller.h"
#include "startupsettings.h"
#include "widget.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int runFenwarde(int &argc, char **argv, const std::function<void(QWidget *)> &shown)
{
    // The window is drawn in software and nothing in it uses OpenGL, yet on
    // X11 Qt loads and probes the whole GL driver stack for the first window
    // unless told otherwise. Someone who sets the variable keeps their choice.
    // Qt reads it when it makes the first window; it is taken back then, so
    // programs started from this one are not told to go without OpenGL.
    const bool glChosen = qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION");
    if (!glChosen)
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    auto *app = new QApplication(argc, argv);

    // The title bar keeps a store of its own; a language picked in its menu
    // is also written here and takes effect at the next start.
    const QString code = StartupSettings::storedLanguage();
    const QString path = findLanguageFile(QApplication::applicationDirPath(), code);
    if (path.isEmpty()) {
        delete app;
        return 1;
    }
    loadLanguageTable(path);

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/fenwarde.ico")));

    auto *panel = new Widget;
    auto *view = new customGraphicsView;
    view->setWidget(panel);
    view->setCloseGuard([panel] { return panel->mayClose(); });
    view->show();
    if (!glChosen)
        qunsetenv("QT_XCB_GL_INTEGRATION");
    if (shown)
        shown(view);
    // Questions wait for the window to be in its place. The one argument
    // the program takes is a plan to open; a bad one is named and the
    // program starts with a new plan.
    const QStringList arguments = QApplication::arguments().mid(1);
    QTimer::singleShot(0, panel, [panel, arguments] {
        if (!arguments.isEmpty())
            panel->plan()->openAndTell(arguments.constFirst());
        panel->plan()->offerRecovery();
    });

    const int exitCode = QApplication::exec();

    // The view owns the panel through its scene; the panel releases the
    // language table and its title bar stores the chosen language.
    delete view;
    delete app;
    return exitCode;
}
