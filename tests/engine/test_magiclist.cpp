#include "engine/ProgramState.h"
#include "tests/engine/test_magiclist_helpers.h"

#include "engine/MagicList.h"
#include "engine/Options.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class MagicListTest : public ::testing::Test {
protected:
    MagicListTest() {
        QDir().mkpath(Options.PrivateMagicListPath);
        QDir().mkpath(Options.PublicMagicListPath);
    }

    // Five pictures A .. E in a folder of their own.
    clsMagicList fiveEntries() {
        clsMagicList list;
        for (const char* n : {"A", "B", "C", "D", "E"})
            list.AddItem(writePicture(env, QStringLiteral("pics/%1.jpg").arg(n)), -1, -1);
        return list;
    }

    TestEnvironment env;
};

TEST_F(MagicListTest, GettersOutsideTheListReturnNeutralValues) {
    clsMagicList list = fiveEntries();
    list.SetEntryProperties(0, 1, 2, 3, 4);
    list.SetEntryBGColor(0, 255);
    list.SetEntryPosition(0, 3);
    list.SetFlag(0, 1, 9);
    list.SetEntrySelected(0, true);
    for (int16_t index : {int16_t(-1), int16_t(5), int16_t(99), int16_t(-32768)}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(list.GetEntryName(index), QString());
        EXPECT_EQ(list.GetEntryPath(index), QString());
        EXPECT_FALSE(list.GetEntrySelected(index));
        EXPECT_EQ(list.GetEntryPosition(index), 0);
        EXPECT_EQ(list.GetEntryLeft(index), -1);
        EXPECT_EQ(list.GetEntryTop(index), 0);
        EXPECT_EQ(list.GetEntryWidth(index), 0);
        EXPECT_EQ(list.GetEntryHeight(index), 0);
        EXPECT_EQ(list.GetEntryRotate(index), 0);
        EXPECT_EQ(list.GetEntryBackgroundColor(index), 0);
        EXPECT_EQ(list.getFlag(index, 1), 0);
        // Setters outside the list change nothing.
        list.SetEntryName(index, QStringLiteral("x"));
        list.SetEntryPath(index, QStringLiteral("/x"));
        list.SetEntryProperties(index, 1, 1, 1, 1);
        list.RotateEntry(index);
        list.DeleteItem(index);
    }
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(namesOf(list), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(list.getFlag(0, 7), 0);
    EXPECT_EQ(list.getFlag(0, 1), 9);
}

TEST_F(MagicListTest, AddItemTakesTheDefaultsAndWritesThemBack) {
    clsMagicList list;
    int32_t colour = -1;
    int16_t placement = -1;
    const QString path = writePicture(env, QStringLiteral("pics/beach.jpg"));
    EXPECT_EQ(list.AddItem(path, colour, placement), 0);
    EXPECT_EQ(colour, 0);
    EXPECT_EQ(placement, 0);
    EXPECT_EQ(list.GetEntryPath(0), path);
    EXPECT_EQ(list.GetEntryLeft(0), -1);
    EXPECT_FALSE(list.GetEntrySelected(0));
    EXPECT_FALSE(QFileInfo::exists(list.GetFilePath())); // nothing saved
    EXPECT_EQ(list.AddItem(path, 0x00FF00, 2), 1);       // the same picture again
    EXPECT_EQ(list.GetEntryBackgroundColor(1), 0x00FF00);
    EXPECT_EQ(list.GetEntryPosition(1), 2);
}

TEST_F(MagicListTest, EntryNamesComeFromTheFileNameOnDisk) {
    const struct {
        const char* onDisk;
        const char* asked;
        const char* name;
    } cases[] = {
        {"beach.jpg", "beach.jpg", "beach"},    {"a.b.c", "a.b.c", "a.b"},
        {"README", "README", "README"},         {".jpg", ".jpg", "UNKNOWN"},
        {"Sunset.JPG", "sunset.jpg", "Sunset"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        const QString folder = env.path(QStringLiteral("names/%1").arg(c.onDisk));
        writePicture(env, QStringLiteral("names/%1/%2").arg(c.onDisk, c.onDisk));
        clsMagicList list;
        ASSERT_EQ(list.AddItem(folder + u'/' + QString::fromUtf8(c.asked), -1, -1), 0);
        EXPECT_EQ(list.GetEntryName(0), QString::fromUtf8(c.name));
        EXPECT_EQ(list.GetEntryPath(0), folder + u'/' + QString::fromUtf8(c.onDisk));
    }
}

TEST_F(MagicListTest, AddItemRefusesAMissingFile) {
    clsMagicList list;
    const QString missing = env.path(QStringLiteral("pics/missing.jpg"));
    EXPECT_EQ(list.AddItem(missing, 0, 2), -1);
    EXPECT_EQ(list.GetCount(), 0);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message,
              QStringLiteral("Unable to add '") + missing + QStringLiteral("' to the magic list."));
    EXPECT_EQ(env.errors.calls[0].buttons, 0);
    EXPECT_EQ(env.errors.calls[0].title, QString());
    // A folder is not a picture.
    EXPECT_EQ(list.AddItem(env.path(QStringLiteral("pics")), -1, -1), -1);
}

TEST_F(MagicListTest, AddItemRefusesThe32768thEntry) {
    clsMagicList list;
    const QString path = writePicture(env, QStringLiteral("pics/one.jpg"));
    for (int i = 0; i < 32767; ++i)
        ASSERT_EQ(list.AddItem(path, -1, -1), i);
    EXPECT_EQ(list.AddItem(path, -1, -1), -1);
    EXPECT_EQ(list.GetCount(), 32767);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message,
              QStringLiteral("Unable to add '") + path + QStringLiteral("' to the magic list."));
}

