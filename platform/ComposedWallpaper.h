#pragma once

#include "platform/Desktop.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// For desktops that place or colour a picture their own way, or keep a
// picture they decoded once by its file name: they are handed the whole
// screen as this program composes it (the colour, and the bitmap centred,
// tiled from the top-left corner or stretched), to be shown stretched, each
// time under a name the desktop has never seen. The names carry a number
// that keeps rising, across restarts too (".ZOZ-7.bmp" beside "ZOZ.bmp"):
// one past the highest beside the bitmap and past any this run gave out.
class ComposedWallpaper {
public:
    // The screen's size in device pixels.
    using ScreenSize = std::function<QSize()>;

    // Without `screenSize`, the primary screen's.
    explicit ComposedWallpaper(ScreenSize screenSize = {});

    struct Result {
        QString path;  // the picture written, absolute; empty for none
        QString error; // empty on success
    };

    // Composes the screen for the values and writes it beside the bitmap
    // under a new name. Without a wallpaper, the colour alone is written
    // beside the bitmap the values name (or the last one of this run); no
    // picture when neither is known or its folder does not exist.
    Result prepare(const DesktopValues& values);
    // What a desktop with a colour of its own is handed: prepare()'s
    // picture, or no picture when there is no wallpaper.
    Result handOver(const DesktopValues& values);
    // The desktop shows what was prepared last: every other picture of the
    // bitmap is removed, and all of them when no picture was prepared.
    void taken();
    // The desktop surely did not take the picture just prepared: it goes.
    void discard();
    // The desktop may still read it: it stays, as do the older ones, until
    // the next taken().
    void keep();

    // The numbered pictures beside a bitmap, in the order of their numbers.
    static QStringList picturesOf(const QString& bitmapPath);

private:
    // With no wallpaper, takes the bitmap the values name as the one whose
    // pictures these are.
    void noteNamedBitmap(const DesktopValues& values);
    void useBitmap(const QString& absolutePath);
    void removeAllBut(const QString& kept);

    ScreenSize screenSize_;
    QString bitmap_;   // the bitmap of the last prepare() that had one, absolute
    QString prepared_; // the picture prepare() wrote and nobody has judged yet
    quint64 lastNumber_ = 0;
    std::optional<int32_t> lastColour_;
};
