#pragma once

#include "platform/Desktop.h"
#include "tests/common/PictureKit.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

// One row of the tables of placements and colours: what the program hands
// a desktop.
struct Handed {
    const char* what;
    bool shown; // the bitmap, or no wallpaper
    bool tile;
    int style;
    std::optional<int32_t> background;

    DesktopValues values(const QString& bitmap) const {
        return {shown ? bitmap : QString(), bitmap, tile, style, background, {}};
    }
};

// A wallpaper bitmap in a folder of its own, where the desktop backends
// also put their copies of it.
class WallpaperFixture : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap = saveImage(solidImage(QSize(8, 6), Qt::red),
                           dir.path() + QStringLiteral("/ZOZ.bmp"), "BMP");
    }
    // The bitmap shown with a placement, on orange (red 255, green 128, blue 0).
    DesktopValues shown(bool tile = false, int style = 0) const {
        DesktopValues v;
        v.wallpaperPath = bitmap;
        v.bitmapPath = bitmap;
        v.tile = tile;
        v.style = style;
        v.background = 0x0080FF;
        return v;
    }

    // No wallpaper, as the program clears it: the bitmap's path still
    // given, and a colour.
    DesktopValues cleared(int32_t background = 0xC0E0FF) const {
        DesktopValues v;
        v.bitmapPath = bitmap;
        v.background = background;
        return v;
    }

    QTemporaryDir dir;
    QString bitmap;
};
