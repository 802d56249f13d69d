#include "engine/DisplayEntry.h"
#include "engine/ErrorWindow.h"
#include "engine/ProgramState.h"
#include "runtime/Dates.h"
#include "tests/gui/test_life_helpers.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace {

const QString kOptionsKey = QStringLiteral("Software\\Orlevane\\Tapestrel\\Options");

class MainFormTest : public LifeTest {
protected:
    frmMain& form() { return *MainForm; }
    int16_t active() const { return ActiveMagicList.GetActiveEntry(); }
    void setSecond(int second) { env.clock.set(makeDateTime(2024, 3, 4, 10, 7, second)); }
};

TEST_F(MainFormTest, TheFirstTickComesOneSecondAfterLoading) {
    loadForm();
    EXPECT_TRUE(form().Timer1->isActive());
    EXPECT_EQ(form().Timer1->interval(), 1000);
}

TEST_F(MainFormTest, EachTickAimsAtTheNextWholeMinute) {
    loadForm();
    const struct {
        int second, interval;
    } cases[] = {{20, 40000}, {0, 60000}, {59, 1000}, {1, 59000}};
    for (const auto& c : cases) {
        setSecond(c.second);
        form().Timer1_Timer();
        EXPECT_EQ(form().Timer1->interval(), c.interval) << "second " << c.second;
        EXPECT_TRUE(form().Timer1->isActive());
    }
}

TEST_F(MainFormTest, ATickInsideATickDoesNothing) {
    // Due every minute, and the active entry's picture is gone: the change
    // stops in the removal question, where another tick arrives.
    makeList(2, 1);
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(1);
    QFile::remove(ActiveMagicList.GetEntryPath(0));
    ScriptedErrorPresenter hook;
    setErrorPresenter(&hook);
    loadForm();
    setSecond(10);
    int nestedInterval = -1;
    hook.duringQuestion = [&] {
        setSecond(30);
        form().Timer1_Timer();
        nestedInterval = form().Timer1->interval();
    };
    form().Timer1_Timer();
    setErrorPresenter(&env.errors);

    EXPECT_EQ(hook.questions(), 1);              // the nested tick tried no change of its own
    EXPECT_EQ(nestedInterval, 1000);             // nor did it re-arm the timer
    EXPECT_EQ(form().Timer1->interval(), 30000); // the outer tick did, when it ended
    EXPECT_EQ(form().TickBusy, 0);
    EXPECT_TRUE(desktop.applied.isEmpty());
}

TEST_F(MainFormTest, AFutureLastChangeIsMovedToNowInMemoryOnly) {
    makeList(2);
    loadForm();
    const QDateTime now = env.clock.now();
    Options.LastUpdateTime = now.addDays(1);
    env.registry.setValue(Hive::CurrentUser, kOptionsKey, QStringLiteral("LastUpdateTime"),
                          QStringLiteral("3/5/2024 10:00:00 AM"));
    form().Timer1_Timer();
    EXPECT_EQ(Options.LastUpdateTime, now);
    EXPECT_EQ(option(QStringLiteral("LastUpdateTime")), QStringLiteral("3/5/2024 10:00:00 AM"));
    EXPECT_TRUE(desktop.applied.isEmpty());
}

TEST_F(MainFormTest, ADueTickShowsTheNextEntryAndStampsTheChange) {
    makeList(3, 2);
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(60);
    CurrentWallpaper.Path = ActiveMagicList.GetEntryPath(2);
    Options.LastUpdateTime = env.clock.now().addSecs(-3600);
    loadForm();
    form().Timer1_Timer();
    EXPECT_EQ(active(), 0);
    EXPECT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(Options.LastUpdateTime, env.clock.now());

    // Not due again until the interval has passed.
    env.clock.advanceSeconds(59 * 60);
    form().Timer1_Timer();
    EXPECT_EQ(active(), 0);
    EXPECT_EQ(desktop.applied.size(), 1);
}

TEST_F(MainFormTest, NextAndPreviousWrapAroundTheList) {
    const struct {
        int count;
        int16_t active;
        bool next;
        int16_t shown;
    } cases[] = {
        {3, 2, true, 0},  {3, 0, true, 1}, {3, 0, false, 2},
        {3, 2, false, 1}, {1, 0, true, 0}, {1, 0, false, 0},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        makeList(c.count, c.active);
        loadForm();
        if (c.next)
            form().mnuNext_Click();
        else
            form().mnuPrevious_Click();
        EXPECT_EQ(active(), c.shown)
            << c.count << " entries, active " << c.active << (c.next ? ", next" : ", previous");
        EXPECT_EQ(desktop.applied.size(), 1);
        EXPECT_EQ(savedList().GetActiveEntry(), c.shown);
    }
}

