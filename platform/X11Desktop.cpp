#include "platform/X11Desktop.h"

#include "platform/ImageBox.h"
#include "platform/ScreenPicture.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

namespace {

// Xlib reports protocol errors through one process-wide handler; while we
// talk to the server it only notes the first error instead of exiting.
int firstError = 0;
int noteError(Display*, XErrorEvent* event) {
    if (firstError == 0)
        firstError = event->error_code;
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        firstError = 0;
        previous_ = XSetErrorHandler(noteError);
    }
    ~ErrorTrap() { XSetErrorHandler(previous_); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server to catch up; the first error since the last call.
    int sync() {
        XSync(display_, False);
        return std::exchange(firstError, 0);
    }

private:
    Display* display_;
    XErrorHandler previous_;
};

QString xErrorText(Display* display, int code) {
    char text[256] = {};
    XGetErrorText(display, code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

// The lowest set bit and the width of a visual's colour mask.
void maskShape(unsigned long mask, int& shift, int& bits) {
    shift = 0;
    bits = 0;
    if (mask == 0)
        return;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++bits;
    }
}

unsigned long channelBits(int value, unsigned long mask) {
    int shift = 0, bits = 0;
    maskShape(mask, shift, bits);
    return bits == 0 ? 0 : (static_cast<unsigned long>(value >> (8 - std::min(bits, 8))) << shift);
}

// Puts the picture into a pixmap of the root window's depth. 24-bit colour
// in 32-bit pixels, the usual case, goes across as it is held.
Pixmap uploadPixmap(Display* display, int screen, const QImage& picture) {
    const Window root = RootWindow(display, screen);
    const int depth = DefaultDepth(display, screen);
    Visual* visual = DefaultVisual(display, screen);
    const int width = picture.width(), height = picture.height();
    const Pixmap pixmap =
        XCreatePixmap(display, root, unsigned(width), unsigned(height), unsigned(depth));
    XImage* image = XCreateImage(display, visual, unsigned(depth), ZPixmap, 0, nullptr,
                                 unsigned(width), unsigned(height), 32, 0);
    if (!image)
        return pixmap;
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                        visual->red_mask == 0xff0000 && visual->green_mask == 0xff00 &&
                        visual->blue_mask == 0xff && image->bytes_per_line == width * 4;
    QImage converted;
    if (direct) {
        converted = picture.convertToFormat(QImage::Format_RGB32);
        image->data = reinterpret_cast<char*>(converted.bits());
    } else {
        image->data = static_cast<char*>(malloc(size_t(image->bytes_per_line) * size_t(height)));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb c = picture.pixel(x, y);
                XPutPixel(image, x, y,
                          channelBits(qRed(c), visual->red_mask) |
                              channelBits(qGreen(c), visual->green_mask) |
                              channelBits(qBlue(c), visual->blue_mask));
            }
    }
    const GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, unsigned(width), unsigned(height));
    XFreeGC(display, gc);
    if (direct)
        image->data = nullptr; // owned by the QImage
    XDestroyImage(image);
    return pixmap;
}

std::optional<Pixmap> pixmapProperty(Display* display, Window root, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<Pixmap> result;
    if (XGetWindowProperty(display, root, property, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && count == 1 && data)
        result = *reinterpret_cast<Pixmap*>(data);
    if (data)
        XFree(data);
    return result;
}

// The previous setter kept its pixmap alive by leaving its connection
// retained; when both properties still name that pixmap, ending that
// connection frees it, as the other root-window setters do.
void freePreviousPixmap(Display* display, Window root, ErrorTrap& trap) {
    const Atom rootAtom = XInternAtom(display, "_XROOTPMAP_ID", True);
    const Atom esetAtom = XInternAtom(display, "ESETROOT_PMAP_ID", True);
    if (rootAtom == None || esetAtom == None)
        return;
    const std::optional<Pixmap> shown = pixmapProperty(display, root, rootAtom);
    const std::optional<Pixmap> owned = pixmapProperty(display, root, esetAtom);
    if (shown && owned && *shown == *owned)
        XKillClient(display, *owned);
    trap.sync(); // a pixmap that is gone already is no error of ours
}

std::optional<QList<unsigned long>> listProperty(Display* display, Window window, Atom property,
                                                 Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<QList<unsigned long>> result;
    // Xlib hands 32-bit items over as longs.
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        actualType == type && format == 32 && data) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        result = QList<unsigned long>(items, items + count);
    }
    if (data)
        XFree(data);
    return result;
}

