// The control panel as the main form opens and refreshes it: from the tray
// menu, from a later copy's message, after the tray's entry commands.

#include "gui/MainForm.h"
#include "panel/PanelWidgets.h"
#include "panel/PanelWindows.h"
#include "tests/panel/PanelTestKit.h"

#include <QFile>

namespace {

class TrayPanelTest : public PanelTest {
public:
    void SetUp() override {
        PanelTest::SetUp();
        // The main form reads which windows exist as it is made.
        MainForm = new frmMain;
    }
    void TearDown() override {
        delete MainForm;
        MainForm = nullptr;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        PanelTest::TearDown();
    }
    frmMagicPanel* trayPanel() const {
        return qobject_cast<frmMagicPanel*>(MainForm->ControlPanel.data());
    }
};

TEST_F(TrayPanelTest, TheTrayItemOpensOnePanelAndBringsItBack) {
    makeList(3, 1);
    ASSERT_TRUE(MainForm->mnuControlPanel->isEnabled());
    MainForm->mnuControlPanel->trigger();
    settle();
    frmMagicPanel* first = trayPanel();
    ASSERT_NE(first, nullptr);
    panel = first;
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(PanelLoaded);
    // A later copy's message while it is open: the same panel.
    MainForm->TrayWindowProc(mainmsg::TrayCallback, 0, mainmsg::ShowPanelParam);
    settle();
    EXPECT_EQ(trayPanel(), first);
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 1);

    first->close();
    settle();
    EXPECT_FALSE(PanelLoaded);
    MainForm->TrayWindowProc(mainmsg::TrayCallback, 0, mainmsg::ShowPanelParam);
    settle();
    panel = trayPanel();
    ASSERT_FALSE(panel.isNull());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 2);
}

TEST_F(TrayPanelTest, ATrayChangeReachesTheOpenPanel) {
    makeList(4, 0);
    MainForm->ShowControlPanel();
    settle();
    panel = trayPanel();
    ASSERT_FALSE(panel.isNull());
    // The user clears the selection; the menus follow.
    entryList()->clearSelection();
    settle();
    EXPECT_FALSE(panel->mnuListActive->isEnabled());
    MainForm->mnuNext_Click();
    settle();
    EXPECT_EQ(windows.count(QStringLiteral("Refresh")), 1);
    EXPECT_EQ(ActiveMagicList.GetActiveEntry(), 1);
    EXPECT_EQ(viewSelection(), QList<int>{1});
    EXPECT_EQ(panel->CurrentEntry, 1);
    EXPECT_TRUE(panel->mnuListActive->isEnabled());
    EXPECT_TRUE(panel->mnuRename->isEnabled());
    EXPECT_TRUE(panel->cmdActivate->isEnabled());
}

TEST_F(TrayPanelTest, TheTraysRemovalOfTheLastEntryRefreshesTheOpenPanel) {
    for (bool offer : {true, false}) {
        windows.calls.clear();
        makeList(1, 0);
        Options.ShowEmptyDialog = offer;
        MainForm->ShowControlPanel();
        settle();
        panel = trayPanel();
        ASSERT_FALSE(panel.isNull());
        ASSERT_EQ(entryList()->model()->rowCount(), 1);
        MainForm->mnuRemove_Click();
        settle();
        EXPECT_EQ(ActiveMagicList.GetCount(), 0);
        EXPECT_EQ(trayPanel(), panel.data());
        EXPECT_EQ(entryList()->model()->rowCount(), 0) << offer;
        EXPECT_FALSE(panel->picImage->hasPicture()) << offer;
        EXPECT_FALSE(panel->cmdRemovePaper->isEnabled()) << offer;
        EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), offer ? 1 : 0);
        panel->close();
        settle();
    }
}

TEST(PanelWindows, TheProgramHasTheControlPanel) {
    TestEnvironment env;
    PanelWindows windows;
    EXPECT_TRUE(windows.has(LaterWindow::ControlPanel));
    QWidget* made = windows.createControlPanel();
    EXPECT_NE(qobject_cast<frmMagicPanel*>(made), nullptr);
    delete made;
    EXPECT_FALSE(PanelLoaded);
}

} // namespace