TEST_F(MainFormTest, NextPreviousAndDoubleClickOnAnEmptyListDoNothing) {
    loadForm();
    form().mnuNext_Click();
    form().mnuPrevious_Click();
    tray.click(traymsg::LeftDoubleClick);
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_FALSE(env.registry.value(Hive::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                                    QStringLiteral("Wallpaper")));
}

TEST_F(MainFormTest, TheTrayShowsTheIconAndTipAndAnswersItsMouseCodes) {
    makeList(3, 0);
    loadForm();
    ASSERT_TRUE(tray.shown);
    EXPECT_EQ(tray.tip, QStringLiteral("Tapestrel"));
    EXPECT_FALSE(tray.icon.pixmap(QSize(22, 22)).isNull());
    EXPECT_EQ(tray.menu, form().mnupopup.get());
    EXPECT_EQ(tray.callbackMessage, 1025);

    tray.click(traymsg::LeftDoubleClick);
    EXPECT_EQ(active(), 1);
    tray.click(traymsg::RightButtonUp);
    ASSERT_EQ(tray.popUps.size(), 1);
    EXPECT_EQ(tray.popUps[0], form().mnupopup.get());
    tray.click(traymsg::LeftButtonUp); // a single click does nothing
    EXPECT_EQ(active(), 1);
    EXPECT_EQ(desktop.applied.size(), 1);

    form().Form_Unload();
    EXPECT_FALSE(tray.shown);
}

TEST_F(MainFormTest, ALaterCopysMessageOpensThePanelEvenWithoutATray) {
    tray.available = false;
    loadForm();
    EXPECT_FALSE(tray.shown);
    instance.receive({mainmsg::TrayCallback, 0, mainmsg::ShowPanelParam});
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 1);
    ASSERT_TRUE(windows.plainPanels.value(0));
    EXPECT_TRUE(windows.plainPanels[0]->isVisible());
    // Other values of the message change nothing.
    instance.receive({mainmsg::TrayCallback, 0, traymsg::LeftButtonUp});
    instance.receive({1024, 0, -32767});
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 1);
}

TEST_F(MainFormTest, TheMenuHasEveryItemInOrder) {
    loadForm();
    QStringList captions;
    for (QAction* a : form().mnupopup->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{"Tapestrel Control Panel", "Disable Automatic Updates",
                                     "Select Another Magic List", "-", "Turn On Radur Eradeziro",
                                     "-", "Display Next Wallpaper", "Display Previous Wallpaper",
                                     "Clear Wallpaper", "-", "Reposition Current Wallpaper",
                                     "Rotate Current Wallpaper", "Crop Current Wallpaper",
                                     "Remove Current Wallpaper", "-", "&About Tapestrel", "-",
                                     "&Exit Tapestrel"}));
    QStringList placements, rotations, drop;
    for (QAction* a : form().mnuReposition->actions())
        placements << a->text();
    for (QAction* a : form().mnuRotate->actions())
        rotations << a->text();
    for (QAction* a : form().mnuMagicCollector->actions())
        drop << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(placements, (QStringList{"&Best Fit", "&Center", "&Stretch", "&Tile"}));
    EXPECT_EQ(rotations, (QStringList{"Clockwise", "Counter-Clockwise", "Flip It"}));
    EXPECT_EQ(drop, (QStringList{"Turn Off Radur Eradeziro", "-", "Make Dropped Images Active",
                                 "Prompt for File Name", "-", "Select Another Magic List"}));
    EXPECT_EQ(form().mnuMagicCollector->title(), QStringLiteral("Radur Eradeziro"));
    EXPECT_EQ(form().mnupopup->findChild<QAction*>(QStringLiteral("mnuCrop")), form().mnuCrop);
}

