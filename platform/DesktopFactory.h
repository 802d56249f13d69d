#pragma once

#include "platform/Desktop.h"
#include "platform/X11Desktop.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class ProcessRunner;
class QDBusConnection;

// What the backend is chosen from.
struct DesktopSession {
    QString currentDesktop; // $XDG_CURRENT_DESKTOP: names separated by ":"
    QString display;        // $DISPLAY: empty when there is no X server
    // $XDG_SESSION_TYPE is "wayland", or $WAYLAND_DISPLAY is set.
    bool wayland = false;
    // The desktop windows shown on the X display.
    QList<DesktopWindow> desktopWindows;
    // The desktop shells running, by the names they own on the session bus
    // ("org.gnome.Shell").
    QStringList busShells;
    static DesktopSession fromEnvironment();
    // The names of shells this program knows that are owned on the bus.
    static QStringList shellsOn(const QDBusConnection& bus);
};

// The backend for the session: the desktop's own settings where it has
// them and their tool is installed, found by the session's desktop names,
// else by the shell running on the session bus, else by the program that
// draws its desktop window; a refusal when a shell that paints the
// background runs but its tool is missing; the X root window for any other
// X session (which refuses when a desktop window covers it); a refusal for
// any other Wayland session; recording only when there is no session at
// all. The runner must outlive the backend.
std::unique_ptr<Desktop> createDesktop(const DesktopSession& session, ProcessRunner& runner);
