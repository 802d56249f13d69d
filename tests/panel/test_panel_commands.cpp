// The control panel's commands on the selected entries and on the window:
// activate, OK, remove, move, rotate, crop, colour, rename, schedule,
// about, overview and exit.

#include "engine/PictureDeletion.h"
#include "engine/ProgramBusy.h"
#include "gui/forms/frmEndProg.h"
#include "panel/PanelWidgets.h"
#include "tests/common/WriteFaults.h"
#include "tests/panel/PanelTestKit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace {

class CommandTest : public PanelTest {
public:
    QByteArray fileBytes() const {
        QFile f(ActiveMagicList.GetFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString order() const { return entryNames().join(QString()); }
};

TEST_F(CommandTest, ActivateShowsThePreviewedEntry) {
    makeList(4, 0);
    openPanel();
    selectRows({2});
    clickButton(panel->cmdActivate);
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(CurrentWallpaper.Path, ActiveMagicList.GetEntryPath(2));
    EXPECT_EQ(ActiveMagicList.GetActiveEntry(), 2);
    EXPECT_EQ(savedList().GetActiveEntry(), 2);

    // An index the list no longer has falls back on the active entry.
    panel->CurrentEntry = 40;
    chooseMenuItem(panel, QStringLiteral("mnuListActive"));
    EXPECT_EQ(desktop.applied.size(), 2);
    EXPECT_EQ(panel->CurrentEntry, 2);
}

TEST_F(CommandTest, ActivateOnAnEmptyListLeavesTheDesktopAlone) {
    makeList(0);
    openPanel();
    for (int16_t stale : {int16_t(-1), int16_t(0), int16_t(3)}) {
        panel->CurrentEntry = stale;
        panel->ActivateSelectedEntry();
    }
    EXPECT_TRUE(desktop.applied.isEmpty());
}

TEST_F(CommandTest, OKSavesAndShowsAChangedActiveEntry) {
    makeList(4, 1);
    openPanel();
    // The active entry gets a colour, then another entry is looked at.
    selectRows({1});
    int32_t red = 0x0000FF;
    panel->ApplyBackgroundColor(red);
    ActiveMagicList.SetActiveEntryChanged();
    selectRows({3});
    ActiveMagicList.SetEntryName(0, QStringLiteral("Renamed"));
    clickButton(panel->cmdClose);
    settle();
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(CurrentWallpaper.Path, ActiveMagicList.GetEntryPath(1));
    EXPECT_EQ(desktop.applied[0].background, 0x0000FF);
    EXPECT_EQ(savedList().GetEntryName(0), QStringLiteral("Renamed"));
    EXPECT_FALSE(PanelLoaded);
    EXPECT_TRUE(panel.isNull());
}

TEST_F(CommandTest, OKWithNothingChangedOnlySaves) {
    for (int count : {3, 0}) {
        makeList(count, 0);
        openPanel();
        if (count == 0)
            ActiveMagicList.SetActiveEntryChanged(); // nothing to show all the same
        else
            ActiveMagicList.SetEntryName(0, QStringLiteral("Renamed"));
        clickButton(panel->cmdClose);
        settle();
        EXPECT_TRUE(desktop.applied.isEmpty()) << count;
        if (count > 0) {
            EXPECT_EQ(savedList().GetEntryName(0), QStringLiteral("Renamed"));
        }
    }
}

TEST_F(CommandTest, RemoveAsksAndTakesOutTheSelection) {
    const struct {
        QList<int> rows;
        int16_t reply;
        const char* question;
        const char* left;
    } cases[] = {
        {{2},
         answer::Yes,
         "Are you sure you want to delete this item from your Magic List?",
         "ABDE"},
        {{1, 3},
         answer::Yes,
         "Are you sure you want to delete these items from your Magic List?",
         "ACE"},
        {{1, 3},
         answer::No,
         "Are you sure you want to delete these items from your Magic List?",
         "ABCDE"},
    };
    for (const auto& c : cases) {
        makeList(5, 4);
        openPanel();
        selectRows(c.rows);
        env.errors.calls.clear();
        env.errors.answers = {c.reply};
        clickButton(panel->cmdRemovePaper);
        ASSERT_EQ(env.errors.calls.size(), 1);
        EXPECT_EQ(env.errors.calls[0].message, QString::fromLatin1(c.question));
        EXPECT_TRUE(env.errors.calls[0].question.isEmpty());
        EXPECT_EQ(env.errors.calls[0].buttons, 68);
        EXPECT_TRUE(env.errors.calls[0].title.isEmpty());
        EXPECT_EQ(order(), QString::fromLatin1(c.left));
        EXPECT_EQ(entryList()->model()->rowCount(), ActiveMagicList.GetCount());
        if (c.reply == answer::Yes) {
            // Only the active entry is selected afterwards, and shown.
            EXPECT_EQ(flaggedEntries(), QList<int>{ActiveMagicList.GetActiveEntry()});
            EXPECT_EQ(viewSelection(), flaggedEntries());
            EXPECT_EQ(panel->CurrentEntry, ActiveMagicList.GetActiveEntry());
        }
        EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 0);
        panel->close();
        settle();
    }
}

TEST_F(CommandTest, RemoveWritesTheListBeforeItDeletesTheProgramsCopy) {
    makeList(3, 0);
    const QString copy = Options.PrivateMagicListPath + QStringLiteral("Other Images/B.png");
    QDir().mkpath(QFileInfo(copy).absolutePath());
    ASSERT_TRUE(QFile::copy(ActiveMagicList.GetEntryPath(1), copy));
    ActiveMagicList.SetEntryPath(1, copy);
    ASSERT_TRUE(ActiveMagicList.Save());
    const QString file = ActiveMagicList.GetFilePath();
    openPanel();

    // The list file cannot be written: the copy stays, and the user is told.
    selectRows({1});
    WriteWatch watch(file);
    watch.failAt(WriteStep::Rename, ENOSPC);
    env.errors.calls.clear();
    env.errors.answers = {answer::Yes};
    clickButton(panel->cmdRemovePaper);
    EXPECT_EQ(env.errors.messages().value(1), QStringLiteral("Disk full"));
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_EQ(savedList().GetEntryPath(1), copy);

    // With room, the next removal writes the list first and the copy goes
    // after it.
    selectRows({1});
    bool copyWhileWriting = false;
    watch.succeed();
    watch.atRename = [&] { copyWhileWriting = QFileInfo::exists(copy); };
    env.errors.answers = {answer::Yes};
    clickButton(panel->cmdRemovePaper);
    EXPECT_TRUE(copyWhileWriting);
    EXPECT_FALSE(QFileInfo::exists(copy));
    ASSERT_EQ(savedList().GetCount(), 1);
    EXPECT_EQ(savedList().GetEntryName(0), QStringLiteral("A"));
}

TEST_F(CommandTest, RemovingManyCopiesSettlesThemInOnePassUnderTheHourglass) {
    makeList(6, 0);
    QStringList copies;
    for (int16_t i = 1; i < 5; ++i) {
        const QString copy =
            Options.PrivateMagicListPath + QStringLiteral("Other Images/%1.png").arg(i);
        QDir().mkpath(QFileInfo(copy).absolutePath());
        ASSERT_TRUE(QFile::copy(ActiveMagicList.GetEntryPath(i), copy));
        ActiveMagicList.SetEntryPath(i, copy);
        copies << copy;
    }
    ASSERT_TRUE(ActiveMagicList.Save());
    const QString file = ActiveMagicList.GetFilePath();
    openPanel();
    selectRows({1, 2, 3, 4});
    bool busyWhileWriting = false;
    WriteWatch watch(file);
    watch.atRename = [&] {
        busyWhileWriting = ProgramIsBusy() && QGuiApplication::overrideCursor() &&
                           QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
    };
    const int passesBefore = PictureDeletion::passes();
    env.errors.answers = {answer::Yes};
    clickButton(panel->cmdRemovePaper);
    EXPECT_EQ(PictureDeletion::passes() - passesBefore, 1);
    EXPECT_TRUE(busyWhileWriting);
    for (const QString& copy : copies)
        EXPECT_FALSE(QFileInfo::exists(copy)) << copy.toStdString();
    EXPECT_EQ(order(), QStringLiteral("AF"));
}

TEST_F(CommandTest, TheDeleteKeyRemovesAndAnEmptiedListIsOfferedFilling) {
    makeList(2, 0);
    openPanel();
    selectRows({0, 1});
    env.errors.answers = {answer::Yes};
    entryList()->setFocus();
    QTest::keyClick(entryList(), Qt::Key_Delete);
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    EXPECT_EQ(entryList()->model()->rowCount(), 0);
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 1);
    EXPECT_FALSE(panel->cmdRemovePaper->isEnabled());
    EXPECT_FALSE(panel->picImage->hasPicture());
}

