#include "engine/ErrorWindow.h"
#include "engine/ListIndex.h"
#include "engine/ProgramBusy.h"
#include "panel/ListCommands.h"
#include "panel/WebAddress.h"
#include "tests/common/WriteFaults.h"
#include "tests/panel/ListsTestKit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

namespace {

class ListCommandsTest : public ListsTest {
protected:
    // A list file of that name in the private or public folder.
    QString saveList(const QString& name, bool isPublic = false, int entries = 0) {
        clsMagicList list;
        list.SetListName(name);
        if (isPublic)
            list.SetPublic();
        for (int i = 0; i < entries; ++i)
            list.AddItem(picture(name + QString::number(i)), -1, -1);
        list.Save();
        return list.GetFilePath();
    }
    // Opens the list file as the active list, the way the panel shows it.
    void open(const QString& path) {
        ActiveMagicList.Load(path);
        BuildMagicListIndex();
        for (int16_t i = 1; i <= ListIndexCount; ++i) {
            if (ListIndexEntries[i].ListPath == path)
                views.listNumber = i;
        }
    }
    static clsMagicList fileOf(const QString& path) {
        clsMagicList list;
        list.loadQuietly(path);
        return list;
    }
    void limitedUser() {
        ThisRun.writeProbeDone = true;
        ThisRun.writeProbeAnswer = false;
    }
    QString priv(const QString& file) const { return Options.PrivateMagicListPath + file; }
    QString pub(const QString& file) const { return Options.PublicMagicListPath + file; }
    // Answers the list-name dialog with a name and a public flag.
    void answerName(const QString& name, bool isPublic) {
        windows.listName = [this, name, isPublic](ListNameFields& f) {
            asked = f;
            f.Cancelled = false;
            f.ListName = name;
            f.ListIsPublic = isPublic;
        };
    }

    ListNameFields asked;
};

// New

TEST_F(ListCommandsTest, ANewListGetsAFileOfItsOwnAfterTheOpenOneIsSaved) {
    open(saveList(QStringLiteral("Old")));
    ActiveMagicList.AddItem(picture(QStringLiteral("unsaved")), -1, -1);
    answerName(QStringLiteral("Trip"), false);
    newMagicList(views);
    EXPECT_TRUE(asked.ListName.isEmpty());
    EXPECT_TRUE(asked.RenamedListPath.isEmpty());
    EXPECT_EQ(fileOf(priv(QStringLiteral("MList1.MLS"))).GetCount(), 1); // saved first
    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("Trip"));
    EXPECT_EQ(ActiveMagicList.GetFilePath(), priv(QStringLiteral("MList2.MLS")));
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    EXPECT_EQ(fileOf(priv(QStringLiteral("MList2.MLS"))).GetListName(), QStringLiteral("Trip"));
    EXPECT_EQ(ListIndexCount, 2);
    EXPECT_EQ(windows.calls, (QStringList{"ListName", "NoFiles"}));
    EXPECT_EQ(views.calls, (QStringList{"FillListNames", "clearEntryList", "StoreActiveList",
                                        "UpdateSelectionState"}));
}

TEST_F(ListCommandsTest, ACancelledNewListOnlySavesTheOpenOne) {
    open(saveList(QStringLiteral("Old")));
    ActiveMagicList.AddItem(picture(QStringLiteral("unsaved")), -1, -1);
    newMagicList(views);
    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("Old"));
    EXPECT_EQ(fileOf(priv(QStringLiteral("MList1.MLS"))).GetCount(), 1);
    EXPECT_FALSE(QFileInfo::exists(priv(QStringLiteral("MList2.MLS"))));
    EXPECT_TRUE(views.calls.isEmpty());
}

TEST_F(ListCommandsTest, PublicListsAreMadeOnlyByUsersWhoMayWriteThere) {
    open(saveList(QStringLiteral("Old")));
    answerName(QStringLiteral("Shared"), true);
    newMagicList(views);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), pub(QStringLiteral("MList1.MLS")));
    EXPECT_TRUE(ActiveMagicList.IsPublic());

    limitedUser();
    answerName(QStringLiteral("Mine"), true);
    newMagicList(views);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), priv(QStringLiteral("MList2.MLS")));
    EXPECT_FALSE(ActiveMagicList.IsPublic());
}

