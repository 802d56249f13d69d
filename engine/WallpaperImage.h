#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// What is on the desktop as far as this run knows.
struct CurrentWallpaperRecord {
    QString Path;         // the picture of the last successful display
    int32_t Rotation = 0; // of the entry being displayed
};

// SetWallpaperImage's answer when it has already told the user what went
// wrong (the bitmap could not be written, the desktop refused it): the
// caller records nothing and offers no removal.
constexpr int32_t kWallpaperFailureShown = -1;

// Renders the picture into the wallpaper bitmap and puts it on the desktop
// with the colour around it (colour -1 keeps the desktop's colour; an empty
// path clears the wallpaper). Returns 0, the renderer's error code, or
// kWallpaperFailureShown. Position 0 comes back as the placement chosen.
int32_t SetWallpaperImage(const QString& path, int16_t& position, int32_t colour, int32_t left,
                          int32_t top, int32_t width, int32_t height, int32_t& rotation);

QString GetImageErrorText(int32_t code);

// The bitmap the wallpaper is written to: "ZOZ.bmp" in the documents folder.
QString wallpaperBitmapPath();
// The desktop colour as stored: red, green and blue in decimal, blank-separated.
QString backgroundText(int32_t colour);
// The colour of such a text, when it is one.
std::optional<int32_t> parseBackgroundText(const QString& text);
