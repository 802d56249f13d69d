// The control panel's window: its controls, menus and sizes, what its
// loading does, its first activation and its unloading.

#include "engine/INIFuncs.h"
#include "panel/EntryListModel.h"
#include "panel/PanelResources.h"
#include "panel/PanelWidgets.h"
#include "platform/Registry.h"
#include "runtime/Dates.h"
#include "tests/panel/PanelTestKit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

using WindowTest = PanelTest;

std::optional<QString> activeListValue(TestEnvironment& env) {
    return env.registry.value(Hive::CurrentUser,
                              QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
                              QStringLiteral("ActiveList"));
}

TEST_F(WindowTest, EveryControlHasItsNameCaptionAndTip) {
    makeList(3);
    openPanel();
    const struct {
        const char* name;
        const char* text;
    } captions[] = {
        {"cmdClose", "OK"},
        {"cmdCustom", "Custom"},
        {"optPosition(0)", "&Tile"},
        {"optPosition(1)", "&Center"},
        {"optPosition(2)", "&Stretch"},
        {"optPosition(3)", "&Best Fit"},
        {"lblBackground", "Background Color"},
        {"Label3", "Next Automatic Update:"},
        {"Label2", "Position:"},
        {"Label8(0)", "Path:"},
        {"Label8(1)", "Size:"},
        {"Label1", "Magic List:"},
    };
    for (const auto& c : captions) {
        QWidget* w = control<QWidget>(panel, QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                      : qobject_cast<QAbstractButton*>(w)->text();
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.name;
    }
    const struct {
        const char* name;
        const char* tip;
    } tips[] = {
        {"cmdSchedule", "Schedule Automatic Changes"},
        {"cmdRotate", "Rotate the current selection 90 degrees"},
        {"cmdCrop", "Choose an area of the selected wallpaper"},
        {"cmdActivate", "Activate current selection"},
        {"cmdNewEntry", "Add images to your list"},
        {"cmdRemovePaper", "Remove entires from your list"},
        {"cmdEntryDown", "Move Entries Down"},
        {"cmdEntryUp", "Move entries up"},
    };
    for (const auto& t : tips) {
        auto* b = control<QPushButton>(panel, QString::fromLatin1(t.name));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(t.tip)) << t.name;
        EXPECT_FALSE(b->icon().isNull()) << t.name;
        EXPECT_TRUE(b->text().isEmpty()) << t.name;
    }
    for (const char* name :
         {"Frame1",        "Frame2",        "Picture1",    "Image1",      "Image3",
          "picImage",      "picBackground", "picBGHoler",  "picBGColors", "vsbBackgroundColors",
          "lblNextUpdate", "lblSize",       "lblFullPath", "cmbName",     "lvEntries",
          "Line1",         "Line2",         "Line3",       "Line4",       "Line5",
          "Line6"})
        EXPECT_NE(panel->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(panel->Timer1->interval(), 1000);
    EXPECT_TRUE(panel->Timer1->isActive());
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("Tapestrel Control Panel"));
}

