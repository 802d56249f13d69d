#include "platform/DesktopFactory.h"

#include "platform/GnomeDesktop.h"
#include "platform/KdeDesktop.h"
#include "platform/PcmanfmDesktop.h"
#include "platform/ProcessRunner.h"
#include "platform/RecordingDesktop.h"
#include "platform/RefusingDesktop.h"
#include "platform/XfceDesktop.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QStringList>
#include <optional>
#include <utility>

namespace {

enum class Kind { Gnome, Cinnamon, Mate, Kde, Xfce, LXQt, LXDE };

// A desktop by one of the names it gives itself in $XDG_CURRENT_DESKTOP.
// Pantheon keeps its background in GNOME's settings.
std::optional<Kind> kindOf(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == u"gnome" || n == u"gnome-classic" || n == u"gnome-flashback" || n == u"ubuntu" ||
        n == u"unity" || n == u"budgie" || n == u"budgie-desktop" || n == u"pantheon")
        return Kind::Gnome;
    if (n == u"x-cinnamon" || n == u"cinnamon")
        return Kind::Cinnamon;
    if (n == u"mate")
        return Kind::Mate;
    if (n == u"kde")
        return Kind::Kde;
    if (n == u"xfce")
        return Kind::Xfce;
    if (n == u"lxqt")
        return Kind::LXQt;
    if (n == u"lxde")
        return Kind::LXDE;
    return std::nullopt;
}

// A desktop by the program that draws its desktop window, for sessions
// that name another desktop or none ("i3" with pcmanfm's desktop).
std::optional<Kind> kindOfWindow(const DesktopWindow& window) {
    for (const QString& name : {window.instance, window.className}) {
        const QString n = name.toLower();
        if (n == u"xfdesktop")
            return Kind::Xfce;
        if (n == u"pcmanfm-qt")
            return Kind::LXQt;
        if (n == u"pcmanfm")
            return Kind::LXDE;
        if (n == u"caja")
            return Kind::Mate;
        if (n == u"nemo-desktop")
            return Kind::Cinnamon;
        if (n == u"plasmashell")
            return Kind::Kde;
    }
    return std::nullopt;
}

// The shells that paint the desktop's background themselves, by the name
// each owns on the session bus, and the program that is.
struct BusShell {
    const char* busName;
    Kind kind;
    const char* program;
};
constexpr BusShell kBusShells[] = {
    {"org.gnome.Shell", Kind::Gnome, "gnome-shell"},
    {"org.Cinnamon", Kind::Cinnamon, "cinnamon"},
    {"org.kde.plasmashell", Kind::Kde, "plasmashell"},
    {"org.xfce.xfdesktop", Kind::Xfce, "xfdesktop"},
};

const BusShell* busShellOf(const QString& name) {
    for (const BusShell& shell : kBusShells)
        if (name == QLatin1String(shell.busName))
            return &shell;
    return nullptr;
}

// Desktops drawn by a program in windows over the monitors its toolkit
// knows. A monitor the toolkit does not see (a virtual one without an
// output) shows the root window, so that is painted too; where the windows
// cover the whole root, the root window refuses and nothing is painted.
class AlsoTheRootWindow final : public Desktop {
public:
    AlsoTheRootWindow(std::unique_ptr<Desktop> desktop, const QString& display)
        : desktop_(std::move(desktop)), root_(display) {}
    QString name() const override { return desktop_->name(); }
    QString apply(const DesktopValues& values) override {
        QString problem = desktop_->apply(values);
        if (problem.isEmpty())
            root_.apply(values); // what is seen is the desktop's: the root is extra
        return problem;
    }

private:
    std::unique_ptr<Desktop> desktop_;
    X11Desktop root_;
};

bool drawsInWindows(Kind kind) {
    return kind == Kind::Xfce || kind == Kind::LXQt || kind == Kind::LXDE || kind == Kind::Mate;
}

// The tool a desktop's backend needs.
QString toolOf(Kind kind) {
    switch (kind) {
    case Kind::Kde:
        // The shell is looked for when the wallpaper changes, not now: at
        // logon this program may start before it.
        return QStringLiteral("plasmashell");
    case Kind::Xfce:
        return QStringLiteral("xfconf-query");
    case Kind::LXQt:
        return PcmanfmDesktop::programOf(PcmanfmDesktop::Variant::LXQt);
    case Kind::LXDE:
        return PcmanfmDesktop::programOf(PcmanfmDesktop::Variant::LXDE);
    default:
        return QStringLiteral("gsettings");
    }
}

