#include "engine/WallpaperPlacement.h"

#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"

#include <algorithm>

AvailableArea availableArea(int32_t screenWidth, int32_t screenHeight, int32_t border) {
    const int32_t width = std::max(1, screenWidth), height = std::max(1, screenHeight);
    const int32_t largest = (std::min(width, height) - 1) / 2;
    const int32_t b = std::clamp(border, 0, largest);
    return AvailableArea{width - 2 * b, height - 2 * b};
}

AvailableArea currentAvailableArea() {
    const Screen& screen = *services().screen;
    return availableArea(screen.widthPixels(), screen.heightPixels(), Options.Border);
}

int16_t autoPositionFor(QSize picture, AvailableArea area) {
    return picture.width() > area.width || picture.height() > area.height ? placement::BestFit
                                                                          : placement::Centre;
}

QSize bestFitSize(QSize picture, AvailableArea area) {
    const double r = double(std::max(1, picture.width())) / std::max(1, picture.height());
    const double s = double(area.width) / area.height;
    if (r <= s)
        return QSize(std::max(1.0, roundHalfEven(area.height * r)), area.height);
    return QSize(area.width, std::max(1.0, roundHalfEven(area.width / r)));
}

QRect centredCut(QSize picture, AvailableArea area) {
    const int32_t w = std::min(picture.width(), area.width);
    const int32_t h = std::min(picture.height(), area.height);
    if (w == picture.width() && h == picture.height())
        return QRect(QPoint(0, 0), picture);
    const int32_t x = int32_t(roundHalfEven((picture.width() - w) / 2.0));
    const int32_t y = int32_t(roundHalfEven((picture.height() - h) / 2.0));
    return QRect(x, y, w, h);
}

std::optional<QRect> clippedCrop(QSize picture, const QRect& crop) {
    const QRect kept = crop.intersected(QRect(QPoint(0, 0), picture));
    if (kept.isEmpty())
        return std::nullopt;
    return kept;
}

WallpaperPlan planWallpaper(QSize shown, int32_t rotation, const std::optional<QRect>& crop,
                            int16_t position, int32_t border, AvailableArea area) {
    const QSize turned = turnedSize(shown, rotation);
    WallpaperPlan plan;
    plan.region = QRect(QPoint(0, 0), turned);
    if (crop) {
        if (const std::optional<QRect> kept = clippedCrop(turned, *crop))
            plan.region = *kept;
    }
    const QSize picture = plan.region.size();
    plan.size = picture;
    plan.position = position == placement::Automatic ? autoPositionFor(picture, area) : position;

    // Without a border the desktop tiles, centres or stretches the picture
    // itself; best fit is always done here.
    const bool placedHere = plan.position == placement::BestFit || border != 0;
    if (!placedHere)
        return plan;
    switch (plan.position) {
    case placement::BestFit:
        plan.size = bestFitSize(picture, area);
        break;
    case placement::Stretch:
        plan.size = area.size();
        break;
    case placement::Centre: {
        const QRect cut = centredCut(picture, area);
        plan.region = cut.translated(plan.region.topLeft());
        plan.size = cut.size();
        break;
    }
    case placement::Tile:
        if (picture.width() >= area.width && picture.height() >= area.height) {
            plan.region.setSize(area.size());
            plan.size = area.size();
        } else {
            plan.tile = true;
        }
        break;
    default:
        break;
    }
    return plan;
}
