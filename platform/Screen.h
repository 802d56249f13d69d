#pragma once

#include <QRect>
#include <QSize>

// The primary screen in device pixels, and the twips that window sizes are
// given in (1440 twips to the logical inch).
class Screen {
public:
    virtual ~Screen() = default;
    virtual int widthPixels() const = 0;
    virtual int heightPixels() const = 0;
    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;
    virtual int bitsPerPixel() const = 0;
    // The part of the screen a maximized window covers (without panels and
    // docks), in device pixels; the whole screen unless told otherwise.
    virtual QRect workArea() const { return QRect(0, 0, widthPixels(), heightPixels()); }
    // Whether the program's own window positions are taken. Under Wayland
    // the desktop places every window (a window can only be tied to the
    // one it belongs to, to be placed over it).
    virtual bool placesOwnWindows() const { return true; }

    int widthTwips() const { return widthPixels() * twipsPerPixelX(); }
    int heightTwips() const { return heightPixels() * twipsPerPixelY(); }
};

class QtScreen final : public Screen {
public:
    int widthPixels() const override;
    int heightPixels() const override;
    int twipsPerPixelX() const override;
    int twipsPerPixelY() const override;
    int bitsPerPixel() const override;
    QRect workArea() const override;
    bool placesOwnWindows() const override;
};

class FixedScreen final : public Screen {
public:
    FixedScreen(int width = 1024, int height = 768, int twips = 15, int bits = 32)
        : width(width), height(height), twips(twips), bits(bits) {}
    int widthPixels() const override { return width; }
    int heightPixels() const override { return height; }
    int twipsPerPixelX() const override { return twips; }
    int twipsPerPixelY() const override { return twips; }
    int bitsPerPixel() const override { return bits; }
    QRect workArea() const override { return work.isNull() ? Screen::workArea() : work; }
    bool placesOwnWindows() const override { return placesWindows; }

    int width, height, twips, bits;
    bool placesWindows = true;
    QRect work; // null: the whole screen
};

// The primary screen in device pixels; empty when there is none (no
// application with a screen).
QSize primaryScreenSize();