TEST_F(CommandTest, RemoveDoesNothingWhenTheTimerChangedTheListMeanwhile) {
    // The question is open when the minute comes: the tray shows the next
    // entry and refreshes the panel, which selects that entry alone. Yes
    // was meant for the entries the user had selected.
    makeList(5, 0);
    openPanel();
    selectRows({1});
    ScriptedErrorPresenter hook;
    hook.answers = {answer::Yes};
    hook.duringQuestion = [this] {
        ActiveMagicList.SetActiveEntry(3);
        panel->RefreshMagicList();
    };
    setErrorPresenter(&hook);
    clickButton(panel->cmdRemovePaper);
    setErrorPresenter(&env.errors);
    EXPECT_EQ(order(), QStringLiteral("ABCDE"));
    EXPECT_EQ(viewSelection(), QList<int>{3});
    EXPECT_EQ(flaggedEntries(), QList<int>{3});
}

TEST_F(CommandTest, HoldingUpMovesOnceThenRepeatsAfterAPause) {
    makeList(6, 0);
    openPanel();
    selectRows({3, 4});
    QTest::mousePress(panel->cmdEntryUp, Qt::LeftButton);
    EXPECT_TRUE(panel->timMover->isActive());
    EXPECT_EQ(panel->timMover->interval(), 10);
    const QStringList orders{"ABDECF", "ADEBCF", "DEABCF", "DEABCF"};
    const QList<int> intervals{700, 75, 75, 75};
    const QList<int> current{2, 1, 0, 0};
    for (int tick = 0; tick < 4; ++tick) {
        panel->timMover_Timer();
        EXPECT_EQ(order(), orders[tick]) << "tick " << tick;
        EXPECT_EQ(panel->timMover->interval(), intervals[tick]) << "tick " << tick;
        EXPECT_TRUE(panel->timMover->isActive());
        // The preview's entry moves with its picture.
        EXPECT_EQ(panel->CurrentEntry, current[tick]) << "tick " << tick;
        EXPECT_EQ(viewSelection(), (QList<int>{current[tick], current[tick] + 1}));
    }
    EXPECT_EQ(ActiveMagicList.getFlag(0, 1), 1);
    QTest::mouseRelease(panel->cmdEntryUp, Qt::LeftButton);
    EXPECT_FALSE(panel->timMover->isActive());
}

