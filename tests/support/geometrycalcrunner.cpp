#include "geometrycalcrunner.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

GeometryCalcRunner::Run GeometryCalcRunner::run(const QStringList &arguments,
                                                const QByteArray &input, bool withoutDisplay)
{
    Run run;
    QProcess process;
    if (withoutDisplay) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(environment);
    }
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/fenwarde-calc"),
                  arguments);
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.lines = process.readAllStandardOutput().split('\n');
    if (!run.lines.isEmpty() && run.lines.constLast().isEmpty())
        run.lines.removeLast();
    run.errorOutput = process.readAllStandardError();
    return run;
}
