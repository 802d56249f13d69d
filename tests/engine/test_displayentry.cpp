#include "engine/DisplayEntry.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "platform/RecordingDesktop.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\Desktop");
const QString kColorsKey = QStringLiteral("Control Panel\\Colors");
const QString kOptionsKey = QStringLiteral("Software\\Orlevane\\Tapestrel\\Options");

class DisplayEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        services().desktop = &desktop;
        Options.Border = 0;
        Options.DisplayMMessage = false;
        QDir().mkpath(Options.PrivateMagicListPath);
        list.SetSchUpdateOption(3); // never due: stamps only when a test asks
        for (const char* name : {"A", "B", "C"})
            add(QString::fromLatin1(name), 0x0080FF, 0);
    }
    QString picture(const QString& name, QSize size = QSize(64, 48)) {
        return writeImage(env, QStringLiteral("pics/") + name + QStringLiteral(".png"),
                          size.width(), size.height(), QColor(10, 200, 30));
    }
    void add(const QString& name, int32_t colour, int16_t position) {
        ASSERT_GE(list.AddItem(picture(name), colour, position), 0);
    }
    std::optional<QString> value(const QString& key, const QString& name) const {
        return env.registry.value(Hive::CurrentUser, key, name);
    }
    std::optional<QString> option(const QString& name) const { return value(kOptionsKey, name); }
    void show(int16_t index, bool stamp = true) { DisplayListEntry(list, index, stamp); }

    TestEnvironment env;
    RecordingDesktop desktop;
    clsMagicList list;
};