TEST_F(CommandTest, AnyMouseButtonHoldsDown) {
    makeList(4, 0);
    openPanel();
    selectRows({1});
    QTest::mousePress(panel->cmdEntryDown, Qt::RightButton);
    EXPECT_TRUE(panel->timMover->isActive());
    panel->timMover_Timer();
    EXPECT_EQ(order(), QStringLiteral("ACBD"));
    QTest::mouseRelease(panel->cmdEntryDown, Qt::RightButton);
    EXPECT_FALSE(panel->timMover->isActive());
}

TEST_F(CommandTest, TheRepeatStopsWithoutAMouseUpOnTheButton) {
    const struct {
        const char* what;
        std::function<void(CommandTest&, QWidget&)> lose;
    } cases[] = {
        {"the release went to another window",
         [](CommandTest&, QWidget& other) { QTest::mouseRelease(&other, Qt::LeftButton); }},
        {"the panel lost the activation",
         [](CommandTest&, QWidget& other) {
             other.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
         }},
    };
    for (const auto& c : cases) {
        makeList(6, 0);
        openPanel();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
        selectRows({4});
        QWidget other;
        other.show();
        QTest::mousePress(panel->cmdEntryUp, Qt::LeftButton);
        panel->timMover_Timer();
        ASSERT_EQ(order(), QStringLiteral("ABCEDF"));
        c.lose(*this, other);
        // The next tick, if the timer still runs.
        if (panel->timMover->isActive())
            panel->timMover_Timer();
        EXPECT_FALSE(panel->timMover->isActive()) << c.what;
        EXPECT_EQ(order(), QStringLiteral("ABCEDF")) << c.what;
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            QTest::mouseRelease(&other, Qt::LeftButton);
        panel->close();
        settle();
    }
}

