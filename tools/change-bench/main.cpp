// Times one change of a value as the user sees it: from a new value in the
// pitch field to the repainted scene and the updated result labels, in each
// scenario, in a panel of the window's usual size.
//
// Usage: change-bench [changes]   (default 200; runs offscreen unless told)

#include "languagefile.h"
#include "languagetable.h"
#include "widget.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSpinBox>
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
    delete panel;
    return 0;
}
