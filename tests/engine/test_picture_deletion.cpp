#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/PictureDeletion.h"
#include "engine/ProgramState.h"
#include "tests/common/WriteFaults.h"
#include "tests/engine/test_magiclist_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

namespace {

class PictureDeletionTest : public ::testing::Test {
protected:
    void SetUp() override {
        priv = Options.PrivateMagicListPath;
        QDir().mkpath(priv);
        ActiveMagicList = clsMagicList();
        setIndex({});
    }
    void TearDown() override {
        ActiveMagicList = clsMagicList();
        setIndex({});
    }

    // The index of lists holds exactly these files.
    static void setIndex(const QStringList& files) {
        ListIndexEntries = {ListIndexEntry{}, ListIndexEntry{}};
        ListIndexCount = 0;
        for (const QString& f : files) {
            ++ListIndexCount;
            const ListIndexEntry row{QStringLiteral("list"), f};
            if (ListIndexCount == 1)
                ListIndexEntries[1] = row;
            else
                ListIndexEntries.append(row);
        }
    }
    // A picture in the private list folder (relative to it).
    QString inPrivate(const QString& relative) {
        return writePicture(env, QStringLiteral("home/Documents/My Magic Lists/") + relative);
    }
    // Another list, saved, showing these paths.
    QString otherList(const QStringList& paths) {
        clsMagicList list;
        for (const QString& p : paths) {
            const int16_t i =
                list.AddItem(writePicture(env, QStringLiteral("pics/stand-in.jpg")), -1, -1);
            list.SetEntryPath(i, p);
        }
        EXPECT_TRUE(list.Save());
        return list.GetFilePath();
    }

    TestEnvironment env;
    QString priv;
};

} // namespace

TEST_F(PictureDeletionTest, OnlyTheProgramsOwnCopiesThatNoListUsesAreDeleted) {
    // A picture in the private folder that is both the entry and the file.
    auto sameFile = [&](const QString& relative) {
        const QString f = inPrivate(relative);
        return std::pair{f, f};
    };
    const struct {
        const char* what;
        // Makes the files; gives the entry's path and the file that is to
        // go or stay.
        std::function<std::pair<QString, QString>()> make;
        bool deleted;
    } cases[] = {
        {"a copy in Other Images", [&] { return sameFile(QStringLiteral("Other Images/a.jpg")); },
         true},
        {"a copy in CD Images", [&] { return sameFile(QStringLiteral("CD Images/a.jpg")); }, true},
        {"a copy in Internet Images",
         [&] { return sameFile(QStringLiteral("Internet Images/a.jpg")); }, true},
        {"the user's own picture kept in the list folder",
         [&] { return sameFile(QStringLiteral("mine.jpg")); }, false},
        {"a picture in a folder of the user's inside a copy folder",
         [&] { return sameFile(QStringLiteral("Other Images/Holiday/a.jpg")); }, false},
        {"another list's file",
         [&] {
             const QString f = otherList({});
             return std::pair{f, f};
         },
         false},
        {"a path that climbs out of the list folder",
         [&] {
             const QString f = writePicture(env, QStringLiteral("pics/own.jpg"));
             return std::pair{priv + QStringLiteral("Other Images/../../../pics/own.jpg"), f};
         },
         false},
        {"a link in a copy folder to the user's picture",
         [&] {
             const QString f = writePicture(env, QStringLiteral("pics/own.jpg"));
             const QString link = priv + QStringLiteral("Other Images/link.jpg");
             QDir().mkpath(priv + QStringLiteral("Other Images"));
             EXPECT_TRUE(QFile::link(f, link));
             return std::pair{link, f};
         },
         false},
        {"a copy another list in the index uses",
         [&] {
             const QString f = inPrivate(QStringLiteral("Other Images/a.jpg"));
             setIndex({otherList({f})});
             return std::pair{f, f};
         },
         false},
        {"a copy another list reaches by a path of its own",
         [&] {
             const QString f = inPrivate(QStringLiteral("Other Images/a.jpg"));
             QDir().mkpath(priv + QStringLiteral("CD Images"));
             setIndex({otherList({priv + QStringLiteral("CD Images/../Other Images/a.jpg")})});
             return std::pair{f, f};
         },
         false},
        {"a copy the active list shows",
         [&] {
             const QString f = inPrivate(QStringLiteral("Other Images/a.jpg"));
             ActiveMagicList.AddItem(f, -1, -1);
             return std::pair{f, f};
         },
         false},
        {"a copy when a list in the index cannot be read",
         [&] {
             const QString f = inPrivate(QStringLiteral("Other Images/a.jpg"));
             setIndex({writePicture(env, QStringLiteral("home/Documents/My Magic Lists/bad.MLS"),
                                    "damaged")});
             return std::pair{f, f};
         },
         false},
        {"a copy when a list in the index has gone since",
         [&] {
             const QString f = inPrivate(QStringLiteral("Other Images/a.jpg"));
             setIndex({priv + QStringLiteral("gone.MLS")});
             return std::pair{f, f};
         },
         true},
    };
    for (const auto& c : cases) {
        QDir(env.path(QStringLiteral("pics"))).removeRecursively();
        QDir(priv).removeRecursively();
        QDir().mkpath(priv);
        ActiveMagicList = clsMagicList();
        setIndex({});
        const auto [entryPath, file] = c.make();
        clsMagicList list;
        list.AddItem(writePicture(env, QStringLiteral("pics/stand-in.jpg")), -1, -1);
        list.SetEntryPath(0, entryPath);
        list.DeleteItem(0);
        ASSERT_TRUE(list.Save()) << c.what;
        EXPECT_EQ(list.GetCount(), 0) << c.what;
        EXPECT_EQ(!QFileInfo::exists(file), c.deleted) << c.what;
    }
}

