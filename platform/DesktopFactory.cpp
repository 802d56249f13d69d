#include "platform/DesktopFactory.h"

#include "platform/GnomeDesktop.h"
#include "platform/KdeDesktop.h"
#include "platform/ProcessRunner.h"
#include "platform/RecordingDesktop.h"
#include "platform/X11Desktop.h"
#include "platform/XfceDesktop.h"

#include <QStringList>
#include <optional>

namespace {

enum class Kind { Gnome, Cinnamon, Mate, Kde, Xfce };

std::optional<Kind> kindOf(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == u"gnome" || n == u"gnome-classic" || n == u"gnome-flashback" || n == u"ubuntu" ||
        n == u"unity" || n == u"budgie" || n == u"budgie-desktop")
        return Kind::Gnome;
    if (n == u"x-cinnamon" || n == u"cinnamon")
        return Kind::Cinnamon;
    if (n == u"mate")
        return Kind::Mate;
    if (n == u"kde")
        return Kind::Kde;
    if (n == u"xfce")
        return Kind::Xfce;
    return std::nullopt;
}

// The desktop's own backend, or nothing when its tool is missing.
std::unique_ptr<Desktop> ownBackend(Kind kind, ProcessRunner& runner) {
    const bool gsettings = runner.available(QStringLiteral("gsettings"));
    switch (kind) {
    case Kind::Gnome:
        return gsettings ? std::make_unique<GnomeDesktop>(GnomeDesktop::Family::Gnome, runner)
                         : nullptr;
    case Kind::Cinnamon:
        return gsettings ? std::make_unique<GnomeDesktop>(GnomeDesktop::Family::Cinnamon, runner)
                         : nullptr;
    case Kind::Mate:
        return gsettings ? std::make_unique<GnomeDesktop>(GnomeDesktop::Family::Mate, runner)
                         : nullptr;
    case Kind::Kde:
        // The shell is looked for when the wallpaper changes, not now: at
        // logon this program may start before it.
        return runner.available(QStringLiteral("plasmashell"))
                   ? std::make_unique<KdeDesktop>(std::make_unique<DBusPlasmaScripting>())
                   : nullptr;
    case Kind::Xfce:
        return runner.available(QStringLiteral("xfconf-query"))
                   ? std::make_unique<XfceDesktop>(runner)
                   : nullptr;
    }
    return nullptr;
}

} // namespace

DesktopSession DesktopSession::fromEnvironment() {
    return DesktopSession{qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                          qEnvironmentVariable("DISPLAY")};
}

std::unique_ptr<Desktop> createDesktop(const DesktopSession& session, ProcessRunner& runner) {
    // The first name this program knows decides ("ubuntu:GNOME", "Budgie:GNOME").
    for (const QString& name : session.currentDesktop.split(u':', Qt::SkipEmptyParts)) {
        if (const std::optional<Kind> kind = kindOf(name)) {
            if (std::unique_ptr<Desktop> own = ownBackend(*kind, runner))
                return own;
            break;
        }
    }
    if (!session.display.isEmpty())
        return std::make_unique<X11Desktop>(session.display);
    return std::make_unique<RecordingDesktop>();
}
