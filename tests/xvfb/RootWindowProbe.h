#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

// A connection of the test's own for reading the root window back. Xlib
// stays out of this header: its macros and its Screen type clash with ours.
class RootWindowProbe {
public:
    // An empty name means $DISPLAY.
    explicit RootWindowProbe(const QString& displayName = {});
    ~RootWindowProbe();
    RootWindowProbe(const RootWindowProbe&) = delete;
    RootWindowProbe& operator=(const RootWindowProbe&) = delete;

    bool connected() const { return display_ != nullptr; }
    int depth() const;
    QSize size() const;
    // What the root window shows now, as 24-bit colour.
    QImage grab() const;
    // The pixmap published in _XROOTPMAP_ID.
    std::optional<uint32_t> publishedPixmap() const;
    bool pixmapExists(uint32_t pixmap) const;

private:
    void* display_ = nullptr;
};

// A window of the test's own that says it draws the desktop
// (_NET_WM_WINDOW_TYPE_DESKTOP), shown until the object goes. `framed`
// puts it in a frame window and lists it in _NET_CLIENT_LIST, as a
// window manager that reparents would.
class TestDesktopWindow {
public:
    TestDesktopWindow(QRect geometry, const char* instance, bool framed = false);
    ~TestDesktopWindow();
    TestDesktopWindow(const TestDesktopWindow&) = delete;
    TestDesktopWindow& operator=(const TestDesktopWindow&) = delete;

private:
    void* display_ = nullptr;
    bool framed_ = false;
};