TEST_F(PictureDeletionTest, ALinkLeadsToTheCopyThatIsDeletedAndStaysItself) {
    const QString copy = inPrivate(QStringLiteral("Other Images/a.jpg"));
    const QString link = env.path(QStringLiteral("pics/link.jpg"));
    QDir().mkpath(env.path(QStringLiteral("pics")));
    ASSERT_TRUE(QFile::link(copy, link));
    clsMagicList list;
    list.AddItem(link, -1, -1);
    list.DeleteItem(0);
    ASSERT_TRUE(list.Save());
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST_F(PictureDeletionTest, ACommandReadsTheOtherListsOnceHoweverManyEntriesItRemoves) {
    QStringList copies;
    for (int i = 0; i < 4; ++i)
        copies << inPrivate(QStringLiteral("Other Images/%1.jpg").arg(i));
    setIndex({otherList({copies[0]}), otherList({})});
    clsMagicList list;
    addAll(list, copies);
    while (list.GetCount() > 0)
        list.DeleteItem(0);
    EXPECT_EQ(list.DeleteRemovedPictures(), 2);
    EXPECT_TRUE(QFileInfo::exists(copies[0]));
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(QFileInfo::exists(copies[i])) << i;
}

TEST_F(PictureDeletionTest, RemoveDuplicatesFollowsTheSameRule) {
    const QString own = inPrivate(QStringLiteral("mine.jpg"));
    const QString ownTwin = writePicture(env, QStringLiteral("pics/mine.jpg"));
    const QString shared = writePicture(
        env, QStringLiteral("home/Documents/My Magic Lists/Other Images/s.jpg"), "shared");
    const QString sharedTwin = writePicture(env, QStringLiteral("pics/s.jpg"), "shared");
    const QString unused = writePicture(
        env, QStringLiteral("home/Documents/My Magic Lists/Other Images/u.jpg"), "unused");
    const QString unusedTwin = writePicture(env, QStringLiteral("pics/u.jpg"), "unused");
    setIndex({otherList({shared})});
    clsMagicList list;
    addAll(list, {ownTwin, own, sharedTwin, shared, unusedTwin, unused});
    list.RemoveDuplicates();
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_TRUE(QFileInfo::exists(own));    // the user's, in the list folder
    EXPECT_TRUE(QFileInfo::exists(shared)); // another list shows it
    EXPECT_FALSE(QFileInfo::exists(unused));
}

TEST_F(PictureDeletionTest, ARemovedCopyGoesOnlyOnceTheListFileNoLongerNamesIt) {
    const QString copy = inPrivate(QStringLiteral("Other Images/a.jpg"));
    const QString kept = inPrivate(QStringLiteral("Other Images/b.jpg"));
    clsMagicList list;
    addAll(list, {copy, kept});
    ASSERT_TRUE(list.Save());
    const QString file = list.GetFilePath();
    list.DeleteItem(0);
    EXPECT_TRUE(QFileInfo::exists(copy)); // the file still names it

    // A save that fails deletes nothing.
    WriteWatch watch(file);
    watch.failAt(WriteStep::Rename, EIO);
    EXPECT_FALSE(list.Save());
    EXPECT_TRUE(QFileInfo::exists(copy));
    clsMagicList onDisk;
    ASSERT_EQ(onDisk.loadQuietly(file), 0);
    EXPECT_EQ(onDisk.GetEntryPath(0), copy);

    // The one that succeeds deletes it, once the new file is in place.
    bool existedWhileWriting = false;
    watch.succeed();
    watch.atRename = [&] { existedWhileWriting = QFileInfo::exists(copy); };
    EXPECT_TRUE(list.Save());
    EXPECT_TRUE(existedWhileWriting);
    EXPECT_FALSE(QFileInfo::exists(copy));

    // Loading the file again forgets a removal never saved: the file
    // names the picture.
    list.DeleteItem(0);
    ASSERT_EQ(list.Load(file), 0);
    ASSERT_TRUE(list.Save());
    EXPECT_TRUE(QFileInfo::exists(kept));
}
