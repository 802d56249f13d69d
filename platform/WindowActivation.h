#pragma once

#include <QByteArray>
#include <QString>

// The activation token this start of the program was given by the desktop
// that started it: XDG_ACTIVATION_TOKEN (Wayland), else DESKTOP_STARTUP_ID
// (X11); empty when there is none. Read it before the application object
// exists: the X11 platform takes DESKTOP_STARTUP_ID away as it starts.
QByteArray startActivationToken();

// While it lives, a window that this copy brings forward does so with the
// permission a later start of the program was given, which it handed
// over: desktops with focus-stealing prevention (GNOME, Plasma under
// Wayland) otherwise leave a covered window where it is. Under Wayland the
// token is what the platform uses for its next activation (and is taken
// back at the end, when nothing used it); under X11 it names the startup
// notice of that start, which the end of the scope closes, so that the
// desktop stops showing that the program is starting. An empty token
// changes nothing.
class WindowActivation {
public:
    explicit WindowActivation(const QByteArray& token);
    // For tests: as on the named platform ("wayland", "xcb").
    WindowActivation(const QByteArray& token, const QString& platform);
    ~WindowActivation();
    WindowActivation(const WindowActivation&) = delete;
    WindowActivation& operator=(const WindowActivation&) = delete;

private:
    QByteArray token_;
    bool wayland_ = false;
    bool x11_ = false;
};
