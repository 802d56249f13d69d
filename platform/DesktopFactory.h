#pragma once

#include "platform/Desktop.h"

#include <QString>
#include <memory>

class ProcessRunner;

// What the backend is chosen from.
struct DesktopSession {
    QString currentDesktop; // $XDG_CURRENT_DESKTOP: names separated by ":"
    QString display;        // $DISPLAY: empty when there is no X server
    static DesktopSession fromEnvironment();
};

// The backend for the session: the desktop's own settings where it has
// them and their tool is installed, the X root window for any other X
// session, and recording only when there is no session at all. The runner
// must outlive the backend.
std::unique_ptr<Desktop> createDesktop(const DesktopSession& session, ProcessRunner& runner);