TEST_F(CommandTest, TheMenuMovesOneStepWithoutAButtonHeld) {
    makeList(4, 0);
    openPanel();
    selectRows({1});
    QTest::keyClick(panel, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(panel->timMover->interval(), 1);
    ASSERT_TRUE(waitFor([&] { return !panel->timMover->isActive(); }));
    EXPECT_EQ(order(), QStringLiteral("ACBD"));
    EXPECT_EQ(panel->timMover->interval(), 1);
    QTest::keyClick(panel, Qt::Key_U, Qt::ControlModifier);
    ASSERT_TRUE(waitFor([&] { return !panel->timMover->isActive(); }));
    EXPECT_EQ(order(), QStringLiteral("ABCD"));
    // Losing the activation does not cut a single step short.
    chooseMenuItem(panel, QStringLiteral("mnuListMoveUp"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return !panel->timMover->isActive(); }));
    EXPECT_EQ(order(), QStringLiteral("BACD"));
}

TEST_F(CommandTest, RotationsTurnTheSelection) {
    makeList(3, 0);
    openPanel();
    selectRows({0, 2});
    const struct {
        std::function<void()> command;
        int16_t after;
    } steps[] = {
        {[this] { clickButton(panel->cmdRotate); }, 90},
        {[this] { chooseMenuItem(panel, QStringLiteral("mnuRotate(0)")); }, 180},
        {[this] { chooseMenuItem(panel, QStringLiteral("mnuRotate(2)")); }, 0},
        {[this] { chooseMenuItem(panel, QStringLiteral("mnuRotate(1)")); }, 270},
    };
    for (const auto& s : steps) {
        s.command();
        EXPECT_EQ(ActiveMagicList.GetEntryRotate(0), s.after);
        EXPECT_EQ(ActiveMagicList.GetEntryRotate(2), s.after);
        EXPECT_EQ(ActiveMagicList.GetEntryRotate(1), 0);
    }
    selectRows({});
    env.errors.calls.clear();
    clickButton(panel->cmdRotate);
    chooseMenuItem(panel, QStringLiteral("mnuRotate(1)"));
    ASSERT_EQ(env.errors.calls.size(), 2);
    for (const auto& call : env.errors.calls) {
        EXPECT_EQ(call.message, QStringLiteral("There are no selected wallpaper images to rotate.  "
                                               "Select any number of Wallpaper Images first, then "
                                               "use this button to rotate them."));
        EXPECT_EQ(call.buttons, 0);
    }
}

TEST_F(CommandTest, CropHandsTheCurrentEntryToTheDialog) {
    makeList(3, 0);
    ActiveMagicList.SetEntryBGColor(1, 0x00FF00);
    ActiveMagicList.RotateEntry(1);
    ActiveMagicList.Save();
    openPanel();
    selectRows({1});
    const QByteArray before = fileBytes();
    // Cancelled: nothing changes, nothing is saved.
    windows.crop = [](const CropRequest&) { return CropAnswer{}; };
    clickButton(panel->cmdCrop);
    ASSERT_EQ(windows.cropRequests.size(), 1);
    const CropRequest& r = windows.cropRequests[0];
    EXPECT_EQ(r.CropLeft, -1);
    EXPECT_EQ(r.CropBackColor, 0); // only a cropped entry hands its colour
    EXPECT_EQ(r.CropRotation, 90);
    EXPECT_EQ(r.FileName, ActiveMagicList.GetEntryPath(1));
    EXPECT_EQ(fileBytes(), before);

    windows.crop = [](const CropRequest&) { return CropAnswer{false, 2, 4, 20, 30}; };
    const int renders = panel->previewRenders();
    chooseMenuItem(panel, QStringLiteral("mnuCropSelected"));
    EXPECT_EQ(ActiveMagicList.GetEntryLeft(1), 2);
    EXPECT_EQ(ActiveMagicList.GetEntryHeight(1), 30);
    EXPECT_EQ(savedList().GetEntryWidth(1), 20);
    EXPECT_EQ(panel->previewRenders(), renders + 1);
    EXPECT_TRUE(panel->lblSize->text().endsWith(QStringLiteral("(cropped to 20 x 30)")));

    // A second crop hands the entry's crop and colour.
    clickButton(panel->cmdCrop);
    EXPECT_EQ(windows.cropRequests[2].CropLeft, 2);
    EXPECT_EQ(windows.cropRequests[2].CropBackColor, 0x00FF00);
}

