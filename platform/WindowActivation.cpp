#include "platform/WindowActivation.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <cstring>

namespace {

const char* const kWaylandToken = "XDG_ACTIVATION_TOKEN";

// Tells the desktop that the start named by the startup notice is over
// (the freedesktop.org startup notification "remove" message): sent to the
// root window, 20 bytes to a client message.
void endStartupNotice(const QByteArray& id) {
#if QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    // The id has no blanks (it came as a token); quotes and backslashes in
    // it are written as the message's syntax wants them.
    QByteArray value = id;
    if (id.contains('"') || id.contains('\\')) {
        value = "\"";
        for (char c : id) {
            if (c == '"' || c == '\\')
                value += '\\';
            value += c;
        }
        value += '"';
    }
    QByteArray message = "remove: ID=" + value;
    message += '\0';
    const Window root = DefaultRootWindow(display);
    const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    for (qsizetype sent = 0; sent < message.size(); sent += 20) {
        XEvent event;
        std::memset(&event, 0, sizeof event);
        event.xclient.type = ClientMessage;
        event.xclient.display = display;
        event.xclient.window = root;
        event.xclient.message_type = sent == 0 ? begin : more;
        event.xclient.format = 8;
        std::memcpy(event.xclient.data.b, message.constData() + sent,
                    std::min<qsizetype>(20, message.size() - sent));
        XSendEvent(display, root, False, PropertyChangeMask, &event);
    }
    XFlush(display);
#else
    Q_UNUSED(id);
#endif
}

} // namespace

QByteArray startActivationToken() {
    QByteArray token = qgetenv(kWaylandToken);
    if (token.isEmpty())
        token = qgetenv("DESKTOP_STARTUP_ID");
    return token;
}

WindowActivation::WindowActivation(const QByteArray& token)
    : WindowActivation(token, QGuiApplication::platformName()) {}

WindowActivation::WindowActivation(const QByteArray& token, const QString& platform)
    : token_(token) {
    if (token_.isEmpty())
        return;
    wayland_ = platform.startsWith(QStringLiteral("wayland"));
    x11_ = platform == QStringLiteral("xcb");
    // The platform's activation takes the token from there, and uses it up.
    if (wayland_)
        qputenv(kWaylandToken, token_);
}

WindowActivation::~WindowActivation() {
    if (wayland_ && qgetenv(kWaylandToken) == token_)
        qunsetenv(kWaylandToken);
    if (x11_)
        endStartupNotice(token_);
}