TEST_F(MainFormTest, ItemsOfWindowsNotInTheProgramAreDisabled) {
    windows.allAbsent = true;
    loadForm();
    for (QAction* a :
         {form().mnuControlPanel, form().mnuChooseOtherList, form().mnuChooseOtherList2,
          form().mnuImageReceiver, form().mnuTurnOff, form().mnuCrop, form().mnuAbout})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (QAction* a : {form().mnuDisable, form().mnuNext, form().mnuPrevious, form().mnuClear,
                       form().mnuRemove, form().mnuExit, form().mnuMakeImagesActive})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(MainFormTest, OpeningTheMenuSetsCaptionsAndThePlacementCheckMark) {
    makeList(1, 0, 3);
    loadForm();
    form().mnupopup_Click();
    EXPECT_EQ(form().mnuDisable->text(), QStringLiteral("Disable Automatic Updates"));
    EXPECT_EQ(form().mnuImageReceiver->text(), QStringLiteral("Turn On the Radur Eradeziro"));
    EXPECT_TRUE(form().mnuStretchCurrent->isChecked());

    form().mnuDisable_Click();
    DropWindow = new QWidget;
    emit form().mnupopup->aboutToShow();
    EXPECT_EQ(form().mnuDisable->text(), QStringLiteral("Enable Automatic Updates"));
    EXPECT_EQ(form().mnuImageReceiver->text(), QStringLiteral("Turn Off the Radur Eradeziro"));

    const struct {
        int16_t placement;
        bool tile, centre, stretch, bestFit;
    } cases[] = {{1, true, false, false, false},
                 {2, false, true, false, false},
                 {4, false, false, false, true},
                 {0, false, false, false, true}, // no placement chosen: marks stay
                 {3, false, false, true, false}};
    for (const auto& c : cases) {
        ActiveMagicList.SetEntryPosition(0, c.placement);
        form().mnupopup_Click();
        EXPECT_EQ(form().mnuTileCurrent->isChecked(), c.tile) << c.placement;
        EXPECT_EQ(form().mnuCenterCurrent->isChecked(), c.centre) << c.placement;
        EXPECT_EQ(form().mnuStretchCurrent->isChecked(), c.stretch) << c.placement;
        EXPECT_EQ(form().mnuBestFitCurrent->isChecked(), c.bestFit) << c.placement;
    }
}

TEST_F(MainFormTest, DisablingStopsTheTicksAndEnablingResumesThem) {
    loadForm();
    setSecond(20);
    form().Timer1_Timer();
    form().mnuDisable_Click();
    EXPECT_FALSE(form().Timer1->isActive());
    EXPECT_EQ(form().mnuDisable->text(), QStringLiteral("Enable Automatic Updates"));
    form().mnuDisable_Click();
    EXPECT_TRUE(form().Timer1->isActive());
    EXPECT_EQ(form().Timer1->interval(), 40000);
    EXPECT_EQ(form().mnuDisable->text(), QStringLiteral("Disable Automatic Updates"));
}

TEST_F(MainFormTest, RepositionSetsThePlacementShowsAndSaves) {
    makeList(2, 1);
    loadForm();
    form().mnuTileCurrent_Click();
    EXPECT_EQ(ActiveMagicList.GetEntryPosition(1), 1);
    EXPECT_EQ(savedList().GetEntryPosition(1), 1);
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_TRUE(desktop.applied[0].tile);
    form().mnuBestFitCurrent_Click();
    EXPECT_EQ(savedList().GetEntryPosition(1), 4);
}

TEST_F(MainFormTest, RotationsTurnTheEntryAndSaveTheList) {
    const struct {
        void (frmMain::*command)();
        int16_t before, after;
    } cases[] = {{&frmMain::mnuRotate180_Click, 90, 270},
                 {&frmMain::mnuRotate270_Click, 0, 270},
                 {&frmMain::mnuRotate90_Click, 270, 0},
                 {&frmMain::mnuRotate90_Click, 0, 90}};
    makeList(1);
    loadForm();
    for (const auto& c : cases) {
        while (ActiveMagicList.GetEntryRotate(0) != c.before)
            ActiveMagicList.RotateEntry(0);
        (form().*c.command)();
        EXPECT_EQ(ActiveMagicList.GetEntryRotate(0), c.after) << c.before;
        EXPECT_EQ(savedList().GetEntryRotate(0), c.after) << c.before;
    }
}

TEST_F(MainFormTest, TheCropTurnsWithThePicture) {
    // A 400 x 300 picture cropped to (10, 20, 100, 50), not yet turned.
    const struct {
        void (frmMain::*command)();
        int16_t rotation, left, top, width, height;
    } cases[] = {{&frmMain::mnuRotate90_Click, 90, 230, 10, 50, 100},
                 {&frmMain::mnuRotate180_Click, 180, 290, 230, 100, 50},
                 {&frmMain::mnuRotate270_Click, 270, 20, 290, 50, 100}};
    makeList(1);
    ActiveMagicList.SetEntryPath(0, writeImage(env, QStringLiteral("pics/wide.png"), 400, 300));
    loadForm();
    for (const auto& c : cases) {
        while (ActiveMagicList.GetEntryRotate(0) != 0)
            ActiveMagicList.RotateEntry(0);
        ActiveMagicList.SetEntryProperties(0, 10, 20, 100, 50);
        (form().*c.command)();
        const clsMagicList saved = savedList();
        EXPECT_EQ(saved.GetEntryRotate(0), c.rotation);
        EXPECT_EQ(saved.GetEntryLeft(0), c.left) << c.rotation;
        EXPECT_EQ(saved.GetEntryTop(0), c.top) << c.rotation;
        EXPECT_EQ(saved.GetEntryWidth(0), c.width) << c.rotation;
        EXPECT_EQ(saved.GetEntryHeight(0), c.height) << c.rotation;
    }
}

TEST_F(MainFormTest, EntryCommandsOnAnEmptyListLeaveTheDesktopAlone) {
    windows.crop = [](const CropRequest&) { return CropAnswer{false, 1, 2, 3, 4}; };
    ActiveMagicList.Save();
    loadForm();
    const QByteArray listFile = readBytes(ActiveMagicList.GetFilePath());
    ASSERT_FALSE(listFile.isEmpty());
    for (void (frmMain::*command)() :
         {&frmMain::mnuTileCurrent_Click, &frmMain::mnuCenterCurrent_Click,
          &frmMain::mnuStretchCurrent_Click, &frmMain::mnuBestFitCurrent_Click,
          &frmMain::mnuRotate90_Click, &frmMain::mnuRotate180_Click, &frmMain::mnuRotate270_Click,
          &frmMain::mnuCrop_Click, &frmMain::mnuRemove_Click})
        (form().*command)();
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_FALSE(env.registry.value(Hive::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                                    QStringLiteral("Wallpaper")));
    EXPECT_TRUE(windows.cropRequests.isEmpty());
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 0);
    EXPECT_EQ(readBytes(ActiveMagicList.GetFilePath()), listFile);
}

