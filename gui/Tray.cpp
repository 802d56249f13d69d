#include "gui/Tray.h"

#include "platform/Services.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

// Asked once when the icon is put up; a watcher that does not answer soon
// is taken as absent.
constexpr int kWatcherTimeoutMs = 1000;

} // namespace

TrayHost trayHostOn(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return TrayHost::XEmbed;
    // The same question Qt asks before it hands the icon to such a host.
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << QStringLiteral("org.kde.StatusNotifierWatcher")
        << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(ask, QDBus::Block, kWatcherTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return TrayHost::XEmbed;
    const bool registered = reply.arguments().first().value<QDBusVariant>().variant().toBool();
    return registered ? TrayHost::StatusNotifier : TrayHost::XEmbed;
}

int32_t trayMouseCode(QSystemTrayIcon::ActivationReason reason, TrayHost host) {
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return traymsg::LeftDoubleClick;
    case QSystemTrayIcon::Context:
        return traymsg::RightButtonUp;
    case QSystemTrayIcon::MiddleClick:
        return traymsg::MiddleButtonUp;
    case QSystemTrayIcon::Trigger:
        return host == TrayHost::StatusNotifier ? traymsg::LeftDoubleClick : traymsg::LeftButtonUp;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return traymsg::LeftButtonUp;
}

SystemTray::SystemTray() = default;
SystemTray::~SystemTray() {
    remove();
}

bool SystemTray::add(const QIcon& icon, const QString& tip, QMenu* menu, int32_t callbackMessage,
                     Handler handler) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    const TrayHost host = trayHostOn(QDBusConnection::sessionBus());
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    icon_->setToolTip(tip);
    // Handing the menu over lets hosts that draw their own menus
    // (StatusNotifierItem) show it; XEmbed trays get it popped up by Qt on
    // the right button. Either way it opens on the click itself.
    icon_->setContextMenu(menu);
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [handler, callbackMessage, host](QSystemTrayIcon::ActivationReason reason) {
                         handler(callbackMessage, 0, trayMouseCode(reason, host));
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

Tray& programTray() {
    if (Tray* tray = services().tray)
        return *tray;
    static FakeTray none = [] {
        FakeTray t;
        t.available = false;
        return t;
    }();
    return none;
}