TEST_F(DisplayEntryTest, SuccessPutsTheBitmapOnTheDesktopAndRecordsTheEntry) {
    show(1);
    const QString bitmap = env.folders.documents + QStringLiteral("/ZOZ.bmp");
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(desktop.applied[0].wallpaperPath, bitmap);
    EXPECT_EQ(desktop.applied[0].bitmapPath, bitmap);
    EXPECT_EQ(desktop.applied[0].background, 0x0080FF);
    EXPECT_EQ(QImage(bitmap).size(), QSize(64, 48));
    EXPECT_EQ(value(kDesktopKey, QStringLiteral("Wallpaper")), bitmap);
    EXPECT_EQ(value(kColorsKey, QStringLiteral("Background")), QStringLiteral("255 128 0"));
    EXPECT_EQ(value(QStringLiteral("Software\\SetWallPaper\\Options"), QStringLiteral("LastFile")),
              list.GetEntryPath(1));
    EXPECT_EQ(option(QStringLiteral("ActiveItem")), QStringLiteral("1"));
    EXPECT_EQ(list.GetActiveEntry(), 1);
    EXPECT_EQ(CurrentWallpaper.Path, list.GetEntryPath(1));
    // The list had no file yet: the one its save made is the one remembered.
    EXPECT_FALSE(list.GetFilePath().isEmpty());
    EXPECT_EQ(option(QStringLiteral("ActiveList")), list.GetFilePath());
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

// The bitmap is the primary screen's rendering; the desktop can have the
// entry rendered as for a monitor of another size.
TEST_F(DisplayEntryTest, TheDesktopCanHaveTheEntryRenderedForAnotherMonitor) {
    ASSERT_GE(list.AddItem(picture(QStringLiteral("D"), QSize(200, 100)), 0x0080FF, 4), 0);
    show(3);
    ASSERT_EQ(desktop.applied.size(), 1);
    const DesktopValues& values = desktop.applied[0];
    EXPECT_EQ(QImage(values.wallpaperPath).size(), QSize(1024, 512)); // best fit on 1024 x 768
    ASSERT_TRUE(values.bitmapFor);
    EXPECT_EQ(values.bitmapFor(QSize(800, 600)).size(), QSize(800, 400));
    EXPECT_EQ(values.bitmapFor(QSize(600, 1000)).size(), QSize(600, 300));
    EXPECT_TRUE(values.bitmapFor(QSize(1024, 768)).isNull()); // that one is the bitmap

    // Clearing has nothing to render.
    show(list.GetCount());
    EXPECT_FALSE(desktop.applied.last().bitmapFor);
}

TEST_F(DisplayEntryTest, TilingValuesFollowThePlacementUsed) {
    struct Case {
        int16_t border, position;
        const char *tile, *style;
    } const cases[] = {
        {0, 1, "1", "0"}, {0, 2, "0", "0"}, {0, 3, "0", "2"}, {0, 4, "0", "0"},
        {0, 0, "0", "0"}, {7, 1, "0", "0"}, {7, 3, "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.border * 10 + c.position);
        Options.Border = c.border;
        list.SetEntryPosition(0, c.position);
        env.registry.setValue(Hive::CurrentUser, kDesktopKey, QStringLiteral("TileWallpaper"),
                              QStringLiteral("x"));
        show(0);
        EXPECT_EQ(value(kDesktopKey, QStringLiteral("TileWallpaper")), QLatin1String(c.tile));
        EXPECT_EQ(value(kDesktopKey, QStringLiteral("WallPaperStyle")), QLatin1String(c.style));
        EXPECT_EQ(desktop.applied.last().tile, *c.tile == '1');
        EXPECT_EQ(desktop.applied.last().style, *c.style == '2' ? 2 : 0);
    }
}

TEST(BackgroundText, RedGreenBlueInDecimal) {
    EXPECT_EQ(backgroundText(0x0080FF), QStringLiteral("255 128 0"));
    EXPECT_EQ(backgroundText(0xC0E0FF), QStringLiteral("255 224 192"));
    EXPECT_EQ(backgroundText(0x004080), QStringLiteral("128 64 0"));
    EXPECT_EQ(backgroundText(0), QStringLiteral("0 0 0"));
    EXPECT_EQ(parseBackgroundText(QStringLiteral("255 224 192")), 0xC0E0FF);
    EXPECT_FALSE(parseBackgroundText(QStringLiteral("255 224")));
    EXPECT_FALSE(parseBackgroundText(QStringLiteral("256 0 0")));
}

TEST_F(DisplayEntryTest, StampRules) {
    const QDateTime before = Options.LastUpdateTime;
    const QString stamp = QStringLiteral("LastUpdateTime");

    show(0, true); // first display of the run, schedule never due: no stamp
    EXPECT_EQ(Options.LastUpdateTime, before);
    EXPECT_FALSE(option(stamp));

    show(1, false); // another picture, not asked for
    EXPECT_EQ(Options.LastUpdateTime, before);

    CurrentWallpaper.Path = list.GetEntryPath(1).toUpper();
    show(1, true); // the same picture again, in any case
    EXPECT_EQ(Options.LastUpdateTime, before);

    show(2, true);
    EXPECT_EQ(Options.LastUpdateTime, env.clock.now());
    EXPECT_EQ(option(stamp), formatGeneralDate(env.clock.now()));
}

TEST_F(DisplayEntryTest, FirstDisplayStampsWhenTheScheduleIsDueWhateverTheCallerSaid) {
    list.SetSchUpdateOption(0);
    list.SetSchInterval(60);
    show(0, false);
    EXPECT_EQ(Options.LastUpdateTime, env.clock.now());
}

TEST_F(DisplayEntryTest, IndexEqualToTheCountClearsTheDesktop) {
    clsMagicList empty;
    DisplayListEntry(empty, 0, false);
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_TRUE(desktop.applied[0].wallpaperPath.isEmpty());
    // Where the bitmap is goes along, so that a desktop can remove the
    // pictures it made of it, even when none was shown in this run.
    EXPECT_EQ(desktop.applied[0].bitmapPath, env.folders.documents + QStringLiteral("/ZOZ.bmp"));
    EXPECT_EQ(value(kDesktopKey, QStringLiteral("Wallpaper")), QString());
    EXPECT_EQ(value(kColorsKey, QStringLiteral("Background")), QStringLiteral("0 0 0"));
    EXPECT_EQ(option(QStringLiteral("ActiveItem")), QStringLiteral("0"));
    EXPECT_EQ(value(QStringLiteral("Software\\SetWallPaper\\Options"), QStringLiteral("LastFile")),
              QString());
}

TEST_F(DisplayEntryTest, IndexesOutsideTheListChangeNothing) {
    show(-1);
    show(4);
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_TRUE(env.registry.data(Hive::CurrentUser).keys().isEmpty());
}

TEST_F(DisplayEntryTest, MissingPictureOffersRemovalAndNoChangesNothing) {
    QFile::remove(list.GetEntryPath(1));
    env.registry.setValue(Hive::CurrentUser, kDesktopKey, QStringLiteral("TileWallpaper"),
                          QStringLiteral("1"));
    env.errors.answers = {answer::No};
    show(1);
    ASSERT_EQ(env.errors.calls.size(), 1);
    const auto& call = env.errors.calls[0];
    EXPECT_EQ(call.message,
              QStringLiteral("Can not set Wallpaper Image:\r\n\r\nThe File is missing. "));
    EXPECT_EQ(call.question,
              QStringLiteral("Do you wish to remove this entry from your Magic List?"));
    EXPECT_EQ(call.buttons, 0);
    EXPECT_TRUE(call.title.isEmpty());
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_EQ(value(kDesktopKey, QStringLiteral("TileWallpaper")), QStringLiteral("1"));
    EXPECT_FALSE(option(QStringLiteral("ActiveItem")));
    EXPECT_TRUE(CurrentWallpaper.Path.isEmpty());
}

TEST_F(DisplayEntryTest, UnreadablePictureIsRemovedOnYes) {
    const QString broken = list.GetEntryPath(1);
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("garbage");
    f.close();
    env.errors.answers = {answer::Yes};
    show(1);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message,
              QStringLiteral("Can not set Wallpaper Image\r\nError: 20009  Invalid File Format"));
    EXPECT_EQ(env.errors.calls[0].question,
              QStringLiteral("Do you want to remove this file from your Magic List?"));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_NE(list.GetEntryPath(0), broken);
    EXPECT_NE(list.GetEntryPath(1), broken);
    EXPECT_TRUE(desktop.applied.isEmpty());
}

TEST_F(DisplayEntryTest, YesRemovesNothingWhenTheListChangedUnderTheQuestion) {
    QFile::remove(list.GetEntryPath(1));
    ScriptedErrorPresenter presenter;
    presenter.otherwise = answer::Yes;
    setErrorPresenter(&presenter);
    const QString third = list.GetEntryPath(2);
    presenter.duringQuestion = [&] { list.DeleteItem(0); }; // index 1 is now C
    show(1);
    setErrorPresenter(&env.errors);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetEntryPath(1), third);
}

