// Opens the real window, sets named controls as a user would, waits for the
// scene and saves a picture of the window (with the message pop-up when one
// is showing). Run it under an X server; tools/take-screenshots.sh does that
// for the README pictures.
//
// Usage: window-shots OUT.png [--language CODE] [--size WxH] [--set NAME=VALUE]...
//                     [--export REPORT.pdf|REPORT.xlsx]
//   NAME is a control's object name; a list takes an item index, a field its
//   value. Settings apply in the order given, so put the scenario first.

#include "customgraphicsview.h"
#include "languagefile.h"
#include "languagetable.h"
#include "lxclientmsgpopup.h"
#include "widget.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>

namespace
{

bool applySetting(QWidget *panel, const QString &setting)
{
    const QString name = setting.section(QLatin1Char('='), 0, 0);
    const QString value = setting.section(QLatin1Char('='), 1);
    QWidget *control = panel->findChild<QWidget *>(name);
    if (auto *list = qobject_cast<QComboBox *>(control)) {
        list->setCurrentIndex(value.toInt());
        return list->currentIndex() == value.toInt();
    }
    if (auto *field = qobject_cast<QSpinBox *>(control)) {
        field->setValue(value.toInt());
        return true;
    }
    if (auto *field = qobject_cast<QDoubleSpinBox *>(control)) {
        field->setValue(value.toDouble());
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QTextStream err(stderr);
    if (arguments.isEmpty() || arguments.first().startsWith(QLatin1String("--"))) {
        err << "usage: window-shots OUT.png [--language CODE] [--size WxH] [--set NAME=VALUE]...\n";
        return 2;
    }
    const QString out = arguments.takeFirst();
    QString language = QStringLiteral("ENU");
    QStringList settings;
    QSize size;
    QString report;
    while (arguments.size() >= 2) {
        const QString option = arguments.takeFirst();
        const QString value = arguments.takeFirst();
        if (option == QLatin1String("--language"))
            language = value;
        else if (option == QLatin1String("--set"))
            settings << value;
        else if (option == QLatin1String("--export"))
            report = value;
        else if (option == QLatin1String("--size"))
            size = QSize(value.section(QLatin1Char('x'), 0, 0).toInt(),
                         value.section(QLatin1Char('x'), 1).toInt());
    }
    if (!arguments.isEmpty()) {
        err << "window-shots: an option lacks its value\n";
        return 2;
    }

    loadLanguageTable(languageFolder() + QStringLiteral("/%1.xml").arg(language));
    if (!currentLanguageTable() || currentLanguageTable()->count == 0) {
        err << "window-shots: no language " << language << "\n";
        return 2;
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/fenwarde.ico")));
    auto *panel = new Widget;
    if (size.isValid())
        panel->resize(size);
    customGraphicsView view;
    view.setWidget(panel);
    view.show();

    int status = 0;
    // Settings go in once the window stands; the picture is taken after the
    // scene and the pop-up have settled.
    QTimer::singleShot(500, [&] {
        for (const QString &setting : qAsConst(settings)) {
            if (!applySetting(panel, setting)) {
                err << "window-shots: cannot set " << setting << "\n";
                status = 2;
            }
        }
        if (!report.isEmpty())
            panel->exportReport(report);
    });
    QTimer::singleShot(2000, [&] {
        QRect area = view.geometry();
        LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
        if (popup->isVisible())
            area = area.united(popup->geometry());
        const QPixmap shot =
            view.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        if (!shot.save(out)) {
            err << "window-shots: cannot write " << out << "\n";
            status = 1;
        }
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
