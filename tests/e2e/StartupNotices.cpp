#include "tests/e2e/StartupNotices.h"

#include <X11/Xlib.h>

StartupNotices::StartupNotices() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
    XSync(display, False);
    display_ = display;
}

StartupNotices::~StartupNotices() {
    if (display_)
        XCloseDisplay(static_cast<Display*>(display_));
}

QByteArrayList StartupNotices::messages() {
    auto* display = static_cast<Display*>(display_);
    if (!display)
        return {};
    const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.format != 8)
            continue;
        if (event.xclient.message_type == begin)
            partial_.clear();
        else if (event.xclient.message_type != more)
            continue;
        // A message goes 20 bytes at a time and ends at its NUL.
        const char* bytes = event.xclient.data.b;
        for (int i = 0; i < 20; ++i) {
            if (bytes[i] == '\0') {
                done_.append(partial_);
                partial_.clear();
                break;
            }
            partial_ += bytes[i];
        }
    }
    return done_;
}
