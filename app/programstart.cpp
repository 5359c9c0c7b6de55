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
