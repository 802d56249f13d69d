#include "engine/ErrorWindow.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperPlacement.h"
#include "gui/forms/frmEndProg.h"
#include "runtime/Dates.h"
#include "runtime/RuntimeError.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/gui/test_life_helpers.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>

// The tray menu, the drop window's menu and the minute timer as the user
// and the clock reach them: each menu item triggered through its
// connection, the timer left to fire. A connection that is missing or
// goes to the wrong handler fails here, though the handlers' own tests
// call them directly.

namespace {

class TrayWiringTest : public LifeTest {
public:
    // What the cases below read.
    using LifeTest::desktop;
    using LifeTest::option;
    using LifeTest::savedList;
    using LifeTest::windows;
    int16_t active() const { return ActiveMagicList.GetActiveEntry(); }

protected:
    void SetUp() override {
        LifeTest::SetUp();
        makeList(3);
        loadForm();
    }
    // A menu item of the tray menu or of the drop window's menu.
    QAction* item(const char* name) const {
        QAction* found = MainForm->mnupopup->findChild<QAction*>(QString::fromLatin1(name));
        if (!found)
            found = MainForm->mnuMagicCollector->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

// What choosing one item does, seen from outside the form.
struct ItemCase {
    const char* item;
    std::function<void(TrayWiringTest&)> before;
    std::function<void(const TrayWiringTest&)> check;
};

// Each item of the tray menu and the drop window's menu, by its name.
class TrayItemTest : public TrayWiringTest, public ::testing::WithParamInterface<int> {};

using T = const TrayWiringTest&;

const std::vector<ItemCase>& itemCases() {
    static const std::vector<ItemCase> cases = {
        {"mnuControlPanel", nullptr,
         [](T t) {
             EXPECT_EQ(t.windows.count(QStringLiteral("ControlPanel")), 1);
             ASSERT_TRUE(MainForm->ControlPanel);
             EXPECT_TRUE(MainForm->ControlPanel->isVisible());
         }},
        {"mnuDisable", nullptr,
         [](T) {
             EXPECT_FALSE(MainForm->Timer1->isActive());
             EXPECT_EQ(MainForm->mnuDisable->text(), QStringLiteral("Enable Automatic Updates"));
         }},
        {"mnuChooseOtherList", nullptr,
         [](T t) { EXPECT_EQ(t.windows.count(QStringLiteral("ListPicker")), 1); }},
        {"mnuImageReceiver", nullptr,
         [](T t) {
             EXPECT_EQ(t.windows.count(QStringLiteral("DropWindow")), 1);
             EXPECT_TRUE(DropWindow);
         }},
        {"mnuNext", nullptr,
         [](T t) {
             EXPECT_EQ(t.active(), 1);
             EXPECT_EQ(t.desktop.applied.size(), 1);
         }},
        {"mnuPrevious", nullptr,
         [](T t) {
             EXPECT_EQ(t.active(), 2);
             EXPECT_EQ(t.desktop.applied.size(), 1);
         }},
        {"mnuClear", nullptr,
         [](T t) {
             ASSERT_EQ(t.desktop.applied.size(), 1);
             EXPECT_TRUE(t.desktop.applied.last().wallpaperPath.isEmpty());
             EXPECT_EQ(ActiveMagicList.GetCount(), 3);
         }},
        {"mnuBestFitCurrent", nullptr,
         [](T t) { EXPECT_EQ(t.savedList().GetEntryPosition(0), placement::BestFit); }},
        {"mnuCenterCurrent",
         [](TrayWiringTest&) { ActiveMagicList.SetEntryPosition(0, placement::BestFit); },
         [](T t) { EXPECT_EQ(t.savedList().GetEntryPosition(0), placement::Centre); }},
        {"mnuStretchCurrent", nullptr,
         [](T t) { EXPECT_EQ(t.savedList().GetEntryPosition(0), placement::Stretch); }},
        {"mnuTileCurrent", nullptr,
         [](T t) { EXPECT_EQ(t.savedList().GetEntryPosition(0), placement::Tile); }},
        {"mnuRotate90", nullptr, [](T t) { EXPECT_EQ(t.savedList().GetEntryRotate(0), 90); }},
        {"mnuRotate270", nullptr, [](T t) { EXPECT_EQ(t.savedList().GetEntryRotate(0), 270); }},
        {"mnuRotate180", nullptr, [](T t) { EXPECT_EQ(t.savedList().GetEntryRotate(0), 180); }},
        {"mnuCrop", nullptr,
         [](T t) {
             EXPECT_EQ(t.windows.count(QStringLiteral("Crop")), 1);
             EXPECT_EQ(t.windows.cropRequests.size(), 1);
         }},
        {"mnuRemove", nullptr,
         [](T t) {
             EXPECT_EQ(ActiveMagicList.GetCount(), 2);
             EXPECT_EQ(t.savedList().GetCount(), 2);
         }},
        {"mnuAbout", nullptr, [](T t) { EXPECT_EQ(t.windows.count(QStringLiteral("About")), 1); }},
        {"mnuExit", nullptr,
         [](T) {
             EXPECT_TRUE(ProgramEnding());
             EXPECT_EQ(MainForm, nullptr);
         }},
        {"mnuTurnOff", [](TrayWiringTest&) { ShowDropWindow(); },
         [](T) { EXPECT_FALSE(DropWindow); }},
        {"mnuMakeImagesActive", [](TrayWiringTest&) { Options.MakeDroppedActive = false; },
         [](T t) {
             EXPECT_TRUE(Options.MakeDroppedActive);
             EXPECT_EQ(t.option(QStringLiteral("MakeDroppedActive")), QStringLiteral("TRUE"));
         }},
        {"mnuPromptForFileName", [](TrayWiringTest&) { Options.PromptForNameOnDrop = false; },
         [](T t) {
             EXPECT_TRUE(Options.PromptForNameOnDrop);
             EXPECT_EQ(t.option(QStringLiteral("PromptForNameOnDrop")), QStringLiteral("TRUE"));
         }},
        {"mnuChooseOtherList2", nullptr,
         [](T t) { EXPECT_EQ(t.windows.count(QStringLiteral("ListPicker")), 1); }},
    };
    return cases;
}

const ItemCase& itemCase(int i) {
    return itemCases()[static_cast<size_t>(i)];
}

TEST_P(TrayItemTest, ChoosingTheItemDoesWhatItSays) {
    const ItemCase& c = itemCase(GetParam());
    if (c.before)
        c.before(*this);
    QAction* action = item(c.item);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    ModalAnswerer answers;
    if (QByteArray(c.item) == "mnuExit")
        answers.next<frmEndProg>([](frmEndProg* q) { q->cmdOK->click(); });
    desktop.applied.clear();
    windows.calls.clear();
    action->trigger();
    EXPECT_EQ(answers.pending(), 0);
    c.check(*this);
}

INSTANTIATE_TEST_SUITE_P(EveryItem, TrayItemTest,
                         ::testing::Range(0, static_cast<int>(itemCases().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(itemCase(info.param).item);
                         });

TEST_F(TrayWiringTest, EveryItemOfBothMenusHasItsCase) {
    QStringList named;
    for (const ItemCase& c : itemCases())
        named << QString::fromLatin1(c.item);
    for (QMenu* menu : {MainForm->mnupopup.get(), MainForm->mnuMagicCollector.get()}) {
        for (QAction* a : menu->findChildren<QAction*>()) {
            if (a->isSeparator() || a->menu() || a->objectName().isEmpty())
                continue;
            EXPECT_TRUE(named.contains(a->objectName())) << a->objectName().toStdString();
        }
    }
}

TEST_F(TrayWiringTest, TheIconsClicksReachTheForm) {
    tray.click(traymsg::LeftDoubleClick);
    EXPECT_EQ(active(), 1);
    tray.click(traymsg::RightButtonUp);
    ASSERT_EQ(tray.popUps.size(), 1);
    EXPECT_EQ(tray.popUps.first(), MainForm->mnupopup.get());
}

TEST_F(TrayWiringTest, WithoutATrayTheFormRunsWithNoIcon) {
    MainForm->Form_Unload();
    delete MainForm;
    services().tray = nullptr;
    MainForm = createMainForm();
    MainForm->Form_Load();
    EXPECT_EQ(MainForm->ShellTrayAdd(), 0);
    // A later copy's message still reaches the form; the menu has no icon
    // to open from, and nothing breaks.
    instance.receive({mainmsg::TrayCallback, 0, traymsg::RightButtonUp});
    instance.receive({mainmsg::TrayCallback, 0, traymsg::LeftDoubleClick});
    EXPECT_EQ(active(), 1);
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(TrayWiringTest, TheTimerFiresAndShowsTheDueEntry) {
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(1);
    env.clock.set(makeDateTime(2024, 3, 4, 10, 7, 20));
    // The first tick comes a second after loading; then at the minute.
    EXPECT_TRUE(waitFor([this] { return !desktop.applied.isEmpty(); }, 5000));
    EXPECT_EQ(active(), 1);
    EXPECT_EQ(MainForm->Timer1->interval(), 40000);
    EXPECT_EQ(MainForm->TickBusy, 0);
}

TEST_F(TrayWiringTest, ARunTimeErrorInAnItemIsShownAndGoesNoFurther) {
    windows.crop = [](const CropRequest&) -> CropAnswer { raiseError(vberr::OutOfMemory); };
    MainForm->mnuCrop->trigger();
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls.first().message, QStringLiteral("Out of memory"));
}

// Windows whose control panel fails with a run-time error when the form
// asks it to show the list again.
class FailingRefresh final : public ScriptedWindows {
public:
    void refreshMagicList(QWidget*) override { raiseError(vberr::Overflow); }
};

TEST_F(TrayWiringTest, ARunTimeErrorInATickIsShownAndTheNextTickStillRuns) {
    FailingRefresh failing;
    setProgramWindows(&failing);
    QWidget panel;
    MainForm->ControlPanel = &panel;
    PanelLoaded = true;
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(1);
    env.clock.set(makeDateTime(2024, 3, 4, 10, 7, 20));
    EXPECT_TRUE(waitFor([this] { return !env.errors.calls.isEmpty(); }, 5000));
    setProgramWindows(&windows);
    MainForm->ControlPanel = nullptr;
    PanelLoaded = false;
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls.first().message, QStringLiteral("Overflow"));
    EXPECT_EQ(active(), 1);
    // The tick is over: the next one is not taken for a tick inside it.
    EXPECT_EQ(MainForm->TickBusy, 0);
    EXPECT_TRUE(MainForm->Timer1->isActive());
    EXPECT_EQ(MainForm->Timer1->interval(), 40000);
    Options.LastUpdateTime = makeDateTime(2000, 1, 1, 12, 0, 0);
    MainForm->Timer1_Timer();
    EXPECT_EQ(active(), 2);
}

} // namespace
