// Times what a user waits for in the panel, at the window's usual size: one
// change of a value, from a new value in the pitch field to the repainted
// scene and the updated result labels, in each scenario; and one export of
// each format, from the click (without the file dialog) to the closed file;
// and the suggester, from the click on its search to the listed settings.
//
// Usage: panel-bench [changes [exports [searches]]]   (default 200, 30 and
// 20; runs
// offscreen unless told)

#include "languagefile.h"
#include "languagetable.h"
#include "lxclientmsgpopup.h"
#include "suggestdialog.h"
#include "widget.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>

#include <algorithm>
#include <vector>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    const int changes = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 200;
    loadLanguageTable(languageFolder() + QStringLiteral("/ENU.xml"));

    auto *panel = new Widget;
    panel->resize(1354, 720);
    panel->show();
    auto *scenario = panel->findChild<QComboBox *>(QStringLiteral("m_comboModel"));
    auto *pitch = panel->findChild<QSpinBox *>(QStringLiteral("m_spinBoxPitchAngle"));
    auto *scene = panel->findChild<QWidget *>(QStringLiteral("m_painterWidget"));
    // The error report is the last thing a repaint does, after the results.
    QEventLoop repainted;
    QObject::connect(scene, SIGNAL(error(QString)), &repainted, SLOT(quit()));

    QTextStream out(stdout);
    out << "value change to repainted scene, " << changes << " changes at 1354x720\n";
    for (int s = 0; s < scenario->count(); ++s) {
        scenario->setCurrentIndex(s);
        std::vector<double> times;
        for (int i = 0; i <= changes; ++i) {
            QElapsedTimer timer;
            timer.start();
            pitch->setValue(5 + i % 30);
            repainted.exec();
            if (i > 0) // the first repaint after a scenario change scales pictures
                times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        out << QString::asprintf("  %-28s median %.2f ms  worst %.2f ms\n",
                                 qPrintable(scenario->currentText()), times.at(times.size() / 2),
                                 times.back());
    }

    const int exports = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 30;
    QTemporaryDir dir;
    out << "export from the click to the closed file, " << exports << " each\n";
    for (const QString &suffix : {QStringLiteral("pdf"), QStringLiteral("xlsx")}) {
        std::vector<double> times;
        for (int i = 0; i < exports; ++i) {
            QElapsedTimer timer;
            timer.start();
            panel->exportReport(dir.filePath(QStringLiteral("plan.") + suffix));
            times.push_back(timer.nsecsElapsed() / 1e6);
            LxClientMsgPopup::GetInstance()->ClosePopup();
        }
        std::sort(times.begin(), times.end());
        out << QString::asprintf("  %-5s median %.1f ms  worst %.1f ms\n", qPrintable(suffix),
                                 times.at(times.size() / 2), times.back());
    }

    // Wishes a planner types: a band of 12 to 30 m, a plate of 150 px.
    const int searches = argc > 3 ? qMax(1, QString::fromLocal8Bit(argv[3]).toInt()) : 20;
    const char *wishes[] = {"m_spinWantFar", "m_spinWantFar", "m_spinWantPlate"};
    const double values[] = {30, 30, 150};
    out << "suggest from the click on search to the listed settings, " << searches << " each\n";
    for (int s = 0; s < scenario->count(); ++s) {
        scenario->setCurrentIndex(s);
        repainted.exec();
        panel->findChild<QToolButton *>(QStringLiteral("m_toolBtnSuggest"))->click();
        auto *dialog = panel->findChild<SuggestDialog *>();
        dialog->findChild<QObject *>(QLatin1String(wishes[s]))->setProperty("value", values[s]);
        if (QObject *nearEnd = dialog->findChild<QObject *>(QStringLiteral("m_spinWantNear")))
            nearEnd->setProperty("value", 12);
        auto *search = dialog->findChild<QPushButton *>(QStringLiteral("m_btnSearch"));
        std::vector<double> times;
        for (int i = 0; i < searches; ++i) {
            QElapsedTimer timer;
            timer.start();
            search->click();
            QCoreApplication::processEvents();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        out << QString::asprintf("  %-28s median %.1f ms  worst %.1f ms\n",
                                 qPrintable(scenario->currentText()), times.at(times.size() / 2),
                                 times.back());
        // What was listed, so a run that lists nothing shows.
        const auto *first = dialog->findChild<QPushButton *>(QStringLiteral("m_btnSuggestion1"));
        out << "    " << (first->isVisibleTo(dialog) ? first->text() : QStringLiteral("(none)"))
            << '\n';
        delete dialog;
    }
    delete panel;
    return 0;
}
