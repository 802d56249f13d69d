#include "platform/Tray.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace {

int32_t mouseCode(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return traymsg::LeftDoubleClick;
    case QSystemTrayIcon::Context:
        return traymsg::RightButtonUp;
    case QSystemTrayIcon::MiddleClick:
        return traymsg::MiddleButtonUp;
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::Unknown:
        break;
    }
    return traymsg::LeftButtonUp;
}

} // namespace

SystemTray::SystemTray() = default;
SystemTray::~SystemTray() {
    remove();
}

bool SystemTray::add(const QIcon& icon, const QString& tip, QMenu* menu, int32_t callbackMessage,
                     Handler handler) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    icon_->setToolTip(tip);
    // Handing the menu over lets hosts that draw their own menus
    // (StatusNotifierItem) show it; XEmbed trays get it popped up by Qt on
    // the right button. Either way it opens on the click itself.
    icon_->setContextMenu(menu);
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [handler, callbackMessage](QSystemTrayIcon::ActivationReason reason) {
                         handler(callbackMessage, 0, mouseCode(reason));
                     });
    icon_->show();
    return icon_->isVisible();
}

void SystemTray::remove() {
    if (!icon_)
        return;
    icon_->hide();
    icon_.reset();
}

void SystemTray::popUpMenu(QMenu* menu) {
    // The tray opens its context menu itself on the right button; a second
    // popup would only fight it.
    if (icon_ && icon_->contextMenu() == menu)
        return;
    if (menu)
        menu->popup(QCursor::pos());
}
