#include "platform/Shell.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

bool DesktopShell::hasBrowser() const {
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() ||
           !QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty();
}

bool DesktopShell::openUrl(const QString& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
