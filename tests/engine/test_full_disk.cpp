#include "engine/DisplayEntry.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "platform/RecordingDesktop.h"
#include "tests/common/PictureKit.h"
#include "tests/common/SmallFilesystem.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// The program's files on a disk that fills up while it runs.
class FullDiskProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!disk.mounted())
            GTEST_SKIP() << disk.why().toStdString();
        services().desktop = &desktop;
        Options.Border = 0;
        Options.DisplayMMessage = false;
        Options.PrivateMagicListPath = disk.file(QStringLiteral("lists/"));
        env.folders.documents = disk.file(QStringLiteral("docs/"));
        QDir().mkpath(Options.PrivateMagicListPath);
        QDir().mkpath(env.folders.documents);
        list.SetListName(QStringLiteral("Holidays"));
        list.SetSchUpdateOption(3);
        for (const char* name : {"A", "B"}) {
            const QString picture =
                writeImage(env, QStringLiteral("pics/") + QLatin1String(name) + ".png", 64, 48,
                           QColor(10, 200, 30));
            ASSERT_GE(list.AddItem(picture, 0x0080FF, 2), 0);
        }
    }
    std::optional<QString> value(const QString& key, const QString& name) const {
        return env.registry.value(Hive::CurrentUser, key, name);
    }

    SmallFilesystem disk{512};
    TestEnvironment env;
    RecordingDesktop desktop;
    clsMagicList list;
};

TEST_F(FullDiskProgramTest, ASaveThatDoesNotFitSaysSoAndKeepsTheListFile) {
    ASSERT_TRUE(list.Save());
    const QByteArray before = fileBytes(list.GetFilePath());
    ASSERT_FALSE(before.isEmpty());
    ASSERT_TRUE(disk.fill());

    list.SetEntryName(0, QStringLiteral("a much longer name than the entry had"));
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(env.errors.messages(), QStringList{QStringLiteral("Disk full")});
    EXPECT_EQ(fileBytes(list.GetFilePath()), before);
    EXPECT_EQ(filesIn(Options.PrivateMagicListPath),
              QStringList{QFileInfo(list.GetFilePath()).fileName()});

    // Every later save the user asks for says so again.
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(env.errors.calls.size(), 2);
}

TEST_F(FullDiskProgramTest, AWallpaperThatCannotBeWrittenLeavesTheDesktopAsItWas) {
    bool stamp = true;
    DisplayListEntry(list, 0, stamp);
    ASSERT_TRUE(env.errors.calls.isEmpty());
    ASSERT_EQ(desktop.applied.size(), 1);
    const QString bitmap = env.folders.documents + QStringLiteral("ZOZ.bmp");
    const QByteArray shown = fileBytes(bitmap);
    const QString listFile = list.GetFilePath();
    const QByteArray savedList = fileBytes(listFile);
    ASSERT_TRUE(disk.fill());

    stamp = true;
    DisplayListEntry(list, 1, stamp);
    ASSERT_FALSE(env.errors.calls.isEmpty());
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Disk full"));
    EXPECT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(fileBytes(bitmap), shown);
    EXPECT_EQ(fileBytes(listFile), savedList);
    EXPECT_EQ(list.GetActiveEntry(), 0);
    EXPECT_EQ(value(QStringLiteral("Software\\SetWallPaper\\Options"), QStringLiteral("LastFile")),
              list.GetEntryPath(0));
    EXPECT_EQ(value(QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
                    QStringLiteral("ActiveItem")),
              QStringLiteral("0"));
}

} // namespace
