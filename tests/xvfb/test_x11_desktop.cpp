#include "engine/DisplayEntry.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "platform/DesktopFactory.h"
#include "platform/ProcessRunner.h"
#include "platform/X11Desktop.h"
#include "tests/common/PictureKit.h"
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
        const QString path =
            writeImage(env, QStringLiteral("p%1.png").arg(list.GetCount()), 200, 100, QColor(fill));
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

TEST_F(X11DesktopTest, ADesktopWindowOverTheRootIsReportedOnceAndNothingIsPainted) {
    add(qRgb(220, 30, 30), 0x00804020, 2);
    add(qRgb(30, 200, 60), 0x00000000, 1);
    const int w = env.screen.width, h = env.screen.height;
    DisplayListEntry(list, 0, true);
    ASSERT_TRUE(env.errors.calls.isEmpty());
    const std::optional<uint32_t> before = probe.publishedPixmap();
    ASSERT_TRUE(before);
    {
        // A desktop this program does not know, in a session that names none.
        const TestDesktopWindow cover(QRect(0, 0, w, h), "testdesk");
        const QList<DesktopWindow> windows = X11Desktop::desktopWindows();
        ASSERT_EQ(windows.size(), 1);
        EXPECT_EQ(windows[0].instance, QStringLiteral("testdesk"));
        EXPECT_EQ(windows[0].geometry, QRect(0, 0, w, h));
        SystemProcessRunner runner;
        const std::unique_ptr<Desktop> chosen = createDesktop(
            {QStringLiteral("i3"), qEnvironmentVariable("DISPLAY"), false, windows, {}}, runner);
        EXPECT_EQ(chosen->name(), QStringLiteral("X11"));
        services().desktop = chosen.get();

        DisplayListEntry(list, 1, true);
        DisplayListEntry(list, 0, true);
        ASSERT_EQ(env.errors.calls.size(), 1) << env.errors.messages().join(u'\n').toStdString();
        const QString told = env.errors.calls[0].message;
        EXPECT_TRUE(told.startsWith(QStringLiteral("Can not set Wallpaper Image\r\nX11: ")))
            << told.toStdString();
        EXPECT_TRUE(told.contains(QStringLiteral("testdesk"))) << told.toStdString();
        EXPECT_EQ(probe.publishedPixmap(), before);
        services().desktop = &desktop;
    }
    // The desktop window gone, the root window shows the wallpaper again.
    DisplayListEntry(list, 1, true);
    EXPECT_EQ(probe.grab().pixel(0, 0), qRgb(30, 200, 60));
}

TEST_F(X11DesktopTest, DesktopWindowsAreFoundInFramesAndOnlyAWholeCoverRefuses) {
    DesktopValues values;
    values.background = 0x00FF0000; // blue
    const int w = env.screen.width, h = env.screen.height;
    {
        const TestDesktopWindow framed(QRect(0, 0, w, h), "framed", true);
        const QList<DesktopWindow> windows = X11Desktop::desktopWindows();
        ASSERT_EQ(windows.size(), 1);
        EXPECT_EQ(windows[0].instance, QStringLiteral("framed"));
        EXPECT_EQ(windows[0].geometry, QRect(0, 0, w, h));
        EXPECT_TRUE(desktop.apply(values).contains(QStringLiteral("framed")));
    }
    {
        const TestDesktopWindow half(QRect(0, 0, w / 2, h), "half");
        EXPECT_EQ(X11Desktop::desktopWindows().size(), 1);
        ASSERT_EQ(desktop.apply(values), QString());
        EXPECT_EQ(probe.grab().pixel(w - 1, h - 1), qRgb(0, 0, 255));
    }
}

} // namespace