// The windows the window manager manages and, for a session without one
// or windows it leaves alone, the root window's own children.
QList<Window> topLevelWindows(Display* display, Window root) {
    QList<Window> windows;
    const Atom clients = XInternAtom(display, "_NET_CLIENT_LIST", True);
    if (clients != None) {
        if (const auto list = listProperty(display, root, clients, XA_WINDOW))
            for (const unsigned long w : *list)
                windows.append(Window(w));
    }
    Window rootOut = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootOut, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            if (!windows.contains(children[i]))
                windows.append(children[i]);
    }
    if (children)
        XFree(children);
    return windows;
}

QList<DesktopWindow> desktopWindowsOn(Display* display, ErrorTrap& trap) {
    QList<DesktopWindow> found;
    const Atom typeAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE", True);
    const Atom desktopAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", True);
    if (typeAtom == None || desktopAtom == None)
        return found; // no window has ever said it is a desktop
    const Window root = DefaultRootWindow(display);
    for (const Window window : topLevelWindows(display, root)) {
        const auto types = listProperty(display, window, typeAtom, XA_ATOM);
        if (!types || !types->contains(desktopAtom))
            continue;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        int x = 0, y = 0;
        Window child = 0;
        if (!XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child))
            continue;
        DesktopWindow desktop;
        desktop.geometry = QRect(x, y, attributes.width, attributes.height);
        XClassHint hint{nullptr, nullptr};
        if (XGetClassHint(display, window, &hint)) {
            desktop.instance = QString::fromLocal8Bit(hint.res_name);
            desktop.className = QString::fromLocal8Bit(hint.res_class);
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        found.append(desktop);
    }
    trap.sync(); // a window that went away meanwhile is no error of ours
    return found;
}

// RandR 1.5 monitors: the outputs' own, and the virtual ones that
// `xrandr --setmonitor` makes.
QList<Monitor> randrMonitors(Display* display, Window root) {
    QList<Monitor> found;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor) ||
        (major < 1 || (major == 1 && minor < 5)))
        return found;
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count);
    if (!info)
        return found;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    for (int i = 0; i < count; ++i) {
        Monitor m;
        m.geometry = m.logical = QRect(info[i].x, info[i].y, info[i].width, info[i].height);
        m.primary = info[i].primary;
        if (char* name = XGetAtomName(display, info[i].name)) {
            m.names << QString::fromLocal8Bit(name);
            XFree(name);
        }
        for (int o = 0; resources && o < info[i].noutput; ++o)
            if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, info[i].outputs[o])) {
                const QString name = QString::fromLocal8Bit(output->name, output->nameLen);
                if (!m.names.contains(name))
                    m.names << name;
                XRRFreeOutputInfo(output);
            }
        found.append(m);
    }
    if (resources)
        XRRFreeScreenResources(resources);
    XRRFreeMonitors(info);
    return found;
}

QList<Monitor> xineramaMonitors(Display* display) {
    QList<Monitor> found;
    int event = 0, error = 0;
    if (!XineramaQueryExtension(display, &event, &error) || !XineramaIsActive(display))
        return found;
    int count = 0;
    XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
    for (int i = 0; info && i < count; ++i) {
        Monitor m;
        m.geometry = m.logical = QRect(info[i].x_org, info[i].y_org, info[i].width, info[i].height);
        m.names << QString::number(info[i].screen_number);
        m.primary = i == 0;
        found.append(m);
    }
    if (info)
        XFree(info);
    return found;
}

QList<Monitor> monitorsOn(Display* display, ErrorTrap& trap) {
    const Window root = DefaultRootWindow(display);
    QList<Monitor> found = randrMonitors(display, root);
    if (trap.sync() != 0)
        found.clear();
    if (found.isEmpty())
        found = xineramaMonitors(display);
    trap.sync();
    return found;
}

// What a question asked over a connection of its own finds; nothing when
// the display can't be opened.
template <typename Question> auto askDisplay(const QString& displayName, Question question) {
    const QByteArray name = displayName.toLocal8Bit();
    Display* display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    decltype(question(display, std::declval<ErrorTrap&>())) found;
    if (!display)
        return found;
    {
        ErrorTrap trap(display);
        found = question(display, trap);
    }
    XCloseDisplay(display);
    return found;
}

} // namespace

QString coveredRootMessage(const QString& who) {
    return QStringLiteral("the desktop is drawn by %1, which covers the screen; this "
                          "program can't set the wallpaper of this desktop")
        .arg(who);
}

QList<Monitor> X11Desktop::monitors(const QString& displayName) {
    return askDisplay(displayName, monitorsOn);
}

