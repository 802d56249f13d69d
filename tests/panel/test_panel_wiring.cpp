// The control panel's menus and buttons reaching their commands as a user
// meets them: the list menu with scripted dialogs, drops on the entry list,
// the Tools and Help menus, the Help key, long work, and the real dialogs
// behind the crop, colour, schedule and options commands.

#include "editors/frmColors.h"
#include "editors/frmCrop.h"
#include "editors/frmOptions.h"
#include "editors/frmSchedule.h"
#include "engine/ProgramBusy.h"
#include "gui/MainForm.h"
#include "gui/forms/FormKit.h"
#include "panel/PanelWidgets.h"
#include "panel/PanelWindows.h"
#include "panel/WebAddress.h"
#include "platform/Registry.h"
#include "tests/panel/PanelTestKit.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <memory>

namespace {

const QString kOptions = QStringLiteral("Software\\Orlevane\\Tapestrel\\Options");

class WiringTest : public PanelTest {
public:
    void SetUp() override {
        PanelTest::SetUp();
        // Public lists may be made and moved.
        ThisRun.writeProbeDone = true;
        ThisRun.writeProbeAnswer = true;
    }

    // The names the entry list shows, in order.
    QStringList rows() const {
        QStringList names;
        const QAbstractItemModel* m = entryList()->model();
        for (int i = 0; i < m->rowCount(); ++i)
            names << m->index(i, 0).data().toString();
        return names;
    }
    QStringList listBoxRows() const {
        QStringList names;
        for (int i = 0; i < panel->cmbName->count(); ++i)
            names << panel->cmbName->itemText(i);
        return names;
    }
    std::optional<QString> activeListSetting() const {
        return env.registry.value(Hive::CurrentUser, kOptions, QStringLiteral("ActiveList"));
    }
    QStringList indexNames() const {
        QStringList names;
        for (int16_t i = 1; i <= ListIndexCount; ++i)
            names << ListIndexEntries[i].ListName;
        return names;
    }
    QString samplePicture(const QString& name, QRgb colour) {
        const QString folder = Options.PublicImagesPath + QStringLiteral("Samples/");
        QDir().mkpath(folder);
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(folder + name, "PNG"));
        return folder + name;
    }
    // The middle of a row of the entry list, in its viewport.
    QPoint rowPoint(int row) const {
        return entryList()->visualRect(entryList()->model()->index(row, 0)).center();
    }
    // A point of the entry list below its last row.
    QPoint belowTheRows() const {
        const int rows = entryList()->model()->rowCount();
        const QRect last = entryList()->visualRect(entryList()->model()->index(rows - 1, 0));
        const QPoint at(last.center().x(), last.bottom() + 2 * last.height());
        EXPECT_TRUE(entryList()->viewport()->rect().contains(at));
        EXPECT_FALSE(entryList()->indexAt(at).isValid());
        return at;
    }
    // Sends a drag event to the entry list; whether it was taken.
    bool drag(QEvent::Type type, const QMimeData* data, QPoint at) {
        QWidget* target = entryList()->viewport();
        if (type == QEvent::Drop) {
            QDropEvent e(at, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &e);
            return e.isAccepted();
        }
        if (type == QEvent::DragMove) {
            QDragMoveEvent e(at, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &e);
            return e.isAccepted();
        }
        QDragEnterEvent e(at, Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &e);
        return e.isAccepted();
    }
    // Drags files from a file manager over the entry list and drops them.
    bool dropFiles(const QStringList& files, QPoint at) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        data.setUrls(urls);
        const bool entered = drag(QEvent::DragEnter, &data, at);
        const bool moved = drag(QEvent::DragMove, &data, at);
        const bool dropped = drag(QEvent::Drop, &data, at);
        settle();
        return entered && moved && dropped;
    }
};

// Whole lists: new, rename, delete.

