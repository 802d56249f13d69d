// The entry list and the Selected flags: every change the user makes to
// the view's selection reaches the flags at once, the panel's own refills
// go the other way, and the preview follows when the events are handled.

#include "tests/panel/PanelTestKit.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using SelectionTest = PanelTest;

TEST_F(SelectionTest, EveryKindOfUserSelectionReachesTheFlags) {
    const struct {
        const char* what;
        std::function<void(SelectionTest&)> act;
        QList<int> selected;
    } cases[] = {
        {"a click", [](SelectionTest& t) { t.clickRow(4); }, {4}},
        {"a control-click adds",
         [](SelectionTest& t) {
             t.clickRow(1);
             t.clickRow(6, Qt::ControlModifier);
         },
         {1, 6}},
        {"a shift-click spans",
         [](SelectionTest& t) {
             t.clickRow(2);
             t.clickRow(5, Qt::ShiftModifier);
         },
         {2, 3, 4, 5}},
        {"Down", [](SelectionTest& t) { t.pressKey(Qt::Key_Down); }, {3}},
        {"Up", [](SelectionTest& t) { t.pressKey(Qt::Key_Up); }, {1}},
        {"Home", [](SelectionTest& t) { t.pressKey(Qt::Key_Home); }, {0}},
        {"End", [](SelectionTest& t) { t.pressKey(Qt::Key_End); }, {9}},
        {"Page Down", [](SelectionTest& t) { t.pressKey(Qt::Key_PageDown); }, {9}},
        {"Shift+Down",
         [](SelectionTest& t) { t.pressKey(Qt::Key_Down, Qt::ShiftModifier); },
         {2, 3}},
        {"control-space takes the current row out",
         [](SelectionTest& t) { t.pressKey(Qt::Key_Space, Qt::ControlModifier); },
         {}},
        {"type-ahead", [](SelectionTest& t) { QTest::keyClicks(t.entryList(), "G"); }, {6}},
        {"Ctrl+A",
         [](SelectionTest& t) { t.pressKey(Qt::Key_A, Qt::ControlModifier); },
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const auto& c : cases) {
        makeList(10, 2);
        openPanel();
        entryList()->setFocus();
        c.act(*this);
        EXPECT_EQ(viewSelection(), c.selected) << c.what;
        EXPECT_EQ(flaggedEntries(), c.selected) << c.what;
        EXPECT_EQ(panel->SelectedCount, c.selected.size()) << c.what;
        panel->close();
        settle();
    }
}

TEST_F(SelectionTest, ARightClickSelectsBeforeTheMenuOpens) {
    makeList(5, 0);
    openPanel();
    bool menuShown = false;
    QList<int> flagsWhenShown;
    QObject::connect(panel->mnuList, &QMenu::aboutToShow, [&] {
        menuShown = true;
        flagsWhenShown = flaggedEntries();
        QTimer::singleShot(0, panel->mnuList, [this] { panel->mnuList->close(); });
    });
    const QRect r = entryList()->visualRect(entryList()->model()->index(3, 0));
    QTest::mousePress(entryList()->viewport(), Qt::RightButton, {}, r.center());
    QContextMenuEvent menu(QContextMenuEvent::Mouse, r.center(),
                           entryList()->viewport()->mapToGlobal(r.center()));
    QApplication::sendEvent(entryList()->viewport(), &menu);
    QTest::mouseRelease(entryList()->viewport(), Qt::RightButton, {}, r.center());
    settle();
    EXPECT_TRUE(menuShown);
    EXPECT_EQ(flagsWhenShown, QList<int>{3});
}

TEST_F(SelectionTest, RefillsCopyTheFlagsWithoutEchoingThem) {
    makeList(6, 0);
    openPanel();
    const int before = panel->previewRenders();
    ActiveMagicList.SetEntrySelected(2, true);
    ActiveMagicList.SetEntrySelected(4, true);
    panel->FillEntryList();
    settle();
    EXPECT_EQ(viewSelection(), (QList<int>{0, 2, 4}));
    // The view took the flags; nothing came back from it.
    EXPECT_EQ(panel->SelectedCount, 1);
    EXPECT_EQ(panel->previewRenders(), before);

    // Entries that went elsewhere leave from the end; the rest show their
    // entries afresh.
    ActiveMagicList.DeleteItem(5);
    ActiveMagicList.DeleteItem(4);
    ActiveMagicList.SetEntryName(1, QStringLiteral("Renamed"));
    panel->FillEntryList();
    ASSERT_EQ(entryList()->model()->rowCount(), 4);
    EXPECT_EQ(entryList()->model()->index(1, 0).data().toString(), QStringLiteral("Renamed"));
    EXPECT_EQ(viewSelection(), (QList<int>{0, 2}));
}

TEST_F(SelectionTest, AVeryLongListIsSelectedInOneStep) {
    makeList(3);
    openPanel();
    // 32,767 entries, as many as a list holds, all of one picture.
    const QString path = ActiveMagicList.GetEntryPath(0);
    while (ActiveMagicList.GetCount() < 32767)
        ActiveMagicList.AddItem(path, int32_t(0), int16_t(2));
    int selectionSignals = 0;
    QObject::connect(entryList()->selectionModel(), &QItemSelectionModel::selectionChanged,
                     [&] { ++selectionSignals; });
    chooseMenuItem(panel, QStringLiteral("mnuListSelectAll"));
    EXPECT_EQ(selectionSignals, 1);
    EXPECT_EQ(entryList()->model()->rowCount(), 32767);
    EXPECT_EQ(entryList()->selectionModel()->selection().size(), 1);
    EXPECT_EQ(panel->SelectedCount, 32767);
    EXPECT_FALSE(panel->mnuRename->isEnabled());
    EXPECT_TRUE(panel->mnuListRemove->isEnabled());
}

TEST_F(SelectionTest, MenusFollowHowManyEntriesAreSelected) {
    makeList(4, 1);
    openPanel();
    const QList<QAction*> needOne{panel->mnuListRemove, panel->mnuListActive, panel->mnuListMoveUp,
                                  panel->mnuListMoveDown, panel->mnuListFindActive};
    const struct {
        QList<int> rows;
        bool any, rename;
    } cases[] = {{{}, false, false}, {{2}, true, true}, {{1, 3}, true, false}};
    for (const auto& c : cases) {
        entryList()->clearSelection();
        for (int row : c.rows)
            clickRow(row, Qt::ControlModifier);
        for (QAction* a : needOne)
            EXPECT_EQ(a->isEnabled(), c.any) << a->objectName().toStdString() << c.rows.size();
        EXPECT_EQ(panel->mnuRename->isEnabled(), c.rename) << c.rows.size();
        for (QPushButton* b :
             {panel->cmdEntryUp, panel->cmdEntryDown, panel->cmdRemovePaper, panel->cmdActivate})
            EXPECT_EQ(b->isEnabled(), c.any) << b->objectName().toStdString();
    }
}

TEST_F(SelectionTest, SelectActiveAndSelectAllFromTheKeyboard) {
    makeList(5, 3);
    openPanel();
    entryList()->setFocus();
    clickRow(0);
    QTest::keyClick(panel, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(flaggedEntries(), (QList<int>{0, 1, 2, 3, 4}));
    QTest::keyClick(panel, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(flaggedEntries(), QList<int>{3});
    EXPECT_EQ(viewSelection(), QList<int>{3});
}

TEST_F(SelectionTest, AHeldArrowKeyDrawsOnlyWhereItStops) {
    makeList(60, 0);
    openPanel();
    entryList()->setFocus();
    const int before = panel->previewRenders();
    // Key repeats arrive faster than pictures render: the keys are handled
    // first, each keeping the selection and the flags in step at once.
    for (int i = 0; i < 40; ++i) {
        QTest::keyPress(entryList(), Qt::Key_Down);
        ASSERT_EQ(flaggedEntries(), QList<int>{i + 1});
        ASSERT_EQ(panel->CurrentEntry, i + 1);
        EXPECT_TRUE(panel->previewPending());
    }
    QTest::keyRelease(entryList(), Qt::Key_Down);
    settle();
    EXPECT_EQ(panel->previewRenders(), before + 1);
    EXPECT_FALSE(panel->previewPending());
    EXPECT_EQ(panel->lblFullPath->toolTip().isEmpty() ? panel->lblFullPath->text()
                                                      : panel->lblFullPath->toolTip(),
              ActiveMagicList.GetEntryPath(40));
}

TEST_F(SelectionTest, APendingPreviewIsDrawnBeforeACommandActs) {
    const struct {
        const char* what;
        std::function<void(frmMagicPanel&)> command;
    } cases[] = {
        {"Activate", [](frmMagicPanel& p) { p.cmdActivate_Click(); }},
        {"a move",
         [](frmMagicPanel& p) {
             p.mnuListMoveDown_Click();
             p.timMover_Timer();
         }},
        {"Remove", [](frmMagicPanel& p) { p.cmdRemovePaper_Click(); }},
        {"OK", [](frmMagicPanel& p) { p.cmdClose_Click(); }},
    };
    for (const auto& c : cases) {
        makeList(5, 0);
        openPanel();
        entryList()->setFocus();
        QTest::keyPress(entryList(), Qt::Key_Down);
        ASSERT_TRUE(panel->previewPending());
        const int before = panel->previewRenders();
        c.command(*panel);
        ASSERT_FALSE(panel.isNull()) << c.what;
        EXPECT_EQ(panel->previewRenders(), before + 1) << c.what;
        EXPECT_FALSE(panel->previewPending()) << c.what;
        panel->close();
        settle();
    }
}

} // namespace
