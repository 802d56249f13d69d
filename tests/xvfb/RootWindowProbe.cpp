#include "tests/xvfb/RootWindowProbe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

int lastXError = 0;
int noteError(Display*, XErrorEvent* event) {
    lastXError = event->error_code;
    return 0;
}

Display* asDisplay(void* d) {
    return static_cast<Display*>(d);
}

} // namespace

RootWindowProbe::RootWindowProbe(const QString& displayName)
    : display_(
          XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.toLocal8Bit().constData())) {}

RootWindowProbe::~RootWindowProbe() {
    if (display_)
        XCloseDisplay(asDisplay(display_));
}

int RootWindowProbe::depth() const {
    return DefaultDepth(asDisplay(display_), DefaultScreen(asDisplay(display_)));
}

QSize RootWindowProbe::size() const {
    Display* d = asDisplay(display_);
    return QSize(DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d)));
}

QImage RootWindowProbe::grab() const {
    Display* d = asDisplay(display_);
    const QSize s = size();
    XImage* image = XGetImage(d, DefaultRootWindow(d), 0, 0, unsigned(s.width()),
                              unsigned(s.height()), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage out(s, QImage::Format_RGB32);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            out.setPixel(x, y, 0xff000000u | QRgb(XGetPixel(image, x, y) & 0xffffff));
    XDestroyImage(image);
    return out;
}

std::optional<uint32_t> RootWindowProbe::publishedPixmap() const {
    Display* d = asDisplay(display_);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<uint32_t> result;
    XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_XROOTPMAP_ID", False), 0, 1, False,
                       XA_PIXMAP, &type, &format, &count, &after, &data);
    if (data && count == 1)
        result = uint32_t(*reinterpret_cast<Pixmap*>(data));
    if (data)
        XFree(data);
    return result;
}

bool RootWindowProbe::pixmapExists(uint32_t pixmap) const {
    Display* d = asDisplay(display_);
    XErrorHandler previous = XSetErrorHandler(noteError);
    lastXError = 0;
    Window root;
    int x, y;
    unsigned w, h, border, depth;
    XGetGeometry(d, pixmap, &root, &x, &y, &w, &h, &border, &depth);
    XSync(d, False);
    XSetErrorHandler(previous);
    return lastXError == 0;
}

TestDesktopWindow::TestDesktopWindow(QRect geometry, const char* instance, bool framed)
    : display_(XOpenDisplay(nullptr)), framed_(framed) {
    Display* d = asDisplay(display_);
    if (!d)
        return;
    const Window root = DefaultRootWindow(d);
    Window parent = root;
    QRect inParent = geometry;
    if (framed) {
        parent =
            XCreateSimpleWindow(d, root, geometry.x(), geometry.y(), unsigned(geometry.width()),
                                unsigned(geometry.height()), 0, 0, 0);
        inParent.moveTo(0, 0);
    }
    const Window window =
        XCreateSimpleWindow(d, parent, inParent.x(), inParent.y(), unsigned(inParent.width()),
                            unsigned(inParent.height()), 0, 0, 0x123456);
    const Atom desktopType = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    XChangeProperty(d, window, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&desktopType), 1);
    XClassHint hint{const_cast<char*>(instance), const_cast<char*>("TestDesk")};
    XSetClassHint(d, window, &hint);
    if (framed) {
        XChangeProperty(d, root, XInternAtom(d, "_NET_CLIENT_LIST", False), XA_WINDOW, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&window), 1);
        XMapWindow(d, parent);
    }
    XMapWindow(d, window);
    XSync(d, False);
}

TestDesktopWindow::~TestDesktopWindow() {
    Display* d = asDisplay(display_);
    if (!d)
        return;
    if (framed_)
        XDeleteProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_CLIENT_LIST", False));
    // Closing the connection destroys its windows.
    XCloseDisplay(d);
}
