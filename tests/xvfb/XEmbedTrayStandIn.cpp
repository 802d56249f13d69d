#include "tests/xvfb/XEmbedTrayStandIn.h"

#include <QByteArray>
#include <array>

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xcomposite.h>

namespace {

Display* dpy(void* display) {
    return static_cast<Display*>(display);
}

// A client message of five longs to a window.
void sendMessage(Display* d, Window to, const char* type, long mask, std::array<long, 5> data) {
    XClientMessageEvent message = {};
    message.type = ClientMessage;
    message.window = to;
    message.message_type = XInternAtom(d, type, False);
    message.format = 32;
    for (int n = 0; n < 5; ++n)
        message.data.l[n] = data[n];
    XSendEvent(d, to, False, mask, reinterpret_cast<XEvent*>(&message));
}

constexpr long kRequestDock = 0;
constexpr long kEmbeddedNotify = 0;

} // namespace

XEmbedTrayStandIn::XEmbedTrayStandIn(bool offerArgbVisual) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        problem_ = QStringLiteral("no X display");
        return;
    }
    display_ = d;
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    // The panel: a strip in a colour of its own, where the icons go.
    window_ = XCreateSimpleWindow(d, root, 100, 100, 64, 32, 0, 0, kBackground);
    XMapWindow(d, window_);
    opcodeAtom_ = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    if (offerArgbVisual) {
        XVisualInfo info;
        if (XMatchVisualInfo(d, screen, 32, TrueColor, &info)) {
            argbVisual_ = info.visualid;
            const long id = static_cast<long>(info.visualid);
            XChangeProperty(d, window_, XInternAtom(d, "_NET_SYSTEM_TRAY_VISUAL", False),
                            XA_VISUALID, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&id), 1);
            // A tray that offers alpha composites its icons itself: it
            // reads each icon's own pixels, alpha and all.
            int event = 0, error = 0;
            if (XCompositeQueryExtension(d, &event, &error)) {
                XCompositeRedirectSubwindows(d, window_, CompositeRedirectManual);
                composited_ = true;
            }
        }
    }
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
    const Atom selection = XInternAtom(d, name.constData(), False);
    XSetSelectionOwner(d, selection, window_, CurrentTime);
    if (XGetSelectionOwner(d, selection) != window_) {
        problem_ = QStringLiteral("the tray selection could not be taken");
        return;
    }
    sendMessage(d, root, "MANAGER", StructureNotifyMask,
                {CurrentTime, static_cast<long>(selection), static_cast<long>(window_), 0, 0});
    XSync(d, False);
}

XEmbedTrayStandIn::~XEmbedTrayStandIn() {
    if (!display_)
        return;
    // The selection goes with the window, as when a panel ends.
    if (window_)
        XDestroyWindow(dpy(display_), window_);
    XCloseDisplay(dpy(display_));
}

QList<unsigned long> XEmbedTrayStandIn::dockRequests() {
    if (!display_)
        return {};
    Display* d = dpy(display_);
    XSync(d, False);
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type == ClientMessage && event.xclient.window == window_ &&
            event.xclient.message_type == opcodeAtom_ && event.xclient.data.l[1] == kRequestDock)
            embed(static_cast<unsigned long>(event.xclient.data.l[2]));
    }
    return docked_;
}

void XEmbedTrayStandIn::embed(unsigned long icon) {
    Display* d = dpy(display_);
    docked_ << icon;
    // As trays do: the icon goes into the panel, is told so, and is shown.
    XReparentWindow(d, icon, window_, 4 + 26 * (docked_.size() - 1) % 52, 4);
    sendMessage(d, icon, "_XEMBED", NoEventMask,
                {CurrentTime, kEmbeddedNotify, 0, static_cast<long>(window_), 0});
    XMapWindow(d, icon);
    XSync(d, False);
}

int XEmbedTrayStandIn::depthOf(unsigned long window) const {
    if (!display_)
        return 0;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy(display_), window, &attributes))
        return 0;
    return attributes.depth;
}

QImage XEmbedTrayStandIn::contentOf(unsigned long window) const {
    if (!display_)
        return {};
    Display* d = dpy(display_);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes) || attributes.map_state != IsViewable)
        return {};
    const Pixmap own = composited_ ? XCompositeNameWindowPixmap(d, window) : 0;
    XImage* image = XGetImage(d, own ? own : window, 0, 0, attributes.width, attributes.height,
                              AllPlanes, ZPixmap);
    if (own)
        XFreePixmap(d, own);
    if (!image)
        return {};
    const bool alpha = attributes.depth == 32;
    QImage out(attributes.width, attributes.height, QImage::Format_ARGB32);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            out.setPixel(x, y, alpha ? static_cast<uint>(pixel) : (0xff000000u | pixel));
        }
    }
    XDestroyImage(image);
    return out;
}
