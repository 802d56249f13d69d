#include "gui/Tray.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QTimer>

// Xlib last: its macros clash with Qt's names.
#include <X11/Xlib.h>

namespace {

// Asked once when the icon is put up; a watcher that does not answer soon
// is taken as absent.
constexpr int kWatcherTimeoutMs = 1000;

// The X server the program shows on; none under Wayland or off screen.
Display* x11Display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

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

namespace {

// Whether a StatusNotifierItem host is registered on the session bus now.
bool statusNotifierHostNow() {
    return trayHostOn(QDBusConnection::sessionBus()) == TrayHost::StatusNotifier;
}

} // namespace

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

int32_t TrayActivations::codeFor(QSystemTrayIcon::ActivationReason reason, TrayHost host,
                                 qint64 nowMs) {
    const int32_t code = trayMouseCode(reason, host);
    if (reason != QSystemTrayIcon::Trigger || host != TrayHost::StatusNotifier) {
        // Anything else in between: the next click starts a double click.
        pending_ = false;
        return code;
    }
    if (pending_ && nowMs - lastActivationMs_ <= intervalMs_) {
        // The second click of the double click the first one stood for.
        pending_ = false;
        return 0;
    }
    pending_ = true;
    lastActivationMs_ = nowMs;
    return code;
}

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

// Hears a StatusNotifierWatcher come, go and take on a host.
class StatusNotifierWatch : public QObject {
    Q_OBJECT
public:
    explicit StatusNotifierWatch(std::function<void()> changed) : changed_(std::move(changed)) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return;
        auto* services = new QDBusServiceWatcher(kWatcherService, bus,
                                                 QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(services, &QDBusServiceWatcher::serviceOwnerChanged, this,
                &StatusNotifierWatch::hostChanged);
        bus.connect(kWatcherService, QStringLiteral("/StatusNotifierWatcher"), kWatcherService,
                    QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(hostChanged()));
    }

public slots:
    void hostChanged() { changed_(); }

private:
    std::function<void()> changed_;
};

} // namespace

SystemTray::SystemTray() {
    clock_.start();
}

SystemTray::~SystemTray() {
    remove();
}

bool SystemTray::add(const QIcon& icon, const QString& tip, QMenu* menu, int32_t callbackMessage,
                     Handler handler) {
    image_ = icon;
    tip_ = tip;
    menu_ = menu;
    callbackMessage_ = callbackMessage;
    handler_ = std::move(handler);
    activations_ = TrayActivations(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    wanted_ = true;
    statusNotifierHost_ = statusNotifierHostNow();
    xembedOwner_ = xembedTrayOwner();
    watch();
    icon_.reset();
    showInTray();
    return isShown();
}

void SystemTray::watch() {
    if (watcher_)
        return;
    watcher_ = std::make_unique<StatusNotifierWatch>([this] {
        statusNotifierHost_ = statusNotifierHostNow();
        trayChanged(TrayHost::StatusNotifier);
    });
    if (!isX11())
        return;
    auto* poll = new QTimer(watcher_.get());
    QObject::connect(poll, &QTimer::timeout, watcher_.get(), [this] {
        const unsigned long owner = xembedTrayOwner();
        if (owner == xembedOwner_)
            return;
        xembedOwner_ = owner;
        trayChanged(TrayHost::XEmbed);
    });
    poll->start(kXEmbedPollMs);
}

void SystemTray::trayChanged(TrayHost which) {
    // An icon in the tray that changed is in no tray any more, or in one
    // that knows nothing of it.
    if (icon_ && (iconHost_ == which || !icon_->isVisible())) {
        icon_->hide();
        icon_.reset();
    }
    showInTray();
}

void SystemTray::showInTray() {
    if (!wanted_ || icon_)
        return;
    // Qt settles for the whole run which kind of tray it serves the first
    // time it is asked, so it is asked only once a tray is there.
    if (!statusNotifierHost_ && xembedOwner_ == 0)
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    iconHost_ = statusNotifierHost_ ? TrayHost::StatusNotifier : TrayHost::XEmbed;
    icon_ = std::make_unique<QSystemTrayIcon>(image_);
    icon_->setToolTip(tip_);
    // Handing the menu over lets hosts that draw their own menus
    // (StatusNotifierItem) show it; XEmbed trays get it popped up by Qt on
    // the right button. Either way it opens on the click itself.
    icon_->setContextMenu(menu_);
    const TrayHost host = iconHost_;
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this, host](QSystemTrayIcon::ActivationReason reason) {
                         const int32_t code = activations_.codeFor(reason, host, clock_.elapsed());
                         if (code != 0 && handler_)
                             handler_(callbackMessage_, 0, code);
                     });
    // On an XEmbed tray that offers a visual with alpha, Qt draws the icon
    // on nothing and the tray composites it on its own background; on one
    // that offers none, the icon's window takes what the tray's window
    // shows behind it.
    icon_->show();
}

bool SystemTray::isShown() const {
    return icon_ && icon_->isVisible();
}

bool SystemTray::isX11() {
    return x11Display() != nullptr;
}

unsigned long SystemTray::xembedTrayOwner() {
    Display* display = x11Display();
    if (!display)
        return 0;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, name.constData(), False));
}

void SystemTray::remove() {
    wanted_ = false;
    watcher_.reset();
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

#include "Tray.moc"