TEST_F(WiringTest, ANewListIsNamedWrittenIndexedAndFilledWithTheSamples) {
    makeList(2);
    const QString oldFile = ActiveMagicList.GetFilePath();
    samplePicture(QStringLiteral("s2.png"), qRgb(0, 200, 0));
    samplePicture(QStringLiteral("s1.png"), qRgb(200, 0, 0));
    windows.listName = [](ListNameFields& f) {
        f.Cancelled = false;
        f.ListName = QStringLiteral("Summer");
        f.ListIsPublic = false;
    };
    windows.noFiles = [](NoFilesFields& f) { f.NoFilesChoice = 3; };
    openPanel();
    chooseMenuItem(panel, QStringLiteral("mnuListNew"));
    settle();

    EXPECT_EQ(windows.calls.mid(0, 2), (QStringList{"ListName", "NoFiles"}));
    const QString newFile = ActiveMagicList.GetFilePath();
    EXPECT_NE(newFile, oldFile);
    EXPECT_TRUE(newFile.startsWith(Options.PrivateMagicListPath));
    EXPECT_EQ(panel->cmbName->currentText(), QStringLiteral("Summer"));
    EXPECT_EQ(listBoxRows(), (QStringList{"Holiday", "Summer"}));
    EXPECT_EQ(indexNames(), (QStringList{"Holiday", "Summer"}));
    EXPECT_EQ(activeListSetting(), newFile);
    // The samples, the first one active, selected and previewed.
    EXPECT_EQ(rows(), (QStringList{"s1", "s2"}));
    EXPECT_EQ(viewSelection(), QList<int>{0});
    EXPECT_TRUE(panel->picImage->hasPicture());
    EXPECT_TRUE(panel->mnuListRemove->isEnabled());
    const clsMagicList saved = savedList();
    EXPECT_EQ(saved.GetListName(), QStringLiteral("Summer"));
    // The list that was open keeps its file and its entries.
    clsMagicList old;
    ASSERT_EQ(old.loadQuietly(oldFile), 0);
    EXPECT_EQ(old.GetCount(), 2);
}

TEST_F(WiringTest, RenamingChangesTheNameInTheBoxTheIndexAndTheFile) {
    makeList(2);
    const QString file = ActiveMagicList.GetFilePath();
    QString proposed;
    windows.listName = [&](ListNameFields& f) {
        proposed = f.ListName;
        f.Cancelled = false;
        f.ListName = QStringLiteral("Winter");
        f.ListIsPublic = false;
    };
    openPanel();
    chooseMenuItem(panel, QStringLiteral("mnuListRename"));
    EXPECT_EQ(proposed, QStringLiteral("Holiday"));
    EXPECT_EQ(ActiveMagicList.GetFilePath(), file);
    EXPECT_EQ(listBoxRows(), QStringList{QStringLiteral("Winter")});
    EXPECT_EQ(indexNames(), QStringList{QStringLiteral("Winter")});
    EXPECT_EQ(savedList().GetListName(), QStringLiteral("Winter"));

    // Made public: the list moves to the shared folder.
    windows.listName = [](ListNameFields& f) {
        f.Cancelled = false;
        f.ListIsPublic = true;
    };
    chooseMenuItem(panel, QStringLiteral("mnuListRename"));
    const QString moved = ActiveMagicList.GetFilePath();
    EXPECT_TRUE(moved.startsWith(Options.PublicMagicListPath));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(savedList().GetListName(), QStringLiteral("Winter"));
    EXPECT_EQ(activeListSetting(), moved);
    EXPECT_EQ(rows(), (QStringList{"A", "B"}));
}

TEST_F(WiringTest, DeletingAsksThenShowsTheListThatRemains) {
    const QString other = writeOtherList(QStringLiteral("Beach"), 3);
    makeList(2);
    const QString doomed = ActiveMagicList.GetFilePath();
    openPanel();
    ASSERT_EQ(listBoxRows().size(), 2);

    env.errors.answers = {answer::No};
    chooseMenuItem(panel, QStringLiteral("mnuListDelete"));
    EXPECT_TRUE(QFileInfo::exists(doomed));
    EXPECT_EQ(rows(), (QStringList{"A", "B"}));

    env.errors.answers = {answer::Yes};
    chooseMenuItem(panel, QStringLiteral("mnuListDelete"));
    ASSERT_EQ(env.errors.calls.size(), 2);
    EXPECT_EQ(env.errors.calls[1].message,
              QStringLiteral("Are you sure you want to delete this Magic List?"));
    EXPECT_EQ(env.errors.calls[1].title, QStringLiteral("Delete List"));
    EXPECT_FALSE(QFileInfo::exists(doomed));
    EXPECT_EQ(ActiveMagicList.GetFilePath(), other);
    EXPECT_EQ(listBoxRows(), QStringList{QStringLiteral("Beach")});
    EXPECT_EQ(indexNames(), QStringList{QStringLiteral("Beach")});
    EXPECT_EQ(rows(), (QStringList{"Beach0", "Beach1", "Beach2"}));
    EXPECT_EQ(activeListSetting(), other);
}

// Adding pictures.

