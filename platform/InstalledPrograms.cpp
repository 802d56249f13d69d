#include "platform/InstalledPrograms.h"

#include <QStandardPaths>

QString SearchPathPrograms::locate(const QString& program) const {
    return QStandardPaths::findExecutable(program);
}