TEST_F(WindowTest, TheMenuBarHoldsEveryItemInOrder) {
    openPanel();
    // name, caption, shortcut; "-" stands for a separator.
    const QList<std::pair<const char*, QList<QStringList>>> menus = {
        {"mnuFile",
         {{"mnuListNew", "Create a &New Magic List", ""},
          {"mnuListDelete", "&Delete Current Magic List", ""},
          {"mnuListRename", "&Edit/Rename Current Magic List", ""},
          {"-"},
          {"mnuFileClose", "&Close the control panel", ""},
          {"-"},
          {"mnuFileExit", "&Exit Tapestrel", ""}}},
        {"mnuList",
         {{"mnuListOpen", "&Insert a New Wallpaper", "Ctrl+I"},
          {"mnuListRemove", "&Remove Selected Wallpaper", "Del"},
          {"mnuListActive", "&Activate Current Selection", ""},
          {"mnuListMoveUp", "Move Selected &Up", "Ctrl+U"},
          {"mnuListMoveDown", "Move Selected &Down", "Ctrl+D"},
          {"-"},
          {"mnuRename", "Rename Selection", ""},
          {"-"},
          {"mnuListFindActive", "&Select Active Wallpaper", "Ctrl+S"},
          {"mnuListSelectAll", "Select &All Wallpapers", "Ctrl+A"}}},
        {"mnuTools",
         {{"mnuToolsReceiver", "Turn &On Radur Eradeziro", ""},
          {"-"},
          {"mnuRotateMenu", "&Rotate Selected Wallpaper", ""},
          {"mnuCropSelected", "&Crop Selected Wallpaper", ""},
          {"-"},
          {"mnuListRemoveDups", "&Remove Duplicate Wallpapers", ""},
          {"mnuListShuffle", "&Shuffle Wallpaper List", ""},
          {"-"},
          {"mnuFileOptions", "&View Options", ""}}},
        {"mnuHelp",
         {{"mnuHelpContents", "Contents...", ""},
          {"mnuHelpIndex", "Index...", ""},
          {"-"},
          {"mnuHelpOverview", "Tapestrel Overview", ""},
          {"-"},
          {"mnuWebSite", "Tapestrel &Web Site", ""},
          {"mnuUpdates", "&Check for Software Updates", ""},
          {"-"},
          {"mnuHelpAbout", "About Tapestrel", ""}}},
    };
    const QList<QAction*> bar = panel->menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    const QStringList titles{"&File", "&Magic List", "&Tools", "&Help"};
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(bar[m]->text(), titles[m]);
        QMenu* menu = bar[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), QString::fromLatin1(menus[m].first));
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), menus[m].second.size()) << menus[m].first;
        for (int i = 0; i < items.size(); ++i) {
            const QStringList& want = menus[m].second[i];
            if (want[0] == QStringLiteral("-")) {
                EXPECT_TRUE(items[i]->isSeparator()) << menus[m].first << " item " << i;
                continue;
            }
            EXPECT_EQ(items[i]->objectName(), want[0]);
            EXPECT_EQ(items[i]->text(), want[1]) << want[0].toStdString();
            EXPECT_EQ(items[i]->shortcut().toString(), want[2]) << want[0].toStdString();
        }
    }
    const QStringList rotate{"&Clockwise", "C&ounter Clockwise", "&Flip It"};
    const QList<QAction*> turns = panel->mnuRotateMenu->actions();
    ASSERT_EQ(turns.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(turns[i]->objectName(), QStringLiteral("mnuRotate(%1)").arg(i));
        EXPECT_EQ(turns[i]->text(), rotate[i]);
    }
}

TEST_F(WindowTest, SizesGoThroughTheScreen) {
    makeList(15);
    openPanel();
    EXPECT_EQ(panel->width(), 8865 / 15);
    EXPECT_EQ(panel->picImage->size(), QSize(156, 114));
    EXPECT_EQ(panel->picImage->pos(), panel->Image1->pos() + QPoint(10, 14));
    EXPECT_EQ(panel->cmdNewEntry->size(), QSize(32, 32));
    EXPECT_EQ(entryList()->header()->sectionSize(0), 2835 / 15);
    // The dividers: dark lines with light ones beside them.
    EXPECT_EQ(panel->Line1->geometry(), QRect(1750 / 15, 2850 / 15, 1, 1100 / 15));
    EXPECT_EQ(panel->Line2->geometry(), panel->Line1->geometry().translated(1, 0));
    EXPECT_EQ(panel->Line3->geometry().topLeft(), panel->Line1->geometry().topLeft());
    EXPECT_EQ(panel->Line3->geometry().right(), panel->Frame2->width() - 3);
    EXPECT_EQ(panel->Line4->geometry(), panel->Line3->geometry().translated(0, 1));
    EXPECT_EQ(panel->Line5->geometry().top(), 3950 / 15);
    EXPECT_EQ(panel->Line6->geometry(), panel->Line5->geometry().translated(0, 1));

    // Sixteen entries make room for the scroll bar.
    makeList(16);
    panel->FillEntryList();
    EXPECT_EQ(entryList()->header()->sectionSize(0), 2590 / 15);
    // A narrower screen unit follows: 12 twips a pixel is 120 dots an inch.
    panel->close();
    env.screen.twips = 12;
    openPanel();
    EXPECT_EQ(panel->width(), 8865 / 12);
    EXPECT_EQ(entryList()->header()->sectionSize(0), 2590 / 12);
}

