#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <cstdint>
#include <functional>
#include <memory>

class QDBusConnection;

// Mouse codes a tray callback carries, as the window messages name them.
namespace traymsg {
constexpr int32_t LeftButtonUp = 0x202;
constexpr int32_t LeftDoubleClick = 0x203;
constexpr int32_t RightButtonUp = 0x205;
constexpr int32_t MiddleButtonUp = 0x208;
} // namespace traymsg

// The kinds of notification area. A StatusNotifierItem host (KDE Plasma,
// GNOME with the AppIndicator extension) reports a plain activation for a
// click and never a double click; an XEmbed tray reports both.
enum class TrayHost { XEmbed, StatusNotifier };

// The host the icon goes to on this bus: a StatusNotifierItem host when
// one is registered with the watcher, else an XEmbed tray (if any).
TrayHost trayHostOn(const QDBusConnection& bus);
// The mouse code an activation stands for. On a StatusNotifierItem host the
// plain activation is the one way to "double-click", and counts as one.
int32_t trayMouseCode(QSystemTrayIcon::ActivationReason reason, TrayHost host);

// Turns a tray's activations into mouse codes. A StatusNotifierItem host
// reports each click of a double click as an activation of its own: the
// first counts as the double click, and one that follows within the
// desktop's double-click interval belongs to it and counts as nothing.
class TrayActivations {
public:
    explicit TrayActivations(int doubleClickIntervalMs) : intervalMs_(doubleClickIntervalMs) {}
    // The code for an activation at `nowMs` (any steady clock), or 0 for
    // none.
    int32_t codeFor(QSystemTrayIcon::ActivationReason reason, TrayHost host, qint64 nowMs);

private:
    int intervalMs_;
    qint64 lastActivationMs_ = 0;
    bool pending_ = false;
};

// The program's icon in the notification area. Mouse actions on it reach the
// handler as a callback message whose last value is the mouse code.
class Tray {
public:
    using Handler = std::function<void(int32_t message, int32_t wParam, int32_t lParam)>;
    virtual ~Tray() = default;

    // Shows the icon with its tip; the menu is what a right click offers.
    // False when there is no notification area to show it in.
    virtual bool add(const QIcon& icon, const QString& tip, QMenu* menu, int32_t callbackMessage,
                     Handler handler) = 0;
    virtual void remove() = 0;
    // Brings the program forward and opens the menu at the mouse, unless
    // the notification area has already opened it on the click itself.
    virtual void popUpMenu(QMenu* menu) = 0;
};

// The real one, on QSystemTrayIcon (StatusNotifierItem or XEmbed). A tray
// may come after the program (a session starts it before the panel) and
// may go and come back (a panel restarted): from `add` on it watches for
// one, an XEmbed tray manager taking its selection or a
// StatusNotifierWatcher on the session bus, and puts the icon up again
// each time one appears. `add` answers whether the icon is up now.
class SystemTray final : public Tray {
public:
    SystemTray();
    ~SystemTray() override;

    bool add(const QIcon& icon, const QString& tip, QMenu* menu, int32_t callbackMessage,
             Handler handler) override;
    void remove() override;
    void popUpMenu(QMenu* menu) override;

    // Whether the icon is in a tray now.
    bool isShown() const;
    // How often the XEmbed tray's selection is looked at.
    static constexpr int kXEmbedPollMs = 500;

private:
    void watch();
    // A tray of this kind came, went or was replaced.
    void trayChanged(TrayHost which);
    // Puts the icon up when it is wanted, not up yet, and a tray is there.
    void showInTray();
    static bool isX11();
    // The window that holds the XEmbed tray's selection now; 0 for none or
    // off X11.
    static unsigned long xembedTrayOwner();

    std::unique_ptr<QSystemTrayIcon> icon_;
    TrayHost iconHost_ = TrayHost::XEmbed;
    std::unique_ptr<QObject> watcher_;
    QElapsedTimer clock_;
    TrayActivations activations_{0};
    QIcon image_;
    QString tip_;
    QPointer<QMenu> menu_;
    int32_t callbackMessage_ = 0;
    Handler handler_;
    bool wanted_ = false;
    bool statusNotifierHost_ = false;
    unsigned long xembedOwner_ = 0;
};

// The test stand-in: records what it was given and lets a test click.
class FakeTray final : public Tray {
public:
    bool add(const QIcon& i, const QString& t, QMenu* m, int32_t message, Handler h) override {
        ++adds;
        if (!available)
            return false;
        shown = true;
        icon = i;
        tip = t;
        menu = m;
        callbackMessage = message;
        handler = std::move(h);
        return true;
    }
    void remove() override {
        ++removes;
        shown = false;
    }
    void popUpMenu(QMenu* m) override { popUps.append(m); }
    // A mouse action on the icon, as the notification area reports it.
    void click(int32_t mouseCode) {
        if (shown && handler)
            handler(callbackMessage, 0, mouseCode);
    }

    bool available = true;
    bool shown = false;
    int adds = 0, removes = 0;
    QIcon icon;
    QString tip;
    QPointer<QMenu> menu;
    int32_t callbackMessage = 0;
    Handler handler;
    QList<QMenu*> popUps;
};

// The tray of the services, or while nobody set one a tray without a
// notification area: the icon is never shown and no click comes.
Tray& programTray();
