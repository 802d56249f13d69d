#include "platform/ComposedWallpaper.h"
#include "platform/ScreenPicture.h"
#include "platform/X11Desktop.h"
#include "tests/platform/WallpaperFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Probe {
    QPoint at;
    QRgb colour;
};

TEST(ComposeScreen, ColourAroundTheCentredTiledOrStretchedBitmap) {
    const QRgb blue = qRgb(0, 0, 200), body = qRgb(9, 9, 9), mark = qRgb(100, 0, 0);
    const QRgb cut = qRgb(7, 7, 7);
    struct Case {
        const char* what;
        bool tile;
        int style;
        QSize bitmap;
        QList<Probe> probes;
    } const cases[] = {
        {"centred",
         false,
         0,
         {4, 2},
         {{{3, 2}, mark},
          {{6, 3}, body},
          {{2, 2}, blue},
          {{7, 3}, blue},
          {{3, 1}, blue},
          {{3, 4}, blue},
          {{0, 0}, blue}}},
        // Larger than the screen: cut evenly on both sides.
        {"centred, larger", false, 0, {14, 6}, {{{0, 0}, cut}, {{9, 5}, body}}},
        {"tiled from the top-left",
         true,
         0,
         {4, 2},
         {{{0, 0}, mark}, {{4, 0}, mark}, {{8, 4}, mark}, {{9, 5}, body}, {{3, 1}, body}}},
        {"tiled wins over stretched", true, 2, {4, 2}, {{{4, 2}, mark}, {{9, 5}, body}}},
        {"stretched", false, 2, {4, 2}, {{{9, 5}, body}, {{9, 0}, body}, {{0, 5}, body}}},
        {"no bitmap", false, 0, {}, {{{0, 0}, blue}, {{9, 5}, blue}}},
    };
    for (const Case& c : cases) {
        QImage bitmap;
        if (!c.bitmap.isEmpty()) {
            bitmap = QImage(c.bitmap, QImage::Format_RGB32);
            bitmap.fill(body);
            bitmap.setPixel(0, 0, mark);
            if (c.bitmap.width() > 10)
                bitmap.setPixel(2, 0, cut);
        }
        DesktopValues values;
        values.tile = c.tile;
        values.style = c.style;
        const QImage screen = composeScreen({10, 6}, values, bitmap, blue);
        ASSERT_EQ(screen.size(), QSize(10, 6)) << c.what;
        for (const Probe& p : c.probes)
            EXPECT_EQ(screen.pixel(p.at), p.colour)
                << c.what << " at " << p.at.x() << "," << p.at.y();
    }
}