TEST_F(ListCommandsTest, ANewListWithNoFreeFileNameLeavesTheOpenListOpen) {
    const QString old = saveList(QStringLiteral("Old"));
    for (int n = 2; n <= 200; ++n)
        env.writeFile(QStringLiteral("home/Documents/My Magic Lists/MList%1.MLS").arg(n), "x");
    open(old);
    answerName(QStringLiteral("Trip"), false);
    newMagicList(views);
    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("Old"));
    EXPECT_EQ(ActiveMagicList.GetFilePath(), old);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_TRUE(env.errors.calls[0].message.startsWith(
        QStringLiteral("Unable to save the magic list: MList1 to MList200 already exist")));
    EXPECT_TRUE(views.calls.isEmpty());
}

// Delete

TEST_F(ListCommandsTest, DeletingAsksFirst) {
    const struct {
        bool isPublic;
        bool limited;
        int16_t reply;
        QString message, question;
        bool deleted;
    } cases[] = {
        {false, false, answer::No,
         QStringLiteral("Are you sure you want to delete this Magic List?"), QString(), false},
        {false, true, answer::Yes,
         QStringLiteral("Are you sure you want to delete this Magic List?"), QString(), true},
        {true, false, answer::Yes,
         QStringLiteral("This is a public magic list.  If there are other users on your computer "
                        "using this list, they will no longer be able to access it."),
         QStringLiteral("Are you sure you want to delete this Magic List?"), true},
    };
    for (const auto& c : cases) {
        ThisRun = RunFlags{};
        if (c.limited)
            limitedUser();
        open(saveList(QStringLiteral("L"), c.isPublic));
        env.errors.calls.clear();
        env.errors.answers = {c.reply};
        views.calls.clear();
        deleteMagicList(views);
        ASSERT_EQ(env.errors.calls.size(), 1);
        EXPECT_EQ(env.errors.calls[0].message, c.message);
        EXPECT_EQ(env.errors.calls[0].question, c.question);
        EXPECT_EQ(env.errors.calls[0].buttons, 36);
        EXPECT_EQ(env.errors.calls[0].title, QStringLiteral("Delete List"));
        EXPECT_EQ(views.calls.contains(QStringLiteral("DeleteCurrentList")), c.deleted);
    }
}

TEST_F(ListCommandsTest, LimitedUsersCanNeitherDeleteNorEditPublicLists) {
    limitedUser();
    open(saveList(QStringLiteral("Shared"), true));
    deleteMagicList(views);
    renameMagicList(views);
    EXPECT_EQ(env.errors.messages(),
              (QStringList{"Limited users cannot delete public Magic Lists!",
                           "Limited users cannot edit public Magic Lists!"}));
    for (const auto& call : env.errors.calls) {
        EXPECT_EQ(call.buttons, 48);
        EXPECT_TRUE(call.title.isEmpty());
    }
    EXPECT_TRUE(windows.calls.isEmpty());
    EXPECT_TRUE(views.calls.isEmpty());
}

TEST_F(ListCommandsTest, AQuestionAboutAListThatWasSwitchedMeanwhileDoesNothing) {
    const QString other = saveList(QStringLiteral("Other"), false, 2);
    open(saveList(QStringLiteral("Mine"), false, 3));
    ScriptedErrorPresenter hook;
    hook.otherwise = answer::Yes;
    hook.duringQuestion = [&] { ActiveMagicList.Load(other); };
    setErrorPresenter(&hook);
    for (const auto& command : {deleteMagicList, removeDuplicateEntries, shuffleEntries}) {
        open(priv(QStringLiteral("MList2.MLS")));
        command(views);
    }
    windows.listName = [&](ListNameFields& f) {
        ActiveMagicList.Load(other);
        f.Cancelled = false;
        f.ListName = QStringLiteral("Renamed");
    };
    open(priv(QStringLiteral("MList2.MLS")));
    renameMagicList(views);
    setErrorPresenter(&env.errors);
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_EQ(fileOf(priv(QStringLiteral("MList2.MLS"))).GetListName(), QStringLiteral("Mine"));
    EXPECT_EQ(fileOf(other).GetListName(), QStringLiteral("Other"));
}

// Rename and the public/private switch

