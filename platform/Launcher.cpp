#include "platform/Launcher.h"

#include <QCoreApplication>
#include <QProcess>

bool SystemLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

void SystemLauncher::endThisProgram() {
    QCoreApplication::quit();
}