TEST_F(WindowTest, NoTextIsCutOffAtTheDefaultFont) {
    makeList(2);
    openPanel();
    panel->lblNextUpdate->setText(QStringLiteral("10:59:59"));
    panel->lblSize->setText(QStringLiteral("6000 x 4000 (cropped to 3000 x 2000)"));
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        if ((!label && !button) || !w->isVisibleTo(panel) || w == panel->lblFullPath)
            continue;
        // Picture buttons have no text to cut.
        if ((label && label->text().isEmpty()) || (button && button->text().isEmpty()))
            continue;
        const QSize need = w->sizeHint();
        EXPECT_LE(need.width(), w->width()) << w->objectName().toStdString();
        EXPECT_LE(need.height(), w->height() + 2) << w->objectName().toStdString();
        // Inside its parent, so nothing else covers part of it.
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << w->objectName().toStdString();
    }
}

TEST_F(WindowTest, ThePicturesAreThereAtBothScales) {
    initPanelResources();
    const struct {
        const char* name;
        QSize size;
    } pictures[] = {
        {"cmdSchedule", {24, 24}}, {"cmdRotate", {24, 24}},    {"cmdCrop", {24, 24}},
        {"cmdActivate", {24, 24}}, {"cmdNewEntry", {24, 24}},  {"cmdRemovePaper", {24, 24}},
        {"cmdEntryUp", {24, 24}},  {"cmdEntryDown", {24, 24}}, {"Image1", {176, 150}},
        {"Image3", {32, 72}},      {"Picture1", {88, 40}},
    };
    for (const auto& p : pictures) {
        const QIcon icon = panelPicture(QString::fromLatin1(p.name));
        for (qreal scale : {1.0, 2.0}) {
            const QPixmap pixmap = icon.pixmap(p.size, scale);
            EXPECT_FALSE(pixmap.isNull()) << p.name;
            // Drawn at that scale, never blown up from the small one.
            EXPECT_EQ(pixmap.size(), p.size * scale) << p.name << " at " << scale;
        }
    }
}

TEST_F(WindowTest, LoadingShowsTheListWithOnlyTheActiveEntrySelected) {
    makeList(40, 30);
    ActiveMagicList.SetEntrySelected(2, true);
    env.screen.bits = 24;
    openPanel();
    EXPECT_TRUE(PanelLoaded);
    EXPECT_EQ(ColorDepth, 24);
    EXPECT_EQ(activeListValue(env), ActiveMagicList.GetFilePath());
    EXPECT_EQ(panel->cmbName->currentText(), QStringLiteral("Holiday"));
    ASSERT_EQ(entryList()->model()->rowCount(), 40);
    for (int k = 0; k < 40; ++k) {
        const QModelIndex i = entryList()->model()->index(k, 0);
        EXPECT_EQ(i.data().toString(), ActiveMagicList.GetEntryName(int16_t(k)));
        EXPECT_EQ(i.data(EntryListModel::TagRole).toInt(), k);
    }
    EXPECT_EQ(viewSelection(), QList<int>{30});
    EXPECT_EQ(flaggedEntries(), QList<int>{30});
    EXPECT_EQ(panel->CurrentEntry, 30);
    EXPECT_EQ(panel->SelectedCount, 1);
    // Scrolled into view.
    const QRect row = entryList()->visualRect(entryList()->model()->index(30, 0));
    EXPECT_TRUE(entryList()->viewport()->rect().contains(row));
    EXPECT_TRUE(panel->picImage->hasPicture());
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 0);
    EXPECT_EQ(entryList()->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Wallpaper Images"));
    EXPECT_EQ(entryList()->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(WindowTest, AnEmptyListIsOfferedFillingOnceTheWindowShows) {
    makeList(0);
    bool visibleWhenOffered = false;
    panel = new frmMagicPanel;
    panel->show();
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 0); // not before the window is up
    visibleWhenOffered = panel->isVisible();
    settle();
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 1);
    EXPECT_TRUE(visibleWhenOffered);
    EXPECT_EQ(entryList()->model()->rowCount(), 0);
    EXPECT_FALSE(panel->cmdRemovePaper->isEnabled());
}

