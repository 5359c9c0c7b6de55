#include "customgraphicsview.h"
#include "languagefile.h"
#include "languagetable.h"
#include "previewpanel.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    auto *app = new QApplication(argc, argv);

    // The start-up store is separate from the title bar's: a language picked
    // in the menu is remembered there but does not change what starts here.
    auto *startupStore = new QSettings(QStringLiteral("velmora"), QStringLiteral("Fenwarde"));
    const QString code =
        startupStore->value(QStringLiteral("language"), QStringLiteral("ENU")).toString();
    const QString path = findLanguageFile(QApplication::applicationDirPath(), code);
    if (path.isEmpty()) {
        delete startupStore;
        delete app;
        return 1;
    }
    loadLanguageTable(path);

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/fenwarde.ico")));

    auto *panel = new PreviewPanel;
    auto *view = new customGraphicsView;
    view->setWidget(panel);
    view->show();

    const int exitCode = QApplication::exec();

    // The view owns the panel through its scene; the panel releases the
    // language table and its title bar stores the chosen language.
    delete view;
    delete startupStore;
    delete app;
    return exitCode;
}
