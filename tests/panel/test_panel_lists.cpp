// The list-name box: switching to another list, which row stands for the
// open list, and deleting the open list's file.

#include "engine/INIFuncs.h"
#include "panel/PanelWidgets.h"
#include "platform/Registry.h"
#include "runtime/RuntimeError.h"
#include "tests/panel/PanelTestKit.h"

#include <QFile>
#include <QFileInfo>

namespace {

class ListBoxTest : public PanelTest {
public:
    // Picks a row of the list-name box as the user does.
    void pick(int row) {
        panel->cmbName->setCurrentIndex(row);
        emit panel->cmbName->activated(row);
        settle();
    }
    int rowOf(const QString& path) const {
        for (int i = 0; i < panel->cmbName->count(); ++i) {
            const int n = panel->cmbName->itemData(i).toInt();
            if (n >= 1 && n <= ListIndexCount && ListIndexEntries[n].ListPath == path)
                return i;
        }
        return -1;
    }
    std::optional<QString> activeListValue() {
        return env.registry.value(Hive::CurrentUser,
                                  QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
                                  QStringLiteral("ActiveList"));
    }
    QString shownPath() const {
        const QString tip = panel->lblFullPath->toolTip();
        return tip.isEmpty() ? panel->lblFullPath->text() : tip;
    }
};

TEST_F(ListBoxTest, PickingTheOpenListOnlySavesIt) {
    makeList(3, 1);
    openPanel();
    const QString file = ActiveMagicList.GetFilePath();
    ActiveMagicList.SetEntryName(0, QStringLiteral("Changed"));
    pick(panel->cmbName->currentIndex());
    EXPECT_EQ(ActiveMagicList.GetFilePath(), file);
    EXPECT_EQ(savedList().GetEntryName(0), QStringLiteral("Changed"));
    EXPECT_FALSE(ActiveMagicList.HasActiveEntryChanged());
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 0);
}

TEST_F(ListBoxTest, PickingAnotherListSavesItLoadsTheOtherAndShowsIt) {
    makeList(3, 0);
    const QString other = writeOtherList(QStringLiteral("Garden"), 2);
    BuildMagicListIndex();
    openPanel();
    const QString first = ActiveMagicList.GetFilePath();
    ActiveMagicList.SetEntryName(2, QStringLiteral("Changed"));
    pick(rowOf(other));
    EXPECT_EQ(ActiveMagicList.GetFilePath(), other);
    EXPECT_TRUE(ActiveMagicList.HasActiveEntryChanged());
    EXPECT_EQ(activeListValue(), other);
    EXPECT_EQ(entryList()->model()->rowCount(), 2);
    EXPECT_EQ(panel->cmbName->currentText(), QStringLiteral("Garden"));
    clsMagicList old;
    ASSERT_EQ(old.loadQuietly(first), 0);
    EXPECT_EQ(old.GetEntryName(2), QStringLiteral("Changed"));
    // Both lists have their first entry active: the preview shows the new
    // list's picture all the same.
    EXPECT_EQ(shownPath(), ActiveMagicList.GetEntryPath(0));
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 0);
}

TEST_F(ListBoxTest, PickingAnEmptyListOffersToFillIt) {
    makeList(3, 0);
    const QString empty = writeOtherList(QStringLiteral("Empty"), 0);
    BuildMagicListIndex();
    openPanel();
    pick(rowOf(empty));
    EXPECT_EQ(ActiveMagicList.GetFilePath(), empty);
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 1);
    EXPECT_EQ(entryList()->model()->rowCount(), 0);
    EXPECT_FALSE(panel->picImage->hasPicture());
}

TEST_F(ListBoxTest, AListThatDoesNotLoadChangesNothing) {
    const struct {
        const char* what;
        std::function<void(const QString&)> spoil;
        const char* message;
    } cases[] = {
        {"gone", [](const QString& f) { QFile::remove(f); }, "Path not found"},
        {"cut short",
         [](const QString& f) {
             QFile file(f);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.resize(file.size() - 30);
         },
         nullptr},
    };
    for (const auto& c : cases) {
        makeList(3, 1);
        const QString other = writeOtherList(QStringLiteral("Garden"), 4);
        BuildMagicListIndex();
        openPanel();
        const QString open = ActiveMagicList.GetFilePath();
        c.spoil(other);
        env.errors.calls.clear();
        pick(rowOf(other));
        ASSERT_FALSE(env.errors.calls.isEmpty()) << c.what;
        if (c.message) {
            EXPECT_TRUE(env.errors.calls[0].message.startsWith(QString::fromLatin1(c.message)))
                << env.errors.calls[0].message.toStdString();
        }
        EXPECT_EQ(ActiveMagicList.GetFilePath(), open) << c.what;
        EXPECT_EQ(entryNames(), (QStringList{"A", "B", "C"})) << c.what;
        EXPECT_EQ(activeListValue(), open) << c.what;
        EXPECT_EQ(panel->cmbName->currentIndex(), rowOf(open)) << c.what;
        EXPECT_EQ(entryList()->model()->rowCount(), 3);
        EXPECT_FALSE(ActiveMagicList.HasActiveEntryChanged());
        panel->close();
        settle();
    }
}

