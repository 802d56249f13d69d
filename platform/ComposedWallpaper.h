#pragma once

#include "platform/Desktop.h"
#include "platform/Monitors.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// For desktops that place or colour a picture their own way, or keep a
// picture they decoded once by its file name: they are handed the screen
// as this program composes it (the colour, and the bitmap centred, tiled
// from the top-left corner or stretched, within each monitor), to be shown
// stretched or spanned, each time under a name the desktop has never seen.
// The names carry a number that keeps rising, across restarts too
// (".ZOZ-7.bmp" beside "ZOZ.bmp"): one past the highest beside the bitmap
// and past any this run gave out.
class ComposedWallpaper {
public:
    // The monitors, asked afresh at every change.
    using Layout = std::function<QList<Monitor>()>;

    // Without `layout`, the application's screens.
    explicit ComposedWallpaper(Layout layout = {});

    // What one picture is composed for.
    enum class Span {
        Layout,  // the whole layout, each monitor's part composed for it
        Primary, // the primary monitor alone
        Each,    // one picture for each monitor
    };

    struct Result {
        QString path;  // the picture written, absolute; empty for none
        QString error; // empty on success
        // Span::Each: every monitor with its picture, the primary first.
        QList<std::pair<Monitor, QString>> monitors;
        // The layout the pictures were composed for; one monitor at least.
        QList<Monitor> layout;
    };

    // Composes the screen for the values and writes it beside the bitmap
    // under a new name. Without a wallpaper, the colour alone is written
    // beside the bitmap the values name (or the last one of this run); no
    // picture when neither is known or its folder does not exist.
    Result prepare(const DesktopValues& values, Span span = Span::Layout);
    // What a desktop with a colour of its own is handed: prepare()'s
    // picture, or no picture when there is no wallpaper.
    Result handOver(const DesktopValues& values, Span span = Span::Layout);
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
    // The two copies of the bitmap that earlier versions handed Xfce,
    // Cinnamon and MATE in turn (".ZOZ-A.bmp", ".ZOZ-B.bmp"): removed with
    // the pictures that are not shown.
    static QStringList alternatingCopiesOf(const QString& bitmapPath);

private:
    // With no wallpaper, takes the bitmap the values name as the one whose
    // pictures these are.
    void noteNamedBitmap(const DesktopValues& values);
    void useBitmap(const QString& absolutePath);
    void removeAllBut(const QStringList& kept);
    // Writes one picture under the next number.
    QString write(const QImage& picture, QString& error);

    Layout layout_;
    QString bitmap_;       // the bitmap of the last prepare() that had one, absolute
    QStringList prepared_; // the pictures prepare() wrote that nobody has judged yet
    quint64 lastNumber_ = 0;
    std::optional<int32_t> lastColour_;
};
