#include "platform/Help.h"

#include "platform/Services.h"
#include "platform/Shell.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>
#include <QUrl>

QString helpPage(const QString& helpFile, uint32_t command, int32_t data) {
    const QString folder = QFileInfo(helpFile).path() + u'/';
    switch (command) {
    case helpcmd::Tab:
        return helpFile;
    case helpcmd::PartialKey:
        return folder + QStringLiteral("index.html");
    case helpcmd::Context:
        return folder + QStringLiteral("topic-%1.html").arg(data);
    default:
        return {};
    }
}

int DesktopHelp::show(const QString& helpFile, uint32_t command, int32_t data) {
    const QString page = helpPage(helpFile, command, data);
    if (page.isEmpty())
        return vberr::InvalidCall;
    const QFileInfo info(page);
    if (!info.exists())
        return vberr::FileNotFound;
    if (!info.isFile() || !info.isReadable())
        return vberr::PathFileAccess;
    const QString address = QUrl::fromLocalFile(info.absoluteFilePath()).toString();
    return services().shell->openUrl(address) ? 0 : vberr::PathFileAccess;
}