TEST_F(CommandTest, CropWithoutACurrentEntryExplains) {
    makeList(0);
    openPanel();
    clickButton(panel->cmdCrop);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message,
              QStringLiteral("There is no selected wallpaper image to crop.  Select an entry in "
                             "the Wallpaper Images list first, then use this button to crop the "
                             "picture."));
    EXPECT_TRUE(windows.cropRequests.isEmpty());
}

TEST_F(CommandTest, DialogAnswersGivenAfterTheListChangedAreDropped) {
    const struct {
        const char* what;
        std::function<void(CommandTest&, std::function<void()>)> run;
    } cases[] = {
        {"crop",
         [](CommandTest& t, std::function<void()> change) {
             t.windows.crop = [change](const CropRequest&) {
                 change();
                 return CropAnswer{false, 1, 1, 10, 10};
             };
             clickButton(t.panel->cmdCrop);
         }},
        {"custom colour",
         [](CommandTest& t, std::function<void()> change) {
             t.windows.colors = [change](ColorPickerFields& f) {
                 change();
                 f.Cancelled = false;
                 f.SelectedColor = 0x0000FF;
             };
             clickButton(t.panel->cmdCustom);
         }},
        {"rename",
         [](CommandTest& t, std::function<void()> change) {
             t.windows.rename = [change](RenameFields& f) {
                 change();
                 f.Cancelled = false;
                 f.NewName = QStringLiteral("Beach");
             };
             chooseMenuItem(t.panel, QStringLiteral("mnuRename"));
         }},
    };
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"entries moved", [] { ActiveMagicList.MoveItem(0, int16_t(3)); }},
        {"another list",
         [this] {
             ActiveMagicList.Save();
             clsMagicList other;
             other.Load(writeOtherList(QStringLiteral("Other"), 4));
             ActiveMagicList = other;
             ActiveMagicList.SetEntrySelected(1, true);
         }},
    };
    for (const auto& c : cases)
        for (const auto& ch : changes) {
            makeList(4, 0);
            openPanel();
            selectRows({1});
            const QString path = ActiveMagicList.GetEntryPath(1);
            c.run(*this, ch.change);
            for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i) {
                EXPECT_EQ(ActiveMagicList.GetEntryLeft(i), -1) << c.what << ", " << ch.what;
                EXPECT_NE(ActiveMagicList.GetEntryBackgroundColor(i), 0x0000FF)
                    << c.what << ", " << ch.what;
                EXPECT_NE(ActiveMagicList.GetEntryName(i), QStringLiteral("Beach"))
                    << c.what << ", " << ch.what;
            }
            // The views show the list as it is now.
            EXPECT_EQ(entryList()->model()->rowCount(), ActiveMagicList.GetCount());
            EXPECT_EQ(viewSelection(), flaggedEntries()) << c.what << ", " << ch.what;
            panel->close();
            settle();
        }
}