QList<DesktopWindow> X11Desktop::desktopWindows(const QString& displayName) {
    return askDisplay(displayName, desktopWindowsOn);
}

bool X11Desktop::coverScreen(const QList<DesktopWindow>& windows, QSize screen) {
    if (windows.isEmpty())
        return false;
    QRegion uncovered(QRect(QPoint(0, 0), screen));
    for (const DesktopWindow& w : windows)
        uncovered -= w.geometry;
    return uncovered.isEmpty();
}

X11Desktop::X11Desktop(QString displayName) : displayName_(std::move(displayName)) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    // A monitor plugged in, taken away or resized: the root is ours to
    // paint, so it gets its new picture at once. The screens often change
    // several at a time; they are painted once when the changes are done.
    screenWatch_ = std::make_unique<QObject>();
    auto* later = new QTimer(screenWatch_.get());
    later->setSingleShot(true);
    later->setInterval(0);
    QObject::connect(later, &QTimer::timeout, screenWatch_.get(), [this] { repaint(); });
    const auto watch = [later](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, later, qOverload<>(&QTimer::start));
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(app, &QGuiApplication::screenAdded, later, [later, watch](QScreen* screen) {
        watch(screen);
        later->start();
    });
    QObject::connect(app, &QGuiApplication::screenRemoved, later, qOverload<>(&QTimer::start));
    QObject::connect(app, &QGuiApplication::primaryScreenChanged, later,
                     qOverload<>(&QTimer::start));
}

X11Desktop::~X11Desktop() = default;

QString X11Desktop::repaint() {
    if (!shown_)
        return {};
    const DesktopValues values = *shown_;
    return apply(values);
}

QString X11Desktop::apply(const DesktopValues& values) {
    QImage bitmap;
    if (!values.wallpaperPath.isEmpty()) {
        ImageBox box;
        if (const int32_t code = box.load(values.wallpaperPath))
            return QStringLiteral("the wallpaper bitmap %1 could not be read (%2)")
                .arg(values.wallpaperPath)
                .arg(code);
        bitmap = box.takeImage();
    }
    const QRgb colour = desktopColour(values, lastColour_);

    const QByteArray name = displayName_.toLocal8Bit();
    // A connection of its own: its pixmap outlives it once it is retained.
    Display* display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (!display)
        return QStringLiteral("the X display %1 could not be opened")
            .arg(name.isEmpty() ? qEnvironmentVariable("DISPLAY") : displayName_);
    ErrorTrap trap(display);
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const QSize size(DisplayWidth(display, screen), DisplayHeight(display, screen));

    // A desktop this program does not know draws its own background over
    // the root window: painting it would change nothing anyone sees.
    if (const QList<DesktopWindow> desktops = desktopWindowsOn(display, trap);
        coverScreen(desktops, size)) {
        const DesktopWindow& first = desktops.first();
        const QString who = !first.instance.isEmpty()    ? first.instance
                            : !first.className.isEmpty() ? first.className
                                                         : QStringLiteral("another program");
        XCloseDisplay(display);
        return coveredRootMessage(who);
    }

    // Each monitor its own part; what no monitor shows keeps the colour.
    QList<Monitor> layout = monitorsOn(display, trap);
    if (layout.isEmpty())
        layout = singleMonitor(size);
    MonitorBitmaps bitmaps(values, bitmap);
    const QImage picture =
        composeLayout(QRect(QPoint(0, 0), size), layout, values, bitmaps, colour);
    const Pixmap pixmap = uploadPixmap(display, screen, picture);
    if (const int error = trap.sync()) {
        const QString text = xErrorText(display, error);
        XFreePixmap(display, pixmap);
        trap.sync();
        XCloseDisplay(display);
        return QStringLiteral("the screen picture could not be made: %1").arg(text);
    }

    freePreviousPixmap(display, root, trap);
    const Atom rootAtom = XInternAtom(display, "_XROOTPMAP_ID", False);
    const Atom esetAtom = XInternAtom(display, "ESETROOT_PMAP_ID", False);
    XChangeProperty(display, root, rootAtom, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XChangeProperty(display, root, esetAtom, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    if (const int error = trap.sync()) {
        const QString text = xErrorText(display, error);
        XFreePixmap(display, pixmap);
        XCloseDisplay(display);
        return QStringLiteral("the root window refused the picture: %1").arg(text);
    }
    XSetCloseDownMode(display, RetainPermanent);
    XCloseDisplay(display);
    shown_ = values;
    return {};
}
