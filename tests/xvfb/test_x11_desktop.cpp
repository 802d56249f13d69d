#include "engine/DisplayEntry.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "platform/X11Desktop.h"
#include "tests/common/TestEnvironment.h"
#include "tests/xvfb/RootWindowProbe.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

class X11DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!probe.connected())
            GTEST_SKIP() << "no X display";
        if (probe.depth() < 24)
            GTEST_SKIP() << "the test reads 24-bit colour";
        env.screen.width = probe.size().width();
        env.screen.height = probe.size().height();
        services().desktop = &desktop;
        Options.Border = 0;
        Options.DisplayMMessage = false;
        QDir().mkpath(Options.PrivateMagicListPath);
    }
    void add(QRgb fill, int32_t colour, int16_t position) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(fill);
        const QString path = env.path(QStringLiteral("p%1.png").arg(list.GetCount()));
        ASSERT_TRUE(image.save(path));
        ASSERT_GE(list.AddItem(path, colour, position), 0);
    }

    RootWindowProbe probe;
    TestEnvironment env;
    X11Desktop desktop;
    clsMagicList list;
};

TEST_F(X11DesktopTest, EntryAppearsOnTheRootWindowAndThePreviousPictureIsFreed) {
    const QRgb red = qRgb(220, 30, 30), green = qRgb(30, 200, 60);
    add(red, 0x00804020, 2);   // centred on a blue-grey desktop
    add(green, 0x00000000, 1); // tiled
    const int w = env.screen.width, h = env.screen.height;
    const int left = (w - 200) / 2, top = (h - 100) / 2;
    const QRgb desktopColour = qRgb(0x20, 0x40, 0x80);

    // The program's connection is closed by now: what shows was retained.
    DisplayListEntry(list, 0, true);
    ASSERT_TRUE(env.errors.calls.isEmpty()) << env.errors.messages().join(u'\n').toStdString();
    const QImage centred = probe.grab();
    ASSERT_FALSE(centred.isNull());
    EXPECT_EQ(centred.pixel(w / 2, h / 2), red);
    EXPECT_EQ(centred.pixel(left, top), red);
    EXPECT_EQ(centred.pixel(left + 199, top + 99), red);
    EXPECT_EQ(centred.pixel(left - 1, top), desktopColour);
    EXPECT_EQ(centred.pixel(left, top + 100), desktopColour);
    EXPECT_EQ(centred.pixel(0, 0), desktopColour);
    const std::optional<uint32_t> first = probe.publishedPixmap();
    ASSERT_TRUE(first);
    EXPECT_TRUE(probe.pixmapExists(*first));

    DisplayListEntry(list, 1, true);
    ASSERT_TRUE(env.errors.calls.isEmpty());
    const QImage tiled = probe.grab();
    EXPECT_EQ(tiled.pixel(0, 0), green); // tiles start at the top-left
    EXPECT_EQ(tiled.pixel(w - 1, h - 1), green);
    const std::optional<uint32_t> second = probe.publishedPixmap();
    ASSERT_TRUE(second);
    EXPECT_NE(*second, *first);
    EXPECT_FALSE(probe.pixmapExists(*first));
}

} // namespace
