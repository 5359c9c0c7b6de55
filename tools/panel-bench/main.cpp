// Times what a user waits for in the panel, at the window's usual size: one
// change of a value, from a new value in the pitch field to the repainted
// scene and the updated result labels, in each scenario; and one export of
// each format, from the click (without the file dialog) to the closed file.
//
// Usage: panel-bench [changes [exports]]   (default 200 and 30; runs
// offscreen unless told)

#include "languagefile.h"
#include "languagetable.h"
#include "lxclientmsgpopup.h"
#include "widget.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextStream>

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
    delete panel;
    return 0;
}
