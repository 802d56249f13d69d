#include "engine/ProgramState.h"
#include "tests/engine/test_magiclist_helpers.h"

#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class ListIndexTest : public ::testing::Test {
protected:
    ListIndexTest() {
        QDir().mkpath(Options.PrivateMagicListPath);
        QDir().mkpath(Options.PublicMagicListPath);
        ActiveMagicList.ReInitialize();
        ActiveMagicList.ClearList();
        ActiveMagicList.ClearFilePath();
        ActiveMagicList.SetListName(QStringLiteral("My Magic List"));
    }
    ~ListIndexTest() override {
        ActiveMagicList.ClearList();
        ActiveMagicList.ClearFilePath();
    }

    // Saves a list of the given name as a new file in the chosen folder.
    QString saveList(const QString& name, bool inPublicFolder) {
        clsMagicList list;
        list.SetListName(name);
        if (inPublicFolder)
            list.SetPublic();
        list.Save();
        return list.GetFilePath();
    }

    QStringList rowNames() const {
        QStringList names;
        for (int16_t row = 1; row <= ListIndexCount; ++row)
            names << ListIndexEntries[row].ListName;
        return names;
    }

    TestEnvironment env;
};

TEST_F(ListIndexTest, PublicListsComeFirstAndDamagedFilesAreLeftOutQuietly) {
    const QString shipped = saveList(QStringLiteral("Shipped"), true);
    saveList(QStringLiteral("Mine"), false);
    saveList(QStringLiteral("Also mine"), false);
    // A foreign file, a file cut short and a folder, all with the extension.
    env.writeFile(QStringLiteral("home/Documents/My Magic Lists/junk.MLS"),
                  QByteArray("\x00\xff not a list", 13));
    const QByteArray whole = readBytes(Options.PrivateMagicListPath + QStringLiteral("MList1.MLS"));
    env.writeFile(QStringLiteral("home/Documents/My Magic Lists/cut.MLS"), whole.left(70));
    QDir().mkpath(Options.PrivateMagicListPath + QStringLiteral("folder.MLS"));

    BuildMagicListIndex();

    EXPECT_EQ(rowNames(), (QStringList{QStringLiteral("Shipped"), QStringLiteral("Mine"),
                                       QStringLiteral("Also mine")}));
    EXPECT_EQ(ListIndexEntries[1].ListPath, shipped);
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_TRUE(ActiveMagicList.GetFilePath().isEmpty()) << "the active list is not touched";
}

TEST_F(ListIndexTest, WithNoListsTheActiveListIsSavedAsTheOnlyRow) {
    QDir(Options.PublicMagicListPath).removeRecursively(); // a missing folder is no error

    BuildMagicListIndex();

    ASSERT_EQ(ListIndexCount, 1);
    EXPECT_EQ(ListIndexEntries[1].ListName, QStringLiteral("My Magic List"));
    EXPECT_EQ(ListIndexEntries[1].ListPath,
              Options.PrivateMagicListPath + QStringLiteral("MList1.MLS"));
    EXPECT_TRUE(QFileInfo::exists(ListIndexEntries[1].ListPath));
}

TEST_F(ListIndexTest, TheStartFallsBackOnTheFirstRowWhenTheRememberedListIsGone) {
    writePicture(env, QStringLiteral("pictures/a.jpg"));
    clsMagicList first;
    first.SetListName(QStringLiteral("First"));
    first.AddItem(env.path(QStringLiteral("pictures/a.jpg")), -1, -1);
    first.Save();
    BuildMagicListIndex();
    Options.ActiveList = Options.PrivateMagicListPath + QStringLiteral("MList9.MLS");

    LoadActiveMagicList();

    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("First"));
    EXPECT_EQ(ActiveMagicList.GetCount(), 1);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), first.GetFilePath());
}

} // namespace

namespace {

// A list switch that fails must not leave a half-read list behind: it would
// be saved later as a stray new file, or over the list that was open.
TEST_F(ListIndexTest, AListIsReplacedOnlyByAListThatLoadsWhole) {
    const QString good = saveList(QStringLiteral("Holidays"), false);
    const QByteArray whole = readBytes(good);
    const QString cut = env.writeFile(QStringLiteral("home/Documents/My Magic Lists/cut.MLS"),
                                      whole.left(whole.size() - 1));
    const QString missing = env.path(QStringLiteral("nowhere/MList9.MLS"));

    clsMagicList open;
    open.SetListName(QStringLiteral("Open one"));
    open.AddItem(writePicture(env, QStringLiteral("a.jpg")), -1, -1);
    open.Save();
    const QString openPath = open.GetFilePath();

    for (const QString& bad : {cut, missing}) {
        env.errors.calls.clear();
        EXPECT_NE(loadListWhole(open, bad), 0) << bad.toStdString();
        EXPECT_EQ(open.GetListName(), QStringLiteral("Open one"));
        EXPECT_EQ(open.GetCount(), 1);
        EXPECT_EQ(open.GetFilePath(), openPath);
        EXPECT_EQ(env.errors.calls.size(), 1) << "reported once: " << bad.toStdString();
    }
    EXPECT_TRUE(env.errors.calls.last().message.contains(missing));

    EXPECT_EQ(loadListWhole(open, good), 0);
    EXPECT_EQ(open.GetListName(), QStringLiteral("Holidays"));
    EXPECT_EQ(open.GetFilePath(), good);
}

} // namespace
