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

namespace {

// Hands a page of the help to the desktop, at an anchor when one is given.
int openPage(const QString& page, const QString& anchor) {
    if (page.isEmpty())
        return vberr::InvalidCall;
    const QFileInfo info(page);
    if (!info.exists())
        return vberr::FileNotFound;
    if (!info.isFile() || !info.isReadable())
        return vberr::PathFileAccess;
    QUrl address = QUrl::fromLocalFile(info.absoluteFilePath());
    if (!anchor.isEmpty())
        address.setFragment(anchor);
    return services().shell->openUrl(address.toString()) ? 0 : vberr::PathFileAccess;
}

} // namespace

int DesktopHelp::show(const QString& helpFile, uint32_t command, int32_t data) {
    return openPage(helpPage(helpFile, command, data), QString());
}

int DesktopHelp::showSection(const QString& helpFile, const QString& section) {
    return openPage(helpFile, section);
}