std::unique_ptr<Desktop> backendOf(Kind kind, ProcessRunner& runner, const QString& display) {
    switch (kind) {
    case Kind::Gnome:
        return std::make_unique<GnomeDesktop>(GnomeDesktop::Family::Gnome, runner);
    case Kind::Cinnamon:
        return std::make_unique<GnomeDesktop>(GnomeDesktop::Family::Cinnamon, runner);
    case Kind::Mate:
        return std::make_unique<GnomeDesktop>(GnomeDesktop::Family::Mate, runner);
    case Kind::Kde:
        return std::make_unique<KdeDesktop>(std::make_unique<DBusPlasmaScripting>());
    case Kind::Xfce:
        // The desktop names its settings after the X server's monitors and
        // their outputs.
        return std::make_unique<XfceDesktop>(runner, [display] {
            const QList<Monitor> monitors =
                display.isEmpty() ? QList<Monitor>() : X11Desktop::monitors(display);
            return monitors.isEmpty() ? qtMonitors() : monitors;
        });
    case Kind::LXQt:
        return std::make_unique<PcmanfmDesktop>(PcmanfmDesktop::Variant::LXQt, runner);
    case Kind::LXDE:
        return std::make_unique<PcmanfmDesktop>(PcmanfmDesktop::Variant::LXDE, runner);
    }
    return nullptr;
}

} // namespace

QStringList DesktopSession::shellsOn(const QDBusConnection& bus) {
    QStringList found;
    const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (!names)
        return found;
    for (const BusShell& shell : kBusShells) {
        const QString name = QLatin1String(shell.busName);
        if (names->isServiceRegistered(name).value())
            found << name;
    }
    return found;
}

DesktopSession DesktopSession::fromEnvironment() {
    DesktopSession session;
    session.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    session.display = qEnvironmentVariable("DISPLAY");
    session.wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" ||
                      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!session.display.isEmpty() && !session.wayland)
        session.desktopWindows = X11Desktop::desktopWindows(session.display);
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        session.busShells = shellsOn(QDBusConnection::sessionBus());
    return session;
}

std::unique_ptr<Desktop> createDesktop(const DesktopSession& session, ProcessRunner& runner) {
    // The first name this program knows decides ("ubuntu:GNOME", "Budgie:GNOME").
    const QStringList names = session.currentDesktop.split(u':', Qt::SkipEmptyParts);
    std::optional<Kind> kind;
    for (const QString& name : names)
        if ((kind = kindOf(name)))
            break;
    // A session that names no desktop this program knows may still run a
    // shell it knows, which paints the background over the root window.
    const BusShell* shell = nullptr;
    for (qsizetype i = 0; !kind && i < session.busShells.size(); ++i)
        if ((shell = busShellOf(session.busShells[i])))
            kind = shell->kind;
    for (qsizetype i = 0; !kind && i < session.desktopWindows.size(); ++i)
        kind = kindOfWindow(session.desktopWindows[i]);
    QString missing;
    if (kind) {
        if (runner.available(toolOf(*kind))) {
            std::unique_ptr<Desktop> backend = backendOf(*kind, runner, session.display);
            if (drawsInWindows(*kind) && !session.wayland && !session.display.isEmpty())
                return std::make_unique<AlsoTheRootWindow>(std::move(backend), session.display);
            return backend;
        }
        missing = toolOf(*kind);
    }
    if (shell && !session.wayland)
        return std::make_unique<RefusingDesktop>(QStringLiteral("X11"),
                                                 coveredRootMessage(QLatin1String(shell->program)));

    // The root window of Xwayland is never seen.
    if (session.wayland) {
        const QString name = names.isEmpty() ? QStringLiteral("Wayland") : names.first();
        return std::make_unique<RefusingDesktop>(
            name, missing.isEmpty()
                      ? QStringLiteral("this program can't set the wallpaper of this Wayland "
                                       "desktop")
                      : QStringLiteral("%1 is not installed, and this program can't set the "
                                       "wallpaper of this Wayland desktop without it")
                            .arg(missing));
    }
    if (!session.display.isEmpty())
        return std::make_unique<X11Desktop>(session.display);
    return std::make_unique<RecordingDesktop>();
}