TEST_F(WindowTest, TheOverviewOpensOnTheFirstActivationOfARunOnly) {
    makeList(2);
    Options.ShowOverviewDialog = true;
    openPanel();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    EXPECT_EQ(windows.count(QStringLiteral("Overview")), 1);
    EXPECT_TRUE(Options.OverviewShownThisSession);
    ASSERT_EQ(windows.overviewFields.size(), 1);
    EXPECT_EQ(windows.overviewFields[0].FormLeft, panel->x() * 15 + 500);
    EXPECT_EQ(windows.overviewFields[0].FormTop, panel->y() * 15 + 500);

    // Another activation, and another panel in the same run: no more.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    panel->close();
    openPanel();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    EXPECT_EQ(windows.count(QStringLiteral("Overview")), 1);
}

TEST_F(WindowTest, TheOverviewWaitsForItsOptionAndItsWindow) {
    makeList(2);
    for (bool option : {false, true}) {
        Options.ShowOverviewDialog = option;
        windows.absent = {LaterWindow::Overview};
        openPanel();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
        panel->close();
    }
    EXPECT_EQ(windows.count(QStringLiteral("Overview")), 0);
    EXPECT_FALSE(Options.OverviewShownThisSession);
}

TEST_F(WindowTest, EveryCommandIsEnabledExactlyWhenItsWindowIsThere) {
    makeList(2);
    // The commands that open a window, by the window they open.
    const QList<std::pair<LaterWindow, QStringList>> opens = {
        {LaterWindow::CropDialog, {"cmdCrop", "mnuCropSelected"}},
        {LaterWindow::ColorPicker, {"cmdCustom"}},
        {LaterWindow::ScheduleDialog, {"cmdSchedule"}},
        {LaterWindow::OptionsDialog, {"mnuFileOptions"}},
        {LaterWindow::Overview, {"mnuHelpOverview"}},
        {LaterWindow::AboutBox, {"mnuHelpAbout"}},
        {LaterWindow::RenameDialog, {"mnuRename"}},
        {LaterWindow::ListNameDialog, {"mnuListNew", "mnuListRename"}},
        {LaterWindow::DropWindow, {"mnuToolsReceiver"}},
        {LaterWindow::UpdateWindow, {"mnuUpdates"}},
    };
    // The others need no window of their own (or only the error window and
    // the file dialog); with one entry selected every one of them is on.
    const QStringList always = {
        "mnuListDelete",     "mnuFileClose",      "mnuFileExit",      "mnuListOpen",
        "cmdNewEntry",       "mnuListRemove",     "mnuListActive",    "mnuListMoveUp",
        "mnuListMoveDown",   "mnuListFindActive", "mnuListSelectAll", "mnuRotateMenu",
        "mnuListRemoveDups", "mnuListShuffle",    "mnuHelpContents",  "mnuHelpIndex",
        "mnuWebSite",        "cmdRemovePaper",    "cmdActivate",      "cmdRotate"};
    auto enabled = [this](const QString& name) {
        if (auto* a = panel->findChild<QAction*>(name))
            return a->isEnabled();
        auto* w = control<QWidget>(panel, name);
        return w && w->isEnabled();
    };

    openPanel();
    for (const auto& [window, names] : opens)
        for (const QString& name : names)
            EXPECT_TRUE(enabled(name)) << name.toStdString();
    for (const QString& name : always)
        EXPECT_TRUE(enabled(name)) << name.toStdString();
    panel->close();

    for (const auto& [missing, names] : opens) {
        windows.absent = {missing};
        openPanel();
        for (const auto& [window, others] : opens)
            for (const QString& name : others)
                EXPECT_EQ(enabled(name), window != missing) << name.toStdString();
        for (const QString& name : always)
            EXPECT_TRUE(enabled(name)) << name.toStdString();
        panel->close();
        settle();
    }
}

