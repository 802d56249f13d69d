#pragma once

#include "platform/Desktop.h"
#include "platform/X11Desktop.h"

#include <QList>
#include <QString>
#include <memory>

class ProcessRunner;

// What the backend is chosen from.
struct DesktopSession {
    QString currentDesktop; // $XDG_CURRENT_DESKTOP: names separated by ":"
    QString display;        // $DISPLAY: empty when there is no X server
    // $XDG_SESSION_TYPE is "wayland", or $WAYLAND_DISPLAY is set.
    bool wayland = false;
    // The desktop windows shown on the X display.
    QList<DesktopWindow> desktopWindows;
    static DesktopSession fromEnvironment();
};

// The backend for the session: the desktop's own settings where it has
// them and their tool is installed, found by the session's desktop names or
// else by the program that draws its desktop window; the X root window for
// any other X session (which refuses when a desktop window covers it); a
// refusal for any other Wayland session; recording only when there is no
// session at all. The runner must outlive the backend.
std::unique_ptr<Desktop> createDesktop(const DesktopSession& session, ProcessRunner& runner);
