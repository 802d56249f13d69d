#include "engine/ListIndex.h"
#include "engine/ProgramBusy.h"
#include "tests/gui/test_life_helpers.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

namespace {

class SelectListTest : public LifeTest {
protected:
    // A list file in the private folder with `count` pictures.
    QString saveList(const QString& name, int count) {
        clsMagicList list;
        list.SetListName(name);
        list.SetSchUpdateOption(3);
        for (int i = 0; i < count; ++i)
            list.AddItem(writeImage(env, QStringLiteral("pics/%1%2.png").arg(name).arg(i), 20, 10),
                         int32_t(0), int16_t(2));
        list.SetActiveEntry(static_cast<int16_t>(count - 1));
        return list.GetFilePath();
    }
    void pick(int16_t row) {
        windows.listPicker = [row](ListPickerFields& f) {
            f.Cancelled = false;
            f.PickedListNumber = row;
        };
    }
    int16_t rowOf(const QString& path) const {
        for (int16_t i = 1; i <= ListIndexCount; ++i) {
            if (ListIndexEntries[i].ListPath == path)
                return i;
        }
        return 0;
    }
};

TEST_F(SelectListTest, TheChosenListIsLoadedAndItsActiveEntryShown) {
    makeList(2);
    const QString other = saveList(QStringLiteral("Other"), 3);
    loadForm();
    windows.listPicker = [&](ListPickerFields& f) {
        // The index was rebuilt before the picker opened.
        EXPECT_EQ(ListIndexCount, 2);
        f.Cancelled = false;
        f.PickedListNumber = rowOf(other);
    };
    MainForm->ShowControlPanel();
    PanelLoaded = true;
    MainForm->mnuChooseOtherList->trigger();
    EXPECT_EQ(windows.count(QStringLiteral("ListPicker")), 1);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), other);
    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("Other"));
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(CurrentWallpaper.Path, ActiveMagicList.GetEntryPath(2));
    EXPECT_EQ(option(QStringLiteral("ActiveList")), other);
    EXPECT_EQ(windows.count(QStringLiteral("Refresh")), 1);
}

TEST_F(SelectListTest, UnsavedChangesSurviveChoosingTheSameListAgain) {
    makeList(1);
    ActiveMagicList.AddItem(writeImage(env, QStringLiteral("pics/new.png"), 5, 5), -1, -1);
    BuildMagicListIndex();
    pick(rowOf(ActiveMagicList.GetFilePath()));
    SelectAnotherMagicList();
    EXPECT_EQ(ActiveMagicList.GetCount(), 2);
    EXPECT_EQ(savedList().GetCount(), 2);
}

TEST_F(SelectListTest, ACancelledPickerStillRebuildsTheIndex) {
    makeList(1);
    const QString before = ActiveMagicList.GetFilePath();
    const QString later = saveList(QStringLiteral("Later"), 1);
    SelectAnotherMagicList();
    EXPECT_EQ(windows.count(QStringLiteral("ListPicker")), 1);
    EXPECT_GT(rowOf(later), 0);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), before);
    EXPECT_TRUE(desktop.applied.isEmpty());
    // A row outside the index changes nothing either.
    pick(9);
    SelectAnotherMagicList();
    EXPECT_EQ(ActiveMagicList.GetFilePath(), before);
    EXPECT_TRUE(desktop.applied.isEmpty());
}

TEST_F(SelectListTest, AListThatNoLongerLoadsIsReportedAndTheOpenListStays) {
    makeList(2);
    const QString mine = ActiveMagicList.GetFilePath();
    const QString broken = saveList(QStringLiteral("Broken"), 3);
    const QStringList filesBefore = QDir(Options.PrivateMagicListPath).entryList(QDir::Files);
    windows.listPicker = [&](ListPickerFields& f) {
        const int16_t row = rowOf(broken);
        // Damaged after the index was built: cut in the middle of an entry.
        QFile file(broken);
        file.open(QIODevice::ReadWrite);
        file.resize(file.size() - 40);
        f.Cancelled = false;
        f.PickedListNumber = row;
    };
    SelectAnotherMagicList();
    EXPECT_EQ(ActiveMagicList.GetFilePath(), mine);
    EXPECT_EQ(ActiveMagicList.GetCount(), 2);
    EXPECT_EQ(env.errors.calls.size(), 1);
    EXPECT_TRUE(desktop.applied.isEmpty());
    // No stray list file was written.
    EXPECT_EQ(QDir(Options.PrivateMagicListPath).entryList(QDir::Files), filesBefore);
}

TEST_F(SelectListTest, TheTrayAndTheTimerWaitForLongWork) {
    makeList(3);
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(1);
    loadForm();
    {
        BusyWork busy;
        MainForm->Timer1_Timer();
        tray.click(traymsg::LeftDoubleClick);
        instance.receive({mainmsg::TrayCallback, 0, mainmsg::ShowPanelParam});
        for (QAction* a : {MainForm->mnuNext, MainForm->mnuRemove, MainForm->mnuChooseOtherList,
                           MainForm->mnuImageReceiver, MainForm->mnuRotate90})
            a->trigger();
        MainForm->mnuChooseOtherList2->trigger();
        const bool wasChecked = MainForm->mnuMakeImagesActive->isChecked();
        MainForm->mnuMakeImagesActive->trigger();
        EXPECT_EQ(MainForm->mnuMakeImagesActive->isChecked(), wasChecked);
        EXPECT_EQ(Options.MakeDroppedActive, wasChecked);
        EXPECT_TRUE(MainForm->Timer1->isActive()); // it goes on ticking
    }
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_EQ(ActiveMagicList.GetCount(), 3);
    EXPECT_EQ(windows.count(QStringLiteral("ListPicker")), 0);
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 0);
    EXPECT_FALSE(DropWindow);
    // Once the work is done they act again.
    MainForm->Timer1_Timer();
    EXPECT_EQ(desktop.applied.size(), 1);
}

} // namespace
