// Developer tool: embeds a stand-in panel (title bar and a white body) in the
// host window so the window behaviour can be tried before the planning panel
// exists.
//
//   shell-demo [--open-help-menu] [--open-language-menu] [--show-about]
//              [--full-screen] [--size WxH]

#include "aboutwidget.h"
#include "customgraphicsview.h"
#include "custommenubar.h"
#include "languagefile.h"
#include "languagetable.h"
#include "screenscale.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
bool hasArgument(const QStringList &arguments, const char *name)
{
    return arguments.contains(QLatin1String(name));
}

QSize sizeArgument(const QStringList &arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--size"));
    if (at < 0 || at + 1 >= arguments.size())
        return QSize();
    const QStringList parts = arguments.at(at + 1).split(QLatin1Char('x'));
    if (parts.size() != 2)
        return QSize();
    return QSize(parts.at(0).toInt(), parts.at(1).toInt());
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    loadLanguageTable(languageFolder() + QStringLiteral("/ENU.xml"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/fenwarde.ico")));

    auto *panel = new QWidget;
    panel->setMinimumSize(1280, 720);
    const QSize size = sizeArgument(arguments);
    panel->resize(size.isValid() ? size : QSize(1354, 720));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new customMenuBar(panel);
    bar->SetBackgroundColor(QColor(46, 58, 72));
    bar->SetBaseHeight(40);
    bar->initTitleBar(true);
    layout->addWidget(bar);
    auto *body = new QLabel(QStringLiteral("Stand-in panel: drag the title bar, try the buttons "
                                           "and the help menu."),
                            panel);
    body->setAlignment(Qt::AlignCenter);
    body->setAutoFillBackground(true);
    QPalette palette = body->palette();
    palette.setColor(QPalette::Window, Qt::white);
    body->setPalette(palette);
    layout->addWidget(body, 1);

    auto *about = new aboutWidget;
    QObject::connect(bar, &customMenuBar::aboutReq, about, [about] {
        if (about->isHidden())
            about->show();
    });

    customGraphicsView view;
    view.setWidget(panel);
    view.show();

    QTimer::singleShot(0, &view, [&view, bar] {
        const qreal scale = GetScreenScale(&view);
        bar->SetScale(scale > 0 ? scale : 1);
    });
    if (hasArgument(arguments, "--full-screen"))
        QTimer::singleShot(300, bar, [bar] {
            bar->findChild<QPushButton *>(QStringLiteral("m_btnFullScreen"))->click();
        });
    if (hasArgument(arguments, "--show-about"))
        QTimer::singleShot(300, about, [about] { about->show(); });
    if (hasArgument(arguments, "--open-help-menu") ||
        hasArgument(arguments, "--open-language-menu")) {
        const bool submenu = hasArgument(arguments, "--open-language-menu");
        QTimer::singleShot(300, bar, [bar, submenu] {
            if (submenu) {
                QTimer::singleShot(300, bar, [bar] {
                    QMenu *menu = bar->helpMenu();
                    menu->setActiveAction(menu->actions().value(0));
                    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
                    QApplication::sendEvent(menu, &right);
                });
            }
            bar->findChild<QPushButton *>(QStringLiteral("m_btnQuestion"))->showMenu();
        });
    }

    const int code = app.exec();
    delete about;
    releaseLanguageTable();
    return code;
}