TEST_F(DisplayEntryTest, BitmapThatCannotBeWrittenIsToldOnceAndRecordsNothing) {
    QDir().mkpath(env.folders.documents + QStringLiteral("/ZOZ.bmp")); // a folder in its way
    show(0);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_FALSE(env.errors.calls[0].isQuestion);
    EXPECT_EQ(env.errors.calls[0].buttons, 0);
    EXPECT_FALSE(env.errors.calls[0].message.isEmpty());
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_FALSE(option(QStringLiteral("ActiveItem")));
    EXPECT_FALSE(value(kDesktopKey, QStringLiteral("TileWallpaper")));
    EXPECT_TRUE(CurrentWallpaper.Path.isEmpty());
}

TEST_F(DisplayEntryTest, DesktopThatRefusesKeepsTheDesktopValuesItHad) {
    const struct {
        QString key, name, value;
    } before[] = {
        {kDesktopKey, QStringLiteral("Wallpaper"), QStringLiteral("/old/wallpaper.bmp")},
        {kDesktopKey, QStringLiteral("TileWallpaper"), QStringLiteral("1")},
        {kDesktopKey, QStringLiteral("WallPaperStyle"), QStringLiteral("0")},
        {kColorsKey, QStringLiteral("Background"), QStringLiteral("1 2 3")},
        {QStringLiteral("Software\\SetWallPaper\\Options"), QStringLiteral("LastFile"),
         QStringLiteral("/old/picture.jpg")},
    };
    for (const auto& v : before)
        env.registry.setValue(Hive::CurrentUser, v.key, v.name, v.value);
    desktop.failure = QStringLiteral("no session bus");
    list.SetEntryPosition(0, 3);
    show(0);
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(desktop.applied[0].style, 2); // what was asked of the desktop
    for (const auto& v : before)
        EXPECT_EQ(value(v.key, v.name), v.value) << v.name.toStdString();
}

TEST_F(DisplayEntryTest, DesktopThatRefusesIsToldOncePerRunAndNeverCountsAsShown) {
    desktop.failure = QStringLiteral("no session bus");
    show(0);
    show(1);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_TRUE(env.errors.calls[0].message.contains(QStringLiteral("no session bus")));
    EXPECT_EQ(desktop.applied.size(), 2);
    EXPECT_FALSE(option(QStringLiteral("ActiveItem")));
    EXPECT_TRUE(CurrentWallpaper.Path.isEmpty());
}

TEST_F(DisplayEntryTest, ADesktopThatIsNotThereNeverCountsAsShown) {
    services().desktop = nullptr;
    show(0);
    EXPECT_FALSE(option(QStringLiteral("ActiveItem")));
    EXPECT_TRUE(CurrentWallpaper.Path.isEmpty());
    services().desktop = &desktop;
}

TEST_F(DisplayEntryTest, ADesktopNobodySetRefusesTheWallpaperAndSaysSo) {
    services().desktop = standInServices().desktop;
    show(0);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_TRUE(
        env.errors.calls[0].message.startsWith(QStringLiteral("Can not set Wallpaper Image")));
    EXPECT_TRUE(CurrentWallpaper.Path.isEmpty());
    services().desktop = &desktop;
}

} // namespace
