#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// What the program hands to the desktop after writing the wallpaper bitmap:
// the values it also keeps under "Control Panel\Desktop" and "\Colors".
struct DesktopValues {
    QString wallpaperPath; // the bitmap; empty for no wallpaper
    // Where the program writes the bitmap, given also with no wallpaper:
    // backends that keep pictures of their own beside it (numbered or
    // alternating copies) find them there when the wallpaper is cleared,
    // even before this run showed one.
    QString bitmapPath;
    bool tile = false;                 // TileWallpaper "1"
    int style = 0;                     // WallPaperStyle: 0 centred, 2 stretched
    std::optional<int32_t> background; // &H00BBGGRR; none keeps the desktop's colour
    // The entry rendered as the bitmap is, but for a monitor of another
    // size (a best fit or a border depends on it), to be placed with the
    // same values. Unset, or a null picture: the bitmap itself.
    std::function<QImage(QSize monitor)> bitmapFor;
};

// A colour &H00BBGGRR as "#rrggbb".
inline QString hexColour(int32_t bgr) {
    const quint32 c = quint32(bgr);
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xff, 2, 16, QChar(u'0'))
        .arg((c >> 8) & 0xff, 2, 16, QChar(u'0'))
        .arg((c >> 16) & 0xff, 2, 16, QChar(u'0'));
}

// One way of making the running session show the values.
class Desktop {
public:
    virtual ~Desktop() = default;
    // A short name for messages ("X11", "GNOME", ...).
    virtual QString name() const = 0;
    // Applies the values; an empty string on success, else what went wrong.
    virtual QString apply(const DesktopValues& values) = 0;
};