TEST_F(WiringTest, TheAddButtonAndInsertOpenTheFileDialog) {
    makeList(2, 1);
    const QByteArray before = [&] {
        QFile f(ActiveMagicList.GetFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    env.fileDialog.answers = {{picture(QStringLiteral("one"))},
                              {picture(QStringLiteral("two")), picture(QStringLiteral("three"))}};
    openPanel();
    clickButton(panel->cmdNewEntry);
    EXPECT_EQ(rows(), (QStringList{"A", "B", "one"}));
    EXPECT_EQ(viewSelection(), (QList<int>{1, 2}));
    // Ctrl+I, where the focus is.
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    QTest::keyClick(entryList(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(rows(), (QStringList{"A", "B", "one", "two", "three"}));
    EXPECT_EQ(viewSelection(), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(flaggedEntries(), viewSelection());
    EXPECT_EQ(panel->SelectedCount, 4);
    EXPECT_TRUE(entryList()->hasFocus());
    EXPECT_EQ(env.fileDialog.titles.size(), 2);
    // Added in memory; the file follows with the next save.
    QFile f(ActiveMagicList.GetFilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(WiringTest, AnEmptyListOpensOnTheOfferAndTheChosenWay) {
    makeList(0);
    samplePicture(QStringLiteral("dunes.png"), qRgb(200, 150, 0));
    windows.noFiles = [](NoFilesFields& f) { f.NoFilesChoice = 3; };
    openPanel();
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 1);
    EXPECT_EQ(rows(), QStringList{QStringLiteral("dunes")});
    EXPECT_EQ(viewSelection(), QList<int>{0});
    EXPECT_TRUE(ActiveMagicList.HasActiveEntryChanged());
    // OK shows it on the desktop.
    clickButton(panel->cmdClose);
    ASSERT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(savedList().GetCount(), 1);
}

// Drops on the entry list.

TEST_F(WiringTest, DroppedFilesLandWhereTheyAreDropped) {
    const struct {
        int row; // -1: below the rows
        const char* order;
        QList<int> selected;
    } cases[] = {
        {2, "ABxyzCDE", {2, 3, 4}},
        {0, "ABCDExyz", {5, 6, 7}},
        {4, "ABCDxyzE", {4, 5, 6}},
        {-1, "ABCDExyz", {5, 6, 7}},
    };
    const QStringList files{picture(QStringLiteral("x")), picture(QStringLiteral("y")),
                            picture(QStringLiteral("z"))};
    for (const auto& c : cases) {
        makeList(5);
        openPanel();
        const QPoint at = c.row < 0 ? belowTheRows() : rowPoint(c.row);
        EXPECT_TRUE(dropFiles(files, at)) << c.row;
        EXPECT_EQ(rows().join(QString()), QString::fromLatin1(c.order)) << c.row;
        EXPECT_EQ(entryNames(), rows());
        EXPECT_EQ(viewSelection(), c.selected) << c.row;
        EXPECT_EQ(flaggedEntries(), c.selected) << c.row;
        EXPECT_TRUE(entryList()->hasFocus() || !panel->isActiveWindow());
        panel->close();
        settle();
    }
}

TEST_F(WiringTest, OnlyFilesAreTakenAndItemsAreNeverDraggedWithinTheList) {
    makeList(3);
    openPanel();
    EXPECT_EQ(entryList()->dragDropMode(), QAbstractItemView::DropOnly);
    EXPECT_FALSE(entryList()->dragEnabled());

    QMimeData text;
    text.setText(QStringLiteral("A picture"));
    EXPECT_FALSE(drag(QEvent::DragEnter, &text, rowPoint(1)));
    EXPECT_FALSE(drag(QEvent::DragMove, &text, rowPoint(1)));
    EXPECT_FALSE(drag(QEvent::Drop, &text, rowPoint(1)));
    // What the list view itself would drag: its own rows.
    std::unique_ptr<QMimeData> items(
        entryList()->model()->mimeData({entryList()->model()->index(0, 0)}));
    ASSERT_NE(items, nullptr);
    EXPECT_FALSE(drag(QEvent::DragEnter, items.get(), rowPoint(2)));
    EXPECT_FALSE(drag(QEvent::Drop, items.get(), rowPoint(2)));
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/a.jpg"))});
    EXPECT_FALSE(drag(QEvent::DragEnter, &remote, rowPoint(1)));
    settle();
    EXPECT_EQ(rows(), (QStringList{"A", "B", "C"}));
}

// Selecting, duplicates, shuffling.

TEST_F(WiringTest, SelectingTheActiveEntryOrAll) {
    makeList(4, 2);
    openPanel();
    selectRows({0, 3});
    chooseMenuItem(panel, QStringLiteral("mnuListFindActive"));
    EXPECT_EQ(viewSelection(), QList<int>{2});
    EXPECT_EQ(flaggedEntries(), QList<int>{2});
    chooseMenuItem(panel, QStringLiteral("mnuListSelectAll"));
    EXPECT_EQ(viewSelection(), (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(panel->SelectedCount, 4);
    EXPECT_FALSE(panel->mnuRename->isEnabled());
}

TEST_F(WiringTest, DuplicatesGoAndShufflingKeepsThePreviewedPicture) {
    makeList(3, 1);
    const QString a = ActiveMagicList.GetEntryPath(0);
    ActiveMagicList.AddItem(a, int32_t(0), int16_t(2));
    ActiveMagicList.AddItem(a, int32_t(0), int16_t(2));
    ActiveMagicList.Save();
    openPanel();
    ASSERT_EQ(rows().size(), 5);
    env.errors.answers = {answer::No, answer::Yes};
    chooseMenuItem(panel, QStringLiteral("mnuListRemoveDups"));
    EXPECT_EQ(rows().size(), 5);
    chooseMenuItem(panel, QStringLiteral("mnuListRemoveDups"));
    EXPECT_EQ(env.errors.calls.value(1).title, QStringLiteral("Remove Duplicate Entries"));
    EXPECT_EQ(rows(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(entryNames(), rows());

    const QString shown = ActiveMagicList.GetEntryPath(panel->CurrentEntry);
    env.random = SequenceRandom({0.9, 0.1, 0.5, 0.7, 0.3});
    env.errors.answers = {answer::Yes};
    chooseMenuItem(panel, QStringLiteral("mnuListShuffle"));
    EXPECT_EQ(env.errors.calls.value(2).title, QStringLiteral("Shuffle List"));
    EXPECT_EQ(entryNames(), rows());
    QStringList sorted = rows();
    sorted.sort();
    EXPECT_EQ(sorted, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(ActiveMagicList.GetEntryPath(panel->CurrentEntry), shown);
}

// Tools and Help.

TEST_F(WiringTest, TheToolsMenuTurnsTheDropWindowOnAndOff) {
    makeList(1);
    windows.dropWindow = [] { return new QWidget; };
    openPanel();
    auto openTools = [this] {
        panel->mnuTools->popup(panel->mapToGlobal(QPoint(10, 10)));
        const QString caption = panel->mnuToolsReceiver->text();
        panel->mnuTools->hide();
        return caption;
    };
    EXPECT_EQ(openTools(), QStringLiteral("Turn &On Radur Eradeziro"));
    chooseMenuItem(panel, QStringLiteral("mnuToolsReceiver"));
    ASSERT_TRUE(DropWindow);
    EXPECT_TRUE(DropWindow->isVisible());
    EXPECT_EQ(openTools(), QStringLiteral("Turn &Off Radur Eradeziro"));
    chooseMenuItem(panel, QStringLiteral("mnuToolsReceiver"));
    EXPECT_FALSE(DropWindow);
    EXPECT_EQ(openTools(), QStringLiteral("Turn &On Radur Eradeziro"));
}

TEST_F(WiringTest, TheWebSiteOpensInTheBrowser) {
    makeList(1);
    openPanel();
    chooseMenuItem(panel, QStringLiteral("mnuWebSite"));
    EXPECT_EQ(env.shell.opened, QStringList{projectWebAddress()});
}

TEST_F(WiringTest, HelpOpensItsPagesOrSaysWhyNot) {
    DesktopHelp pages;
    services().help = &pages;
    const QString contents = env.writeFile(QStringLiteral("program/help/contents.html"), "<p>");
    const QString index = env.writeFile(QStringLiteral("program/help/index.html"), "<p>");
    env.writeFile(QStringLiteral("program/help/topic-1.html"), "<p>");
    ProgramHelpFile = contents;
    makeList(1);
    openPanel();
    chooseMenuItem(panel, QStringLiteral("mnuHelpContents"));
    chooseMenuItem(panel, QStringLiteral("mnuHelpIndex"));
    EXPECT_EQ(env.shell.opened, (QStringList{QUrl::fromLocalFile(contents).toString(),
                                             QUrl::fromLocalFile(index).toString()}));
    EXPECT_TRUE(env.errors.calls.isEmpty());

    // The index page is missing: the error's own text, no title.
    ASSERT_TRUE(QFile::remove(index));
    chooseMenuItem(panel, QStringLiteral("mnuHelpIndex"));
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("File not found"));
    EXPECT_EQ(env.errors.calls[0].buttons, 0);
    EXPECT_TRUE(env.errors.calls[0].title.isEmpty());

    // No help at all.
    ProgramHelpFile.clear();
    for (const char* item : {"mnuHelpContents", "mnuHelpIndex"})
        chooseMenuItem(panel, QString::fromLatin1(item));
    ASSERT_EQ(env.errors.calls.size(), 3);
    for (int i : {1, 2}) {
        EXPECT_EQ(env.errors.calls[i].message,
                  QStringLiteral("Unable to display Help Contents. There is no Help associated "
                                 "with this project."));
        EXPECT_EQ(env.errors.calls[i].buttons, 64);
        EXPECT_EQ(env.errors.calls[i].title, QStringLiteral("Tapestrel Control Panel"));
    }
    EXPECT_EQ(env.shell.opened.size(), 2);
}

TEST_F(WiringTest, TheHelpKeyOpensThePanelsPage) {
    ProgramHelpFile = env.path(QStringLiteral("program/help/contents.html"));
    makeList(2);
    openPanel();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    entryList()->setFocus();
    QTest::keyClick(entryList(), Qt::Key_F1);
    ASSERT_EQ(env.help.requests.size(), 1);
    EXPECT_EQ(env.help.requests[0].helpFile, ProgramHelpFile);
    EXPECT_EQ(env.help.requests[0].command, helpcmd::Context);
    EXPECT_EQ(env.help.requests[0].data, kit::helpContextId(panel));
    EXPECT_NE(env.help.requests[0].data, 0);
}

TEST_F(WiringTest, UpdatesNeedWriteAccessToTheProgramsFolders) {
    makeList(1);
    openPanel();
    ThisRun.writeProbeAnswer = false;
    ModalAnswerer answers;
    QString told;
    answers.next<QMessageBox>([&](QMessageBox* box) {
        told = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    chooseMenuItem(panel, QStringLiteral("mnuUpdates"));
    EXPECT_EQ(told, QStringLiteral("You do not have permission to perform this function"));
    EXPECT_TRUE(windows.updateModes.isEmpty());

    ThisRun.writeProbeAnswer = true;
    chooseMenuItem(panel, QStringLiteral("mnuUpdates"));
    EXPECT_EQ(windows.updateModes, QList<int16_t>{3});
}

// Long work.

TEST_F(WiringTest, WhileLongWorkRunsNoCommandActs) {
    makeList(3);
    windows.dropWindow = [] { return new QWidget; };
    env.fileDialog.answers = {{picture(QStringLiteral("new"))}};
    env.errors.answers = {answer::Yes, answer::Yes, answer::Yes, answer::Yes};
    openPanel();
    // Any window that opened would be a command that acted.
    ModalAnswerer answers;
    const QStringList before = entryNames();
    {
        BusyWork busy;
        for (QMenu* menu : {panel->mnuFile, panel->mnuList, panel->mnuTools, panel->mnuHelp})
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && !a->menu())
                    a->trigger();
        for (QAction* a : panel->mnuRotateMenu->actions())
            a->trigger();
        for (QPushButton* b : panel->findChildren<QPushButton*>())
            if (b->isEnabled())
                b->click();
        for (QRadioButton* b : panel->optPosition)
            b->click();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(picture(QStringLiteral("dropped")))});
        EXPECT_FALSE(drag(QEvent::DragEnter, &data, rowPoint(0)));
        EXPECT_FALSE(drag(QEvent::Drop, &data, rowPoint(0)));
        settle();
    }
    settle();
    EXPECT_TRUE(answers.opened.isEmpty());
    EXPECT_FALSE(panel.isNull());
    EXPECT_TRUE(PanelLoaded);
    EXPECT_EQ(entryNames(), before);
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(windows.calls.isEmpty()) << windows.calls.join(u' ').toStdString();
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_TRUE(env.fileDialog.titles.isEmpty());
    EXPECT_TRUE(env.shell.opened.isEmpty());
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_FALSE(DropWindow);
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i)
        EXPECT_EQ(ActiveMagicList.GetEntryRotate(i), 0);
}

// The real dialogs behind the panel's commands.

class RealDialogsTest : public WiringTest {
public:
    void SetUp() override {
        WiringTest::SetUp();
        setProgramWindows(&real);
    }
    PanelWindows real;
    ModalAnswerer answers;
};

TEST_F(RealDialogsTest, CropFromTheButtonAndTheMenu) {
    makeList(2, 0);
    // A wide picture: "Scaled" takes the screen's shape, 4 : 3.
    ActiveMagicList.AddItem(picture(QStringLiteral("wide"), 200, 100), int32_t(0), int16_t(2));
    ActiveMagicList.Save();
    openPanel();
    selectRows({2});
    answers.next<frmCrop>([](frmCrop* d) {
        EXPECT_EQ(d->lblFileName->text(), ActiveMagicList.GetEntryPath(2));
        const int scaled = d->cmbCropType->findText(QStringLiteral("Scaled"));
        ASSERT_GE(scaled, 0);
        d->cmbCropType->setCurrentIndex(scaled);
        emit d->cmbCropType->activated(scaled);
        clickButton(d->cmdOK);
    });
    clickButton(panel->cmdCrop);
    EXPECT_EQ(answers.opened, QStringList{QStringLiteral("frmCrop")});
    const clsMagicList saved = savedList();
    ASSERT_NE(saved.GetEntryLeft(2), -1);
    EXPECT_EQ(saved.GetEntryHeight(2), 100);
    EXPECT_EQ(saved.GetEntryWidth(2), 133);
    EXPECT_TRUE(panel->lblSize->text().endsWith(QStringLiteral("(cropped to 133 x 100)")))
        << panel->lblSize->text().toStdString();

    // The menu item opens it on the entry's crop; closing it changes nothing.
    const int32_t left = saved.GetEntryLeft(2);
    answers.next<frmCrop>([](frmCrop* d) { d->close(); });
    chooseMenuItem(panel, QStringLiteral("mnuCropSelected"));
    EXPECT_EQ(answers.opened.size(), 2);
    EXPECT_EQ(savedList().GetEntryLeft(2), left);
}

TEST_F(RealDialogsTest, TheCustomColourGoesToTheSelection) {
    makeList(3, 0);
    openPanel();
    selectRows({0, 2});
    answers.next<frmColors>([](frmColors* form) {
        for (auto [box, text] : {std::pair{form->txtRed, "10"}, std::pair{form->txtGreen, "20"},
                                 std::pair{form->txtBlue, "30"}}) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::fromLatin1(text));
        }
        clickButton(form->cmdOK);
    });
    clickButton(panel->cmdCustom);
    EXPECT_EQ(answers.opened, QStringList{QStringLiteral("frmColors")});
    EXPECT_EQ(ActiveMagicList.GetEntryBackgroundColor(0), 0x1E140A);
    EXPECT_EQ(ActiveMagicList.GetEntryBackgroundColor(1), 0x102030);
    EXPECT_EQ(ActiveMagicList.GetEntryBackgroundColor(2), 0x1E140A);
}

TEST_F(RealDialogsTest, TheScheduleIsWrittenAndSaved) {
    makeList(2);
    ASSERT_EQ(savedList().GetSchUpdateOption(), 3);
    openPanel();
    answers.next<frmSchedule>([](frmSchedule* d) {
        clickButton(d->optType[0]);
        d->txtInterval->setFocus();
        d->txtInterval->selectAll();
        QTest::keyClicks(d->txtInterval, QStringLiteral("15"));
        clickButton(d->cmdClose);
    });
    clickButton(panel->cmdSchedule);
    EXPECT_EQ(answers.opened, QStringList{QStringLiteral("frmSchedule")});
    EXPECT_EQ(savedList().GetSchUpdateOption(), 0);
}

TEST_F(RealDialogsTest, OptionsThatChangeThePictureRedrawThePreview) {
    makeList(2);
    openPanel();
    const int renders = panel->previewRenders();
    answers.next<frmOptions>([](frmOptions* d) { clickButton(d->cmdClose); });
    chooseMenuItem(panel, QStringLiteral("mnuFileOptions"));
    EXPECT_EQ(panel->previewRenders(), renders);

    answers.next<frmOptions>([](frmOptions* d) {
        clickButton(d->chkDisplayLogo);
        clickButton(d->cmdClose);
    });
    chooseMenuItem(panel, QStringLiteral("mnuFileOptions"));
    EXPECT_TRUE(Options.DisplayMMessage);
    EXPECT_EQ(panel->previewRenders(), renders + 1);
    EXPECT_EQ(answers.opened.size(), 2);
}

} // namespace
