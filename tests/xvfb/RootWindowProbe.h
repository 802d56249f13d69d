#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <optional>

// A connection of the test's own for reading the root window back. Xlib
// stays out of this header: its macros and its Screen type clash with ours.
class RootWindowProbe {
public:
    RootWindowProbe();
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