TEST_F(WindowTest, ClosingUnloadsWithoutSaving) {
    makeList(3);
    openPanel();
    ActiveMagicList.SetEntryName(0, QStringLiteral("Changed"));
    const QByteArray before = [&] {
        QFile f(ActiveMagicList.GetFilePath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    chooseMenuItem(panel, QStringLiteral("mnuFileClose"));
    settle();
    EXPECT_FALSE(PanelLoaded);
    EXPECT_TRUE(panel.isNull()); // the window went with its unloading
    QFile f(ActiveMagicList.GetFilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_TRUE(desktop.applied.isEmpty());
}

TEST_F(WindowTest, TheCountdownShowsManualOrTheTimeLeft) {
    makeList(2);
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(60);
    Options.LastUpdateTime = makeDateTime(2024, 5, 6, 10, 0, 0);
    env.clock.set(makeDateTime(2024, 5, 6, 10, 55, 50));
    openPanel();
    EXPECT_EQ(panel->lblNextUpdate->text(), QStringLiteral("0:04:10"));
    EXPECT_EQ(panel->NextChangeTime, makeDateTime(2024, 5, 6, 11, 0, 0));

    // Each second of the timer: the change is past by half a minute.
    env.clock.set(makeDateTime(2024, 5, 6, 11, 0, 30));
    panel->Timer1_Timer();
    EXPECT_EQ(panel->lblNextUpdate->text(), QStringLiteral("0:00:30"));

    // A last change in the future counts from now, in memory only.
    Options.LastUpdateTime = makeDateTime(2024, 5, 7, 9, 0, 0);
    panel->Timer1_Timer();
    EXPECT_EQ(Options.LastUpdateTime, makeDateTime(2024, 5, 6, 11, 0, 30));
    EXPECT_EQ(panel->lblNextUpdate->text(), QStringLiteral("0:59:30"));

    ActiveMagicList.SetSchUpdateOption(3);
    panel->Timer1_Timer();
    EXPECT_EQ(panel->lblNextUpdate->text(), QStringLiteral("Manual"));
}

TEST_F(WindowTest, AnEmptyListShowsNoCountdown) {
    makeList(1);
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(15);
    Options.LastUpdateTime = makeDateTime(2024, 5, 6, 10, 0, 0);
    env.clock.set(makeDateTime(2024, 5, 6, 10, 0, 20));
    openPanel();
    EXPECT_EQ(panel->lblNextUpdate->text(), QStringLiteral("0:14:40"));
    // The last picture goes, through the panel's Remove button.
    selectRows({0});
    env.errors.answers = {answer::Yes};
    clickButton(panel->cmdRemovePaper);
    settle();
    ASSERT_EQ(ActiveMagicList.GetCount(), 0);
    panel->Timer1_Timer();
    EXPECT_EQ(panel->lblNextUpdate->text(), QString());
}

} // namespace
