#include "platform/Launcher.h"

#include <QProcess>

bool SystemLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}
