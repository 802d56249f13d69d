#include "engine/ProgramState.h"
#include "tests/engine/test_magiclist_helpers.h"

#include "engine/MagicList.h"
#include "engine/MagicListDuplicates.h"
#include "engine/Options.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class RemoveDuplicatesTest : public ::testing::Test {
protected:
    RemoveDuplicatesTest() { QDir().mkpath(Options.PrivateMagicListPath); }

    QString privateCopy(const QString& name, const QByteArray& bytes) {
        return writePicture(
            env, QStringLiteral("home/Documents/My Magic Lists/Other Images/") + name, bytes);
    }

    TestEnvironment env;
};

TEST_F(RemoveDuplicatesTest, SamePathInOtherCaseAndSameContentGo) {
    const QString a = writePicture(env, QStringLiteral("p/a.jpg"), "first picture");
    const QString b = writePicture(env, QStringLiteral("p/b.jpg"), "second pic");
    const QString bCopy = writePicture(env, QStringLiteral("p/c.jpg"), "second pic");
    clsMagicList list;
    addAll(list, {a, b, bCopy});
    list.AddItem(a, -1, -1);
    list.SetEntryPath(3, a.toUpper().replace(env.root.path().toUpper(), env.root.path()));
    list.RemoveDuplicates();
    EXPECT_EQ(namesOf(list), (QStringList{"a", "b"}));
    // Outside the private folder no file is touched.
    EXPECT_TRUE(QFileInfo::exists(bCopy));
}

TEST_F(RemoveDuplicatesTest, EqualSumsWithDifferentBytesStay) {
    // A picture and its mirror image have the same size and byte sum.
    const QString left = writePicture(env, QStringLiteral("p/left.bmp"), "\x01\x02\x03\x04");
    const QString right = writePicture(env, QStringLiteral("p/right.bmp"), "\x04\x03\x02\x01");
    // Empty or unreadable files have a sum of 0 and match nothing.
    const QString empty1 = writePicture(env, QStringLiteral("p/e1.jpg"), QByteArray());
    const QString empty2 = writePicture(env, QStringLiteral("p/e2.jpg"), QByteArray());
    clsMagicList list;
    addAll(list, {left, right, empty1, empty2});
    list.RemoveDuplicates();
    EXPECT_EQ(namesOf(list), (QStringList{"left", "right", "e1", "e2"}));
}

TEST_F(RemoveDuplicatesTest, EachFileIsSummedOnceAtMost) {
    clsMagicList list;
    // Four files of one size, all different, and one of another size.
    for (const char* n : {"w", "x", "y", "z"})
        list.AddItem(writePicture(env, QStringLiteral("p/%1.jpg").arg(n), QByteArray(8, *n)), -1,
                     -1);
    list.AddItem(writePicture(env, QStringLiteral("p/lone.jpg"), "size of its own"), -1, -1);
    list.RemoveDuplicates();
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(lastDuplicateScanCounts().fileReads, 4);
    EXPECT_EQ(lastDuplicateScanCounts().mostReadsOfOneFile, 1);
}

TEST_F(RemoveDuplicatesTest, OwnCopiesGoOnlyWhenNoKeptEntryShowsThem) {
    const QString original = privateCopy(QStringLiteral("one.jpg"), "same bytes");
    const QString copy = privateCopy(QStringLiteral("two.jpg"), "same bytes");
    const QString users = writePicture(env, QStringLiteral("p/three.jpg"), "same bytes");
    clsMagicList list;
    addAll(list, {original, copy, users, copy});
    list.SetActiveEntry(1);
    list.RemoveDuplicates();
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(namesOf(list), (QStringList{"one"}));
    EXPECT_TRUE(QFileInfo::exists(original));
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_TRUE(QFileInfo::exists(users)); // not the program's own copy
    // The active role passed on to the entry that took its place.
    EXPECT_EQ(list.GetActiveEntry(), 0);
    EXPECT_TRUE(list.HasActiveEntryChanged());
}

TEST_F(RemoveDuplicatesTest, SamePathDuplicatesNeverDeleteTheFile) {
    const QString copy = privateCopy(QStringLiteral("one.jpg"), "bytes");
    clsMagicList list;
    addAll(list, {copy, copy});
    list.RemoveDuplicates();
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(QFileInfo::exists(copy));
}

TEST_F(RemoveDuplicatesTest, TheListRefusesChangesWhileTheScanServesEvents) {
    const QString a = writePicture(env, QStringLiteral("p/a.jpg"), "content");
    const QString b = writePicture(env, QStringLiteral("p/b.jpg"), "content");
    clsMagicList list;
    addAll(list, {a, b});
    bool sawBusy = false;
    int16_t added = 0;
    QTimer::singleShot(0, [&] {
        sawBusy = list.IsBusy();
        added = list.AddItem(a, -1, -1);
        list.DeleteItem(0);
        list.SetActiveEntry(1);
        list.RemoveDuplicates();
    });
    list.RemoveDuplicates();
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(added, -1);
    EXPECT_FALSE(list.IsBusy());
    EXPECT_EQ(namesOf(list), (QStringList{"a"}));
    EXPECT_EQ(list.GetFilePath(), QString()); // the refused SetActiveEntry saved nothing
}

} // namespace

namespace {

TEST_F(RemoveDuplicatesTest, EachFileIsReadOnceAtMostEvenWhenManyMatch) {
    clsMagicList list;
    QStringList paths;
    // Three copies of one picture, two of another, a picture and its mirror
    // image (same size and sum), and files of sizes of their own.
    for (const char* n : {"a1", "a2", "a3"})
        paths << writePicture(env, QStringLiteral("p/%1.jpg").arg(n), "aaaa-picture");
    for (const char* n : {"b1", "b2"})
        paths << writePicture(env, QStringLiteral("p/%1.jpg").arg(n), "bbbb-picture");
    paths << writePicture(env, QStringLiteral("p/left.jpg"), "\x01\x02\x03\x04");
    paths << writePicture(env, QStringLiteral("p/right.jpg"), "\x04\x03\x02\x01");
    paths << writePicture(env, QStringLiteral("p/lone.jpg"), "a size of its own");
    // The same files again under the same paths.
    paths << paths[0] << paths[3];
    addAll(list, paths);
    list.RemoveDuplicates();
    EXPECT_EQ(namesOf(list), (QStringList{"a1", "b1", "left", "right", "lone"}));
    const DuplicateScanCounts counts = lastDuplicateScanCounts();
    EXPECT_EQ(counts.mostReadsOfOneFile, 1);
    EXPECT_EQ(counts.fileReads, 7); // every file that shares its size, once
}

} // namespace