TEST_F(ListCommandsTest, RenamingKeepsTheFileAndPatchesItsIndexRow) {
    saveList(QStringLiteral("Home"));
    const QString work = saveList(QStringLiteral("Work"));
    open(work);
    const int32_t row = views.listNumber;
    answerName(QStringLiteral("Job"), false);
    renameMagicList(views);
    EXPECT_EQ(asked.ListName, QStringLiteral("Work"));
    EXPECT_FALSE(asked.ListIsPublic);
    EXPECT_EQ(asked.RenamedListPath, work);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), work);
    EXPECT_EQ(fileOf(work).GetListName(), QStringLiteral("Job"));
    EXPECT_EQ(views.listNameShown, QStringLiteral("Job"));
    EXPECT_EQ(ListIndexEntries[row].ListName, QStringLiteral("Job"));
    EXPECT_EQ(ListIndexEntries[row].ListPath, work);
    EXPECT_EQ(views.calls, QStringList{QStringLiteral("StoreActiveList")});

    // A second rename right away finds the new name.
    answerName(QStringLiteral("Task"), false);
    renameMagicList(views);
    EXPECT_EQ(asked.ListName, QStringLiteral("Job"));
}

TEST_F(ListCommandsTest, ARowWithoutAValidNumberRebuildsTheIndex) {
    const QString work = saveList(QStringLiteral("Work"));
    for (int32_t number : {-1, 0, 7}) {
        open(work);
        views.listNumber = number;
        views.calls.clear();
        answerName(QStringLiteral("Work %1").arg(number), false);
        renameMagicList(views);
        EXPECT_EQ(views.calls, (QStringList{"FillListNames", "StoreActiveList"})) << number;
        EXPECT_EQ(ListIndexEntries[1].ListName, QStringLiteral("Work %1").arg(number));
    }
}

TEST_F(ListCommandsTest, SwitchingToPublicMovesTheFileOnlyOnceItIsWritten) {
    saveList(QStringLiteral("Already public"), true);
    const QString old = saveList(QStringLiteral("Work"));
    open(old);
    const int32_t row = views.listNumber;
    answerName(QStringLiteral("Work"), true);
    renameMagicList(views);
    EXPECT_TRUE(ActiveMagicList.IsPublic());
    EXPECT_EQ(ActiveMagicList.GetFilePath(), pub(QStringLiteral("MList2.MLS")));
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_EQ(fileOf(pub(QStringLiteral("MList2.MLS"))).GetListName(), QStringLiteral("Work"));
    EXPECT_EQ(ListIndexEntries[row].ListPath, pub(QStringLiteral("MList2.MLS")));
    EXPECT_EQ(views.calls.last(), QStringLiteral("StoreActiveList"));
    EXPECT_TRUE(env.errors.calls.isEmpty());

    // And back.
    answerName(QStringLiteral("Work"), false);
    renameMagicList(views);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), priv(QStringLiteral("MList1.MLS")));
    EXPECT_FALSE(QFileInfo::exists(pub(QStringLiteral("MList2.MLS"))));
}

TEST_F(ListCommandsTest, ASwitchThatCannotBeWrittenLeavesTheListWhereItWas) {
    const QString old = saveList(QStringLiteral("Work"), false, 2);
    const QByteArray bytes = readBytes(old);
    open(old);
    // A file stands where the public list folder should be.
    QDir(Options.PublicMagicListPath).removeRecursively();
    QString folder = Options.PublicMagicListPath;
    folder.chop(1);
    env.writeFile(QStringLiteral("program/Magic Lists"), "not a folder");
    answerName(QStringLiteral("Renamed"), true);
    renameMagicList(views);
    EXPECT_FALSE(ActiveMagicList.IsPublic());
    EXPECT_EQ(ActiveMagicList.GetFilePath(), old);
    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("Work"));
    EXPECT_EQ(ActiveMagicList.GetCount(), 2);
    EXPECT_EQ(readBytes(old), bytes);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Path not found"));
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isFile());
}

// Remove duplicates and shuffle

TEST_F(ListCommandsTest, RemovingDuplicatesFollowsThePreviewedEntry) {
    const QString a = picture(QStringLiteral("A"));
    const QString b = picture(QStringLiteral("B"));
    const QString c = picture(QStringLiteral("C"));
    addAll(ActiveMagicList, {a, b, a, c});
    ActiveMagicList.SetActiveEntry(1);
    env.errors.answers = {answer::Yes};
    views.current = 3; // C
    removeDuplicateEntries(views);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message,
              QStringLiteral("This function will make sure that none of the images in your list "
                             "appear more than once."));
    EXPECT_EQ(env.errors.calls[0].question,
              QStringLiteral("Are you sure you want to remove duplicate entires from the list?"));
    EXPECT_EQ(env.errors.calls[0].title, QStringLiteral("Remove Duplicate Entries"));
    EXPECT_EQ(env.errors.calls[0].buttons, 36);
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(views.current, 2);
    EXPECT_EQ(views.calls, (QStringList{"FillEntryList", "UpdateSelectionState"}));
    EXPECT_FALSE(ProgramIsBusy());

    // The previewed entry was itself a duplicate: the preview shows the active one.
    addAll(ActiveMagicList, {b});
    ActiveMagicList.SetEntrySelected(3, true);
    views.current = 3;
    env.errors.answers = {answer::Yes};
    removeDuplicateEntries(views);
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(views.current, -1);
    EXPECT_EQ(selected(), QStringList{QStringLiteral("B")});
}