TEST_F(MainFormTest, RemoveShowsTheEntryThatTakesThePlace) {
    const struct {
        int count;
        int16_t active;
        QStringList left;
        int16_t shown; // -1: nothing left to show
    } cases[] = {{3, 1, {"A", "C"}, 1}, {3, 2, {"A", "B"}, 0}, {1, 0, {}, -1}};
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        Options.ShowEmptyDialog = true;
        makeList(c.count, c.active);
        loadForm();
        form().mnuRemove_Click();
        const clsMagicList saved = savedList();
        EXPECT_EQ(namesOf(saved), c.left) << c.count << " entries, active " << c.active;
        ASSERT_EQ(desktop.applied.size(), 1);
        if (c.shown >= 0) {
            EXPECT_EQ(saved.GetActiveEntry(), c.shown);
            EXPECT_FALSE(desktop.applied[0].wallpaperPath.isEmpty());
            EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 0);
        } else {
            // The only picture went with its entry: the desktop is cleared
            // and the panel offers to fill the list.
            EXPECT_TRUE(desktop.applied[0].wallpaperPath.isEmpty());
            EXPECT_EQ(option(QStringLiteral("ActiveItem")), QStringLiteral("0"));
            EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 1);
        }
    }
}

TEST_F(MainFormTest, RemovingTheOnlyEntryWithoutTheEmptyPromptOpensNothing) {
    Options.ShowEmptyDialog = false;
    makeList(1);
    loadForm();
    form().mnuRemove_Click();
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 0);
}

TEST_F(MainFormTest, CropHandsTheEntryToTheDialogAndAppliesItsAnswer) {
    makeList(2, 1);
    ActiveMagicList.SetEntryBGColor(1, 0xFF);
    ActiveMagicList.SetEntryProperties(1, 10, 20, 30, 25);
    loadForm();
    windows.crop = [](const CropRequest&) { return CropAnswer{false, 1, 2, 20, 15}; };
    form().mnuCrop_Click();
    ASSERT_EQ(windows.cropRequests.size(), 1);
    const CropRequest& r = windows.cropRequests[0];
    EXPECT_EQ(r.CropLeft, 10);
    EXPECT_EQ(r.CropTop, 20);
    EXPECT_EQ(r.CropWidth, 30);
    EXPECT_EQ(r.CropHeight, 25);
    EXPECT_EQ(r.CropBackColor, 0xFF);
    EXPECT_EQ(r.FileName, ActiveMagicList.GetEntryPath(1));
    const clsMagicList saved = savedList();
    EXPECT_EQ(saved.GetEntryLeft(1), 1);
    EXPECT_EQ(saved.GetEntryHeight(1), 15);
    EXPECT_EQ(desktop.applied.size(), 1);

    // An uncropped entry goes to the dialog without a rectangle or colour.
    ActiveMagicList.SetEntryProperties(1, -1, 0, 0, 0);
    windows.crop = nullptr; // cancelled
    form().mnuCrop_Click();
    EXPECT_EQ(windows.cropRequests[1].CropLeft, -1);
    EXPECT_EQ(windows.cropRequests[1].CropBackColor, 0);
    EXPECT_EQ(desktop.applied.size(), 1);
}