TEST_F(MagicListTest, CropLeftCountsOnlyWithAWidthAndAHeight) {
    clsMagicList list = fiveEntries();
    list.SetEntryProperties(0, 10, 5, 0, 50);
    list.SetEntryProperties(1, 10, 5, 20, 0);
    list.SetEntryProperties(2, 10, 5, 20, 50);
    EXPECT_EQ(list.GetEntryLeft(0), -1);
    EXPECT_EQ(list.GetEntryLeft(1), -1);
    EXPECT_EQ(list.GetEntryLeft(2), 10);
    EXPECT_EQ(list.GetEntryTop(0), 5);
}

TEST_F(MagicListTest, MoveItemClampsTheTargetAndMovesWholeEntries) {
    const struct {
        int16_t from, to, result, toAfter;
        QStringList order;
    } cases[] = {
        {4, 1, 1, 1, {"A", "E", "B", "C", "D"}},  {0, 3, 3, 3, {"B", "C", "D", "A", "E"}},
        {1, 99, 4, 4, {"A", "C", "D", "E", "B"}}, {3, -5, 0, 0, {"D", "A", "B", "C", "E"}},
        {5, -5, 0, 0, {"A", "B", "C", "D", "E"}}, {2, 2, 2, 2, {"A", "B", "C", "D", "E"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        clsMagicList list = fiveEntries();
        list.SetEntrySelected(c.from, true);
        int16_t to = c.to;
        EXPECT_EQ(list.MoveItem(c.from, to), c.result);
        EXPECT_EQ(to, c.toAfter);
        EXPECT_EQ(namesOf(list), c.order);
        if (c.from < 5) { // the selection travels with the entry
            EXPECT_TRUE(list.GetEntrySelected(c.result));
        }
    }
}

TEST_F(MagicListTest, DeletingTheActiveEntryHandsTheRoleOn) {
    clsMagicList list = fiveEntries();
    list.DeleteItem(4);
    list.DeleteItem(3); // A B C
    list.SetActiveEntry(1);
    list.DeleteItem(1);
    EXPECT_EQ(namesOf(list), (QStringList{"A", "C"}));
    EXPECT_EQ(list.GetActiveEntry(), 1);
    EXPECT_TRUE(list.HasActiveEntryChanged());

    list.SetActiveEntry(1);
    list.DeleteItem(1); // the last one: entry 0 takes over
    EXPECT_EQ(list.GetActiveEntry(), 0);
    EXPECT_EQ(list.GetEntryName(0), QStringLiteral("A"));
    list.SetActiveEntry(0);
    list.DeleteItem(0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetActiveEntry(), 0);
}

TEST_F(MagicListTest, DeletingAnotherEntryLeavesTheChangeFlag) {
    clsMagicList list = fiveEntries();
    list.SetActiveEntry(2);
    list.DeleteItem(0);
    EXPECT_FALSE(list.HasActiveEntryChanged());
    EXPECT_EQ(list.GetActiveEntry(), 1);
}

TEST_F(MagicListTest, DeleteItemRemovesOnlyUnsharedCopiesInThePrivateFolder) {
    const QString priv = Options.PrivateMagicListPath;
    const QString copy = writePicture(env, QStringLiteral("home/Documents/My Magic Lists/Other "
                                                          "Images/copy.jpg"));
    const QString shared = writePicture(env, QStringLiteral("home/Documents/My Magic Lists/"
                                                            "Other Images/shared.jpg"));
    const QString outside = writePicture(env, QStringLiteral("pics/own.jpg"));
    // A link inside the folder to a picture of the user's, and a path that
    // climbs out of the folder again.
    const QString link = priv + QStringLiteral("link.jpg");
    ASSERT_TRUE(QFile::link(outside, link));
    const QString climbing = priv + QStringLiteral("../../../pics/own.jpg");

    clsMagicList list;
    addAll(list, {copy, shared, shared, outside, link});
    list.AddItem(climbing, -1, -1);
    ASSERT_EQ(list.GetCount(), 6);

    // Each removal is settled by the save that follows it.
    list.DeleteItem(5); // climbing out
    list.DeleteItem(4); // the link
    list.DeleteItem(3); // outside
    ASSERT_TRUE(list.Save());
    EXPECT_TRUE(QFileInfo::exists(outside));
    list.DeleteItem(1); // still shown by the next entry
    ASSERT_TRUE(list.Save());
    EXPECT_TRUE(QFileInfo::exists(shared));
    list.DeleteItem(1);                     // the last entry that showed it
    EXPECT_TRUE(QFileInfo::exists(shared)); // until the list file no longer names it
    ASSERT_TRUE(list.Save());
    EXPECT_FALSE(QFileInfo::exists(shared));
    list.DeleteItem(0);
    ASSERT_TRUE(list.Save());
    EXPECT_FALSE(QFileInfo::exists(copy));
}

TEST_F(MagicListTest, DeleteItemKeepsFilesWhenNoPrivateFolderIsSet) {
    Options.PrivateMagicListPath.clear();
    clsMagicList list;
    const QString path = writePicture(env, QStringLiteral("pics/a.jpg"));
    list.AddItem(path, -1, -1);
    list.DeleteItem(0);
    list.DeleteRemovedPictures();
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(MagicListTest, RandomizeEntriesSwapsWithTheLaterEntries) {
    const struct {
        QList<double> draws;
        int count;
        QStringList order;
    } cases[] = {
        {{0.0, 0.5, 0.99}, 3, {"B", "C", "A"}},
        {{0.0}, 2, {"B", "A"}},
        {{0.999}, 2, {"B", "A"}},
        {{0.9999999999}, 3, {"C", "A", "B"}}, // rounds up to 1 in single precision
        {{0.3}, 1, {"A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order.join(u',').toStdString());
        env.random = SequenceRandom(c.draws);
        clsMagicList list = fiveEntries();
        while (list.GetCount() > c.count)
            list.DeleteItem(static_cast<int16_t>(list.GetCount() - 1));
        list.RandomizeEntries();
        EXPECT_EQ(namesOf(list), c.order);
    }
}

TEST_F(MagicListTest, FourQuarterTurnsBringTheCropBack) {
    clsMagicList list;
    list.AddItem(writeImage(env, QStringLiteral("pics/wide.png"), 800, 600), -1, -1);
    list.SetEntryProperties(0, 100, 50, 200, 150);
    const struct {
        int16_t rotation, left, top, width, height;
    } steps[] = {{90, 400, 100, 150, 200},
                 {180, 500, 400, 200, 150},
                 {270, 50, 500, 150, 200},
                 {0, 100, 50, 200, 150}};
    for (const auto& s : steps) {
        list.RotateEntry(0);
        EXPECT_EQ(list.GetEntryRotate(0), s.rotation);
        EXPECT_EQ(list.GetEntryLeft(0), s.left);
        EXPECT_EQ(list.GetEntryTop(0), s.top);
        EXPECT_EQ(list.GetEntryWidth(0), s.width);
        EXPECT_EQ(list.GetEntryHeight(0), s.height);
    }
    EXPECT_FALSE(list.HasActiveEntryChanged()); // the entry is not active
}

TEST_F(MagicListTest, RotatingAnUnreadableCroppedPictureChangesNothing) {
    clsMagicList list;
    addAll(list, {writePicture(env, QStringLiteral("pics/broken.jpg"), "not a picture"),
                  writePicture(env, QStringLiteral("pics/plain.jpg"), "not a picture")});
    list.SetEntryProperties(0, 10, 20, 30, 40);
    list.SetActiveEntry(0);
    list.RotateEntry(0);
    EXPECT_EQ(list.GetEntryRotate(0), 0);
    EXPECT_EQ(list.GetEntryLeft(0), 10);
    EXPECT_EQ(list.GetEntryWidth(0), 30);
    EXPECT_FALSE(list.HasActiveEntryChanged());
    // Without a crop the picture is not needed.
    list.RotateEntry(1);
    EXPECT_EQ(list.GetEntryRotate(1), 90);
}

TEST_F(MagicListTest, ChangesToTheActiveEntryAreNoted) {
    clsMagicList list = fiveEntries();
    list.SetActiveEntry(1);
    list.SetEntryBGColor(0, 255);
    list.SetEntryPosition(2, 1);
    list.SetEntryProperties(3, 1, 1, 1, 1);
    EXPECT_FALSE(list.HasActiveEntryChanged());
    list.SetEntryBGColor(1, 255);
    EXPECT_TRUE(list.HasActiveEntryChanged());
    list.SetActiveEntry(1);
    EXPECT_FALSE(list.HasActiveEntryChanged());
    list.SetEntryPosition(1, 4);
    EXPECT_TRUE(list.HasActiveEntryChanged());
}

TEST_F(MagicListTest, SetActiveEntryRewritesTheListFile) {
    clsMagicList list = fiveEntries();
    list.SetActiveEntry(3);
    const QString file = list.GetFilePath();
    EXPECT_EQ(file, Options.PrivateMagicListPath + QStringLiteral("MList1.MLS"));
    clsMagicList reread;
    ASSERT_EQ(reread.Load(file), 0);
    EXPECT_EQ(reread.GetActiveEntry(), 3);

    list.SetActiveEntry(99); // no entry active, still written
    ASSERT_EQ(reread.Load(file), 0);
    EXPECT_EQ(reread.GetActiveEntry(), 0); // entry 0 takes the role on load
    EXPECT_EQ(list.GetActiveEntry(), 0);
    EXPECT_FALSE(list.GetEntrySelected(0));
    list.SelectOnlyAcitve();
    EXPECT_FALSE(list.GetEntrySelected(0));
}

TEST_F(MagicListTest, SelectOnlyAcitveMirrorsTheActiveFlags) {
    clsMagicList list = fiveEntries();
    for (int16_t i = 0; i < 5; ++i)
        list.SetEntrySelected(i, true);
    list.SetActiveEntry(2);
    list.SelectOnlyAcitve();
    for (int16_t i = 0; i < 5; ++i)
        EXPECT_EQ(list.GetEntrySelected(i), i == 2);
}

TEST_F(MagicListTest, ClearListKeepsTheScheduleReInitializeResetsIt) {
    clsMagicList list = fiveEntries();
    list.SetSchUpdateOption(0);
    list.SetSchInterval(20);
    list.SetPublic();
    list.Save();
    list.ClearList();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetListName(), QString());
    EXPECT_EQ(list.GetFilePath(), QString());
    EXPECT_EQ(list.GetSchUpdateOption(), 0);
    EXPECT_EQ(list.GetSchInterval(), 20);
    EXPECT_TRUE(list.IsPublic());

    list.SetActiveEntryChanged();
    list.ReInitialize();
    EXPECT_EQ(list.GetListName(), QStringLiteral("My Magic List"));
    EXPECT_EQ(list.GetSchUpdateOption(), 1);
    EXPECT_EQ(list.GetSchInterval(), 60);
    EXPECT_EQ(list.GetSchUpdateStartHour(), 8);
    EXPECT_EQ(list.GetSchUpdateEndHour(), 17);
    EXPECT_EQ(list.GetSchUpdateCounter(), 5);
    EXPECT_TRUE(list.GetSchUpdateOnDay(1));
    EXPECT_FALSE(list.IsPublic());
    EXPECT_FALSE(list.HasActiveEntryChanged());
    EXPECT_EQ(list.headerText(), QStringLiteral("Vellamore Magic List").leftJustified(55));
}

TEST_F(MagicListTest, FlagsOneToFourOnly) {
    clsMagicList list = fiveEntries();
    list.SetFlag(0, 1, 9);
    list.SetFlag(1, 1, 8);
    list.SetFlag(0, 4, 7);
    list.SetFlag(0, 5, 6);
    EXPECT_EQ(list.getFlag(0, 4), 7);
    EXPECT_EQ(list.getFlag(0, 5), 0);
    list.ClearFlags(5);
    EXPECT_EQ(list.getFlag(0, 1), 9);
    list.ClearFlags(1);
    EXPECT_EQ(list.getFlag(0, 1), 0);
    EXPECT_EQ(list.getFlag(1, 1), 0);
    EXPECT_EQ(list.getFlag(0, 4), 7);
}

} // namespace
