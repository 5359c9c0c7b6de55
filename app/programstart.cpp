#include "programstart.h"

#include "customgraphicsview.h"
#include "languagefile.h"
#include "languagetable.h"
#include "startupsettings.h"
#include "widget.h"

#include <QApplication>
#include <QIcon>

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
    view->show();
    if (shown)
        shown(view);

    const int exitCode = QApplication::exec();

    // The view owns the panel through its scene; the panel releases the
    // language table and its title bar stores the chosen language.
    delete view;
    delete app;
    return exitCode;
}
