#include "tests/e2e/TopWindows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

Display* dpy(void* d) {
    return static_cast<Display*>(d);
}

int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

// A window may go away between the moment it is listed and the moment it
// is asked about: while this lives, the errors that gives are ignored
// (Xlib's own handler would end the test).
class IgnoredErrors {
public:
    explicit IgnoredErrors(Display* d) : d_(d) {
        XSync(d_, False);
        previous_ = XSetErrorHandler(ignoreError);
    }
    ~IgnoredErrors() {
        XSync(d_, False);
        XSetErrorHandler(previous_);
    }
    IgnoredErrors(const IgnoredErrors&) = delete;
    IgnoredErrors& operator=(const IgnoredErrors&) = delete;

private:
    Display* d_;
    XErrorHandler previous_ = nullptr;
};

QString captionOf(Display* d, Window w) {
    // The UTF-8 caption first, then the plain one.
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QString caption;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        caption = QString::fromUtf8(reinterpret_cast<const char*>(data), int(count));
        XFree(data);
    }
    if (caption.isEmpty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name) {
            caption = QString::fromLocal8Bit(name);
            XFree(name);
        }
    }
    return caption;
}

} // namespace

TopWindows::TopWindows() : display_(XOpenDisplay(nullptr)) {}

TopWindows::~TopWindows() {
    if (display_)
        XCloseDisplay(dpy(display_));
}

unsigned long TopWindows::find(const QString& caption) const {
    if (!display_)
        return 0;
    Display* d = dpy(display_);
    const IgnoredErrors ignored(d);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            captionOf(d, children[i]) == caption)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

bool TopWindows::shown(const QString& caption) const {
    return find(caption) != 0;
}

QRect TopWindows::geometry(const QString& caption) const {
    const Window w = find(caption);
    if (!w)
        return {};
    Display* d = dpy(display_);
    const IgnoredErrors ignored(d);
    XWindowAttributes a;
    Window child = 0;
    int x = 0, y = 0;
    if (!XGetWindowAttributes(d, w, &a) ||
        !XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child))
        return {};
    return QRect(x, y, a.width, a.height);
}

bool TopWindows::close(const QString& caption) const {
    const Window w = find(caption);
    if (!w)
        return false;
    Display* d = dpy(display_);
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
    return true;
}
