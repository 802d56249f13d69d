#pragma once

#include "platform/ImageBox.h"

#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>

// The arithmetic of placing a picture on the screen, apart from any
// picture, so that the renderer can plan a reduced decode and the tests can
// check it as tables.

namespace placement {
constexpr int16_t Automatic = 0;
constexpr int16_t Tile = 1;
constexpr int16_t Centre = 2;
constexpr int16_t Stretch = 3;
constexpr int16_t BestFit = 4;
} // namespace placement

// The screen less twice the border. The border is kept between 0 and the
// largest value that leaves every side at least 1 pixel.
struct AvailableArea {
    int32_t width = 1;
    int32_t height = 1;
    QSize size() const { return QSize(width, height); }
};
AvailableArea availableArea(int32_t screenWidth, int32_t screenHeight, int32_t border);
// From the screen service and the border setting, read afresh.
AvailableArea currentAvailableArea();

// Centre when the picture fits the area (exactly as large counts), else
// best fit.
int16_t autoPositionFor(QSize picture, AvailableArea area);
// Fills the area in one direction, keeping the proportions; halves round
// to the even side and no side is ever 0.
QSize bestFitSize(QSize picture, AvailableArea area);
// The middle part of a picture larger than the area; all of a picture that
// fits.
QRect centredCut(QSize picture, AvailableArea area);
// A crop rectangle clipped to the picture; nothing when none of it remains.
std::optional<QRect> clippedCrop(QSize picture, const QRect& crop);

// What a rendering takes from the picture and makes of it.
struct WallpaperPlan {
    int16_t position = 0; // the placement used (automatic resolved)
    QRect region;         // the part of the turned picture that is kept
    QSize size;           // what that part is scaled to
    bool tile = false;    // repeated on a canvas of the area's size
};
// shown: the picture's size before the turn; crop: in the turned picture's
// pixels, or nothing; border: the setting as stored (0 leaves tile, centre
// and stretch to the desktop).
WallpaperPlan planWallpaper(QSize shown, int32_t rotation, const std::optional<QRect>& crop,
                            int16_t position, int32_t border, AvailableArea area);