TEST_F(CommandTest, TheCustomColourStartsFromTheSelectionsColour) {
    makeList(4, 0);
    ActiveMagicList.SetEntryBGColor(2, 0x123456);
    openPanel();
    const struct {
        QList<int> rows;
        bool useOriginal;
        int32_t original;
    } cases[] = {{{0, 1}, true, 0x102030}, {{1, 2}, false, 0}, {{2}, true, 0x123456}};
    for (const auto& c : cases) {
        selectRows(c.rows);
        ColorPickerFields seen;
        windows.colors = [&seen](ColorPickerFields& f) {
            seen = f;
            f.Cancelled = true;
        };
        clickButton(panel->cmdCustom);
        EXPECT_EQ(seen.UseOriginalColor, c.useOriginal) << c.rows.size();
        if (c.useOriginal) {
            EXPECT_EQ(seen.OriginalColor, c.original);
        }
    }
    const QByteArray before = fileBytes();
    selectRows({0, 3});
    windows.colors = [](ColorPickerFields& f) {
        f.Cancelled = false;
        f.SelectedColor = 0xABCDEF;
    };
    clickButton(panel->cmdCustom);
    for (int16_t i = 0; i < 4; ++i)
        EXPECT_EQ(ActiveMagicList.GetEntryBackgroundColor(i),
                  i == 0 || i == 3 ? 0xABCDEF : (i == 2 ? 0x123456 : 0x102030));
    EXPECT_EQ(fileBytes(), before); // saved by OK, not here
}

TEST_F(CommandTest, RenameProposesTheNameAndRenamesTheEntry) {
    makeList(3, 0);
    ActiveMagicList.SetEntryName(1, QStringLiteral("Sunset"));
    openPanel();
    selectRows({1});
    QString proposed;
    windows.rename = [&proposed](RenameFields& f) {
        proposed = f.NewName;
        f.Cancelled = true;
    };
    chooseMenuItem(panel, QStringLiteral("mnuRename"));
    EXPECT_EQ(proposed, QStringLiteral("Sunset"));
    EXPECT_EQ(ActiveMagicList.GetEntryName(1), QStringLiteral("Sunset"));
    windows.rename = [](RenameFields& f) {
        f.Cancelled = false;
        f.NewName = QStringLiteral("Beach");
    };
    chooseMenuItem(panel, QStringLiteral("mnuRename"));
    EXPECT_EQ(ActiveMagicList.GetEntryName(1), QStringLiteral("Beach"));
    EXPECT_EQ(entryList()->model()->index(1, 0).data().toString(), QStringLiteral("Beach"));
}

TEST_F(CommandTest, TheScheduleDialogIsFollowedByASave) {
    makeList(2, 0);
    openPanel();
    windows.schedule = [] {
        ActiveMagicList.SetSchUpdateOption(0);
        ActiveMagicList.SetSchInterval(15);
    };
    clickButton(panel->cmdSchedule);
    EXPECT_EQ(savedList().GetSchInterval(), 15);
    EXPECT_EQ(windows.count(QStringLiteral("Schedule")), 1);
}

TEST_F(CommandTest, HelpMenuOpensTheAboutBoxAndTheOverview) {
    makeList(1);
    openPanel();
    chooseMenuItem(panel, QStringLiteral("mnuHelpAbout"));
    EXPECT_EQ(windows.count(QStringLiteral("About")), 1);
    panel->move(80, 60);
    chooseMenuItem(panel, QStringLiteral("mnuHelpOverview"));
    ASSERT_EQ(windows.overviewFields.size(), 1);
    EXPECT_EQ(windows.overviewFields[0].FormLeft, panel->x() * 15 + 500);
    EXPECT_EQ(windows.overviewFields[0].FormTop, panel->y() * 15 + 500);
}

TEST_F(CommandTest, ExitAsksAndCancelKeepsEverythingRunning) {
    makeList(2);
    openPanel();
    ActiveMagicList.SetEntryName(0, QStringLiteral("Kept"));
    ModalAnswerer answers;
    answers.next<frmEndProg>([](frmEndProg* f) { f->cmdCancel->click(); });
    chooseMenuItem(panel, QStringLiteral("mnuFileExit"));
    EXPECT_EQ(answers.pending(), 0);
    EXPECT_FALSE(ThisRun.ending);
    EXPECT_TRUE(PanelLoaded);
    // The list was saved before the question.
    EXPECT_EQ(savedList().GetEntryName(0), QStringLiteral("Kept"));
}

} // namespace