TEST_F(MainFormTest, CropIsDroppedWhenTheEntryChangedUnderTheDialog) {
    makeList(3, 1);
    loadForm();
    const QString cPath = ActiveMagicList.GetEntryPath(2);
    windows.crop = [](const CropRequest&) {
        ActiveMagicList.DeleteItem(1); // a tick's removal, say: C moves up
        return CropAnswer{false, 1, 2, 3, 4};
    };
    form().mnuCrop_Click();
    ASSERT_EQ(ActiveMagicList.GetEntryPath(1), cPath);
    EXPECT_EQ(ActiveMagicList.GetEntryLeft(1), -1);
    EXPECT_TRUE(desktop.applied.isEmpty());
}

TEST_F(MainFormTest, CropValuesAListEntryCannotHoldAreRefused) {
    makeList(1);
    loadForm();
    for (const CropAnswer& a :
         {CropAnswer{false, 32768, 0, 10, 10}, CropAnswer{false, 0, 0, 40000, 10},
          CropAnswer{false, -32769, 0, 10, 10}}) {
        windows.crop = [a](const CropRequest&) { return a; };
        form().mnuCrop_Click();
    }
    EXPECT_EQ(env.errors.messages(), QStringList(3, QStringLiteral("Overflow")));
    EXPECT_EQ(savedList().GetEntryLeft(0), -1);
    EXPECT_TRUE(desktop.applied.isEmpty());

    windows.crop = [](const CropRequest&) { return CropAnswer{false, 32767, 0, 1, 1}; };
    form().mnuCrop_Click();
    EXPECT_EQ(savedList().GetEntryLeft(0), 32767);
}

TEST_F(MainFormTest, ClearTakesThePictureAwayAndKeepsTheList) {
    makeList(3, 1);
    loadForm();
    const QDateTime last = Options.LastUpdateTime;
    form().mnuClear_Click();
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_TRUE(desktop.applied[0].wallpaperPath.isEmpty());
    EXPECT_FALSE(desktop.applied[0].background);
    EXPECT_EQ(active(), 1);
    EXPECT_EQ(Options.LastUpdateTime, last);
    form().mnuNext_Click();
    EXPECT_EQ(active(), 2);
}

TEST_F(MainFormTest, DropOptionsFlipSaveAndCheck) {
    Options.MakeDroppedActive = true;
    Options.PromptForNameOnDrop = false;
    loadForm();
    EXPECT_TRUE(form().mnuMakeImagesActive->isChecked());
    EXPECT_FALSE(form().mnuPromptForFileName->isChecked());
    form().mnuMakeImagesActive_Click();
    EXPECT_FALSE(Options.MakeDroppedActive);
    EXPECT_EQ(option(QStringLiteral("MakeDroppedActive")), QStringLiteral("FALSE"));
    EXPECT_FALSE(form().mnuMakeImagesActive->isChecked());
    form().mnuPromptForFileName_Click();
    EXPECT_TRUE(Options.PromptForNameOnDrop);
    EXPECT_EQ(option(QStringLiteral("PromptForNameOnDrop")), QStringLiteral("TRUE"));
    EXPECT_TRUE(form().mnuPromptForFileName->isChecked());
}

TEST_F(MainFormTest, TheDropWindowOpensAndCloses) {
    loadForm();
    form().mnuImageReceiver_Click();
    ASSERT_TRUE(DropWindow);
    EXPECT_TRUE(DropWindow->isVisible());
    form().mnuImageReceiver_Click();
    EXPECT_FALSE(DropWindow);
    form().mnuImageReceiver_Click();
    form().mnuTurnOff_Click();
    EXPECT_FALSE(DropWindow);
}

} // namespace