TEST_F(ListCommandsTest, RemovingDuplicatesWritesTheListBeforeItDeletesTheCopies) {
    const QString a = picture(QStringLiteral("A"));
    const QString copy = priv(QStringLiteral("Other Images/A.png"));
    QDir().mkpath(QFileInfo(copy).absolutePath());
    ASSERT_TRUE(QFile::copy(a, copy));
    addAll(ActiveMagicList, {a, copy});
    ActiveMagicList.SetActiveEntry(0);
    ASSERT_TRUE(ActiveMagicList.Save());
    const QString file = ActiveMagicList.GetFilePath();
    bool copyWhileWriting = false;
    WriteWatch watch(file);
    watch.atRename = [&] { copyWhileWriting = QFileInfo::exists(copy); };
    env.errors.answers = {answer::Yes};
    removeDuplicateEntries(views);
    EXPECT_TRUE(copyWhileWriting);
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(fileOf(file).GetCount(), 1);
    EXPECT_EQ(fileOf(file).GetEntryPath(0), a);
}

TEST_F(ListCommandsTest, ShufflingFollowsThePreviewedEntry) {
    makeList(6);
    env.random = SequenceRandom({0.9, 0.1, 0.5, 0.7, 0.3, 0.2});
    views.current = 4;
    env.errors.answers = {answer::No};
    shuffleEntries(views);
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"A", "B", "C", "D", "E", "F"}));
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_EQ(env.errors.calls[0].message,
              QStringLiteral("This function will randomly change the order of the images in your "
                             "current magic list"));
    EXPECT_EQ(env.errors.calls[0].question,
              QStringLiteral("Are you sure you want to shuffle this magic list?"));
    EXPECT_EQ(env.errors.calls[0].title, QStringLiteral("Shuffle List"));

    env.errors.answers = {answer::Yes};
    shuffleEntries(views);
    EXPECT_NE(namesOf(ActiveMagicList), (QStringList{"A", "B", "C", "D", "E", "F"}));
    EXPECT_EQ(ActiveMagicList.GetEntryName(views.current), QStringLiteral("E"));
    EXPECT_EQ(views.calls, (QStringList{"FillEntryList", "UpdateSelectionState"}));
}

TEST_F(ListCommandsTest, SelectingAllOrTheActiveEntry) {
    makeList(3);
    ActiveMagicList.SetActiveEntry(1);
    selectAllEntries(views);
    EXPECT_EQ(selected(), (QStringList{"A", "B", "C"}));
    selectActiveEntry(views);
    EXPECT_EQ(selected(), QStringList{QStringLiteral("B")});
    EXPECT_EQ(views.calls, (QStringList{"FillEntryList", "UpdateSelectionState", "FillEntryList",
                                        "UpdateSelectionState"}));
}

// Help

TEST_F(ListCommandsTest, TheWebSiteOpensInTheBrowser) {
    EXPECT_FALSE(projectWebAddress().isEmpty());
    openWebSite();
    EXPECT_EQ(env.shell.opened, QStringList{projectWebAddress()});
    env.shell.browser = false;
    openWebSite();
    EXPECT_EQ(env.errors.messages(), QStringList{QStringLiteral("No Internet Browser Available")});
}

TEST_F(ListCommandsTest, NoCommandRunsWhileLongWorkRuns) {
    open(saveList(QStringLiteral("Busy"), false, 2));
    env.errors.answers = {answer::Yes, answer::Yes, answer::Yes};
    {
        BusyWork busy;
        newMagicList(views);
        deleteMagicList(views);
        renameMagicList(views);
        removeDuplicateEntries(views);
        shuffleEntries(views);
        selectAllEntries(views);
        selectActiveEntry(views);
        toggleDropWindow();
    }
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_TRUE(windows.calls.isEmpty());
    EXPECT_TRUE(views.calls.isEmpty());
}

} // namespace