// Each monitor's part of the layout is composed for that monitor alone,
// from the bitmap rendered for its size.
TEST(ComposeLayout, EachMonitorItsOwnPartAndTheColourWhereNoneIs) {
    const QRgb blue = qRgb(0, 0, 200), red = qRgb(200, 0, 0), green = qRgb(0, 200, 0);
    Monitor wide, small, mirror;
    wide.geometry = QRect(0, 0, 12, 8);
    wide.primary = true;
    small.geometry = QRect(12, 0, 6, 4);
    mirror.geometry = QRect(0, 0, 6, 4); // overlaps the primary, which wins
    const QList<Monitor> monitors{small, mirror, wide};
    int renderings = 0;
    DesktopValues values;
    values.bitmapFor = [&](QSize monitor) {
        ++renderings;
        return monitor == QSize(6, 4) ? solidImage(QSize(2, 2), green) : QImage();
    };
    MonitorBitmaps bitmaps(values, solidImage(QSize(4, 2), red));
    const QImage layout = composeLayout(layoutBounds(monitors), monitors, values, bitmaps, blue);
    ASSERT_EQ(layout.size(), QSize(18, 8));
    const Probe probes[] = {
        {{4, 3}, red},   {{7, 4}, red},    {{3, 3}, blue},   {{8, 3}, blue},
        {{11, 7}, blue}, {{14, 1}, green}, {{15, 2}, green}, {{13, 1}, blue},
        {{16, 1}, blue}, {{14, 5}, blue},  {{2, 1}, blue},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(layout.pixel(p.at), p.colour) << p.at.x() << "," << p.at.y();
    EXPECT_EQ(renderings, 2); // once for each size

    // Without a rendering for a size, or none at all, the bitmap itself.
    EXPECT_EQ(bitmaps.forSize(QSize(12, 8)).size(), QSize(4, 2));
    const DesktopValues plain;
    MonitorBitmaps unrendered(plain, solidImage(QSize(4, 2), red));
    EXPECT_EQ(unrendered.forSize(QSize(6, 4)).size(), QSize(4, 2));
}

TEST(ComposeScreen, TheColourGivenLastServesWhenNoneIsGiven) {
    std::optional<int32_t> last;
    DesktopValues values;
    EXPECT_EQ(desktopColour(values, last), qRgb(0, 0, 0));
    values.background = 0x0080FF;
    EXPECT_EQ(desktopColour(values, last), qRgb(255, 128, 0));
    values.background.reset();
    EXPECT_EQ(desktopColour(values, last), qRgb(255, 128, 0));
}

TEST(DesktopWindows, CoverTheScreenOnlyWhenNothingOfItShows) {
    const auto window = [](int x, int y, int w, int h) {
        return DesktopWindow{QStringLiteral("d"), QStringLiteral("D"), QRect(x, y, w, h)};
    };
    struct Case {
        const char* what;
        QList<DesktopWindow> windows;
        bool covered;
    } const cases[] = {
        {"none", {}, false},
        {"one the size of the screen", {window(0, 0, 1024, 768)}, true},
        {"one larger, off the corner", {window(-10, -10, 2000, 2000)}, true},
        {"one per half", {window(0, 0, 512, 768), window(512, 0, 512, 768)}, true},
        {"half of it", {window(0, 0, 512, 768)}, false},
        {"a strip left between", {window(0, 0, 500, 768), window(512, 0, 512, 768)}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(X11Desktop::coverScreen(c.windows, {1024, 768}), c.covered) << c.what;
}

class ComposedWallpaperTest : public WallpaperFixture {
protected:
    QString numbered(int n) const { return dir.path() + QStringLiteral("/.ZOZ-%1.bmp").arg(n); }
    void touch(const QString& name) const {
        QFile f(dir.path() + u'/' + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    static QSize screen() { return {20, 10}; }
    static QList<Monitor> layout() { return singleMonitor(screen()); }
};

TEST_F(ComposedWallpaperTest, NumbersKeepRisingAcrossRestartsAndOnlyTheShownPictureStays) {
    touch(QStringLiteral(".ZOZ-3.bmp"));
    // The copies earlier versions handed some desktops go with the pictures
    // not shown; look-alikes stay.
    touch(QStringLiteral(".ZOZ-A.bmp"));
    const QStringList others{QStringLiteral("ZOZ-9.bmp"), QStringLiteral(".ZOZ-12.png"),
                             QStringLiteral(".ZOZ-x7.bmp")};
    for (const QString& name : others)
        touch(name);
    {
        ComposedWallpaper composed(layout);
        ComposedWallpaper::Result r = composed.prepare(shown());
        ASSERT_EQ(r.error, QString());
        EXPECT_EQ(r.path, numbered(4));
        composed.taken();
        EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(4)});
        EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/.ZOZ-A.bmp")));
        r = composed.prepare(shown(true));
        EXPECT_EQ(r.path, numbered(5));
        composed.taken();
        EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(5)});
    }
    ComposedWallpaper restarted(layout);
    EXPECT_EQ(restarted.prepare(shown()).path, numbered(6));
    restarted.taken();
    // No wallpaper: no picture, and every one of them goes.
    DesktopValues none;
    none.background = 0;
    const ComposedWallpaper::Result cleared = restarted.handOver(none);
    EXPECT_EQ(cleared.path, QString());
    EXPECT_EQ(cleared.error, QString());
    restarted.taken();
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList());
    // The shell may still hold the pictures of this run by their names.
    EXPECT_EQ(restarted.prepare(shown()).path, numbered(7));
    for (const QString& name : others)
        EXPECT_TRUE(QFile::exists(dir.path() + u'/' + name)) << name.toStdString();
}

TEST_F(ComposedWallpaperTest, ThePictureIsTheScreenWithTheColour) {
    ComposedWallpaper composed(layout);
    const QString path = composed.prepare(shown()).path;
    QImage picture(path);
    ASSERT_EQ(picture.size(), screen());
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 128, 0));
    EXPECT_EQ(picture.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(5, 1), qRgb(255, 128, 0)); // the 8 x 6 bitmap starts at (6, 2)
    EXPECT_EQ(picture.pixel(6, 2), qRgb(255, 0, 0));

    // The colour alone, beside the last bitmap; the colour given last serves.
    DesktopValues colourOnly;
    const QString plain = composed.prepare(colourOnly).path;
    EXPECT_EQ(QFileInfo(plain).absolutePath(), dir.path());
    QImage colour(plain);
    EXPECT_EQ(colour.pixel(10, 5), qRgb(255, 128, 0));

    // Before any bitmap there is nowhere to put it.
    ComposedWallpaper fresh(layout);
    const ComposedWallpaper::Result nothing = fresh.prepare(colourOnly);
    EXPECT_EQ(nothing.path, QString());
    EXPECT_EQ(nothing.error, QString());
}

TEST_F(ComposedWallpaperTest, RefusedPicturesGoAndUnansweredOnesStay) {
    ComposedWallpaper composed(layout);
    composed.prepare(shown());
    composed.taken();
    composed.prepare(shown());
    composed.discard();
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(1)});
    // A refused number is not given out again.
    EXPECT_EQ(composed.prepare(shown()).path, numbered(3));
    composed.keep();
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), (QStringList{numbered(1), numbered(3)}));
    composed.prepare(shown());
    composed.taken();
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(4)});

    DesktopValues missing = shown();
    missing.wallpaperPath = dir.path() + QStringLiteral("/gone.bmp");
    const ComposedWallpaper::Result r = composed.prepare(missing);
    EXPECT_EQ(r.path, QString());
    EXPECT_TRUE(r.error.contains(QStringLiteral("gone.bmp"))) << r.error.toStdString();
}

} // namespace