TEST_F(ListBoxTest, TheOpenListsRowIsFoundByItsFile) {
    // A public and a private list of one name: the box must point at the
    // one that is open, whichever comes first.
    makeList(2, 0);
    const QString publicList = writeOtherList(QStringLiteral("Holiday"), 3, true);
    BuildMagicListIndex();
    openPanel();
    EXPECT_EQ(panel->cmbName->count(), 2);
    EXPECT_EQ(panel->cmbName->currentIndex(), rowOf(ActiveMagicList.GetFilePath()));
    EXPECT_NE(rowOf(ActiveMagicList.GetFilePath()), rowOf(publicList));
}

TEST_F(ListBoxTest, ANameNotInTheBoxIsFoundByNameOrAdded) {
    makeList(2, 0);
    openPanel();
    const struct {
        const char* name;
        int rows;
        const char* shown;
    } cases[] = {{"  holiday ", 1, "Holiday"}, {"Work", 2, "Work"}};
    for (const auto& c : cases) {
        ActiveMagicList.SetListName(QString::fromLatin1(c.name));
        ActiveMagicList.ClearFilePath();
        panel->FillEntryList();
        EXPECT_EQ(panel->cmbName->count(), c.rows) << c.name;
        EXPECT_EQ(panel->cmbName->currentText(), QString::fromLatin1(c.shown));
    }
    // The row added for a list the index does not hold leads nowhere.
    EXPECT_EQ(panel->cmbName->itemData(1).toInt(), 0);
    pick(1);
    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("Work"));
}

TEST_F(ListBoxTest, DeletingTheOpenListDeletesItsOwnFileOnly) {
    makeList(3, 0);
    const QString mine = ActiveMagicList.GetFilePath();
    const QString twin = writeOtherList(QStringLiteral("Holiday"), 2, true);
    BuildMagicListIndex();
    openPanel();
    panel->DeleteCurrentList();
    settle();
    EXPECT_FALSE(QFileInfo::exists(mine));
    EXPECT_TRUE(QFileInfo::exists(twin));
    EXPECT_EQ(ActiveMagicList.GetFilePath(), twin);
    EXPECT_EQ(ListIndexCount, 1);
    EXPECT_EQ(panel->cmbName->count(), 1);
    EXPECT_EQ(panel->cmbName->currentIndex(), 0);
    EXPECT_EQ(activeListValue(), twin);
    EXPECT_TRUE(ActiveMagicList.HasActiveEntryChanged());
    EXPECT_EQ(entryList()->model()->rowCount(), 2);
    EXPECT_EQ(shownPath(), ActiveMagicList.GetEntryPath(0));
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 0);
}

class DeletedListTest : public ListBoxTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DeletedListTest, AListFileThatIsGoneOrNeverWasCountsAsDeleted) {
    const bool hadFile = GetParam();
    makeList(2, 0);
    const QString next = writeOtherList(QStringLiteral("Next"), 2);
    // A file removed behind the program's back, or a list never saved.
    QFile::remove(ActiveMagicList.GetFilePath());
    if (!hadFile)
        ActiveMagicList.ClearFilePath();
    BuildMagicListIndex();
    openPanel();
    panel->DeleteCurrentList();
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_EQ(ActiveMagicList.GetFilePath(), next);
    EXPECT_EQ(entryList()->model()->rowCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(GoneOrNever, DeletedListTest, ::testing::Bool());

TEST_F(ListBoxTest, AListFileThatCannotBeDeletedIsReportedAndKept) {
    makeList(3, 0);
    const QString mine = ActiveMagicList.GetFilePath();
    const QString other = writeOtherList(QStringLiteral("Other"), 2);
    BuildMagicListIndex();
    openPanel();
    // Something in the file's place that cannot be removed as a file.
    ASSERT_TRUE(QFile::remove(mine));
    ASSERT_TRUE(QDir().mkpath(mine + QStringLiteral("/inside")));
    const int row = panel->cmbName->currentIndex();
    panel->DeleteCurrentList();
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message,
              standardErrorText(vberr::PermissionDenied) + QStringLiteral("\r\n") + mine);
    EXPECT_EQ(ActiveMagicList.GetFilePath(), mine);
    EXPECT_EQ(entryNames(), (QStringList{"A", "B", "C"}));
    for (int16_t i = 0; i < 3; ++i)
        EXPECT_TRUE(QFileInfo::exists(ActiveMagicList.GetEntryPath(i)));
    EXPECT_EQ(panel->cmbName->currentIndex(), row);
    EXPECT_EQ(entryList()->model()->rowCount(), 3);
    EXPECT_TRUE(QFileInfo::exists(other));
}

TEST_F(ListBoxTest, DeletingTheOnlyListLeavesTheListTheIndexMakes) {
    makeList(2, 0);
    const QString mine = ActiveMagicList.GetFilePath();
    openPanel();
    panel->DeleteCurrentList();
    // The index is never empty: the fresh list was given a file of its own.
    EXPECT_EQ(ListIndexCount, 1);
    EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("My Magic List"));
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    EXPECT_FALSE(ActiveMagicList.GetFilePath().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(ActiveMagicList.GetFilePath()));
    EXPECT_EQ(panel->cmbName->currentText(), QStringLiteral("My Magic List"));
    EXPECT_EQ(windows.count(QStringLiteral("NoFiles")), 1);
    EXPECT_EQ(entryList()->model()->rowCount(), 0);
    EXPECT_FALSE(panel->picImage->hasPicture());
    EXPECT_EQ(panel->CurrentEntry, -1);
    EXPECT_EQ(activeListValue(), ActiveMagicList.GetFilePath());
    EXPECT_NE(mine, QString());
}

} // namespace
