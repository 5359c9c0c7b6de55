// The real program, driven from inside for the recovery test:
//
//   recovery-driver change    sets the focal length to 33.3 and says "changed"
//   recovery-driver restore   accepts the recovery question and says what the
//                             window then shows
//
// The test kills the first run and starts the second.

#include "programstart.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include <cstring>

namespace
{

QDoubleSpinBox *focalLength()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String("m_dSpinBoxFocalLength"))
            return qobject_cast<QDoubleSpinBox *>(widget);
    }
    return nullptr;
}

void say(const QString &text)
{
    QTextStream(stdout) << text << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool change = argc > 1 && std::strcmp(argv[1], "change") == 0;
    int count = 1;
    return runFenwarde(count, argv, [change](QWidget *window) {
        if (change) {
            QTimer::singleShot(0, [] {
                focalLength()->setValue(33.3);
                say(QStringLiteral("changed"));
            });
            return;
        }
        auto *answer = new QTimer(window);
        QObject::connect(answer, &QTimer::timeout, [window] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton *button : box->buttons()) {
                if (box->buttonRole(button) == QMessageBox::AcceptRole)
                    button->click();
            }
            QTimer::singleShot(0, [window] {
                say(QStringLiteral("%1 %2").arg(focalLength()->value()).arg(window->windowTitle()));
                QApplication::exit(0);
            });
        });
        answer->start(50);
    });
}
