#include "panel/ListCommands.h"

#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/ProgramBusy.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "gui/MainForm.h"
#include "panel/AddPictures.h"
#include "panel/PanelViews.h"
#include "panel/WebAddress.h"
#include "runtime/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <functional>

namespace {

const QString kQuestionTitleDelete = QStringLiteral("Delete List");

// Which list a command asked about, to tell after a question whether the
// open list is still that one.
struct OpenList {
    QString path;
    QString name;

    static OpenList now() { return {ActiveMagicList.GetFilePath(), ActiveMagicList.GetListName()}; }
    bool stillOpen() const {
        return !ProgramIsBusy() && path == ActiveMagicList.GetFilePath() &&
               name == ActiveMagicList.GetListName();
    }
};

bool limitedUser() {
    return !HasWriteAccess();
}

// After a command reordered or removed entries: the preview follows the
// entry it showed, or shows the active entry when that one is gone.
void followPreview(PanelViews& views, uint32_t previewed) {
    if (previewed != 0) {
        const int16_t index = ActiveMagicList.indexOfEntryId(previewed);
        if (index >= 0) {
            views.setCurrentEntry(index);
        } else {
            ActiveMagicList.SelectOnlyAcitve();
            // No entry is "already shown": the active one is drawn afresh.
            views.setCurrentEntry(-1);
        }
    }
    views.FillEntryList();
    views.UpdateSelectionState();
}

// Asks the question; on Yes, while the list asked about is still open,
// reorders the entries and lets the preview follow the entry it showed.
void reorderAfterAsking(PanelViews& views, const QString& message, const QString& question,
                        const QString& title, const std::function<void()>& reorder) {
    if (ProgramIsBusy())
        return;
    const OpenList asked = OpenList::now();
    if (AskErrorQuestion(message, question, 36, title) != answer::Yes || !asked.stillOpen())
        return;
    const uint32_t previewed = ActiveMagicList.entryId(views.currentEntry());
    reorder();
    followPreview(views, previewed);
}

// The index row the list-name box's current row names, when it is the row
// of the list file at `path`; 0 when there is none.
int16_t indexRowOf(PanelViews& views, const QString& path) {
    const int32_t n = views.currentListNumber();
    if (n < 1 || n > ListIndexCount || ListIndexEntries[n].ListPath != path)
        return 0;
    return static_cast<int16_t>(n);
}

} // namespace

void newMagicList(PanelViews& views) {
    if (ProgramIsBusy())
        return;
    ActiveMagicList.Save();
    ListNameFields dialog;
    programWindows().runListNameDialog(dialog);
    if (dialog.Cancelled || ProgramIsBusy())
        return;
    const clsMagicList previous = ActiveMagicList;
    ActiveMagicList.ReInitialize();
    ActiveMagicList.SetListName(dialog.ListName);
    if (dialog.ListIsPublic && !limitedUser())
        ActiveMagicList.SetPublic();
    else
        ActiveMagicList.SetPrivate();
    if (!ActiveMagicList.Save()) {
        // The save said why; the list that was open stays open.
        ActiveMagicList = previous;
        return;
    }
    BuildMagicListIndex();
    views.FillListNames();
    getSomeFiles(views);
    views.StoreActiveList();
    views.UpdateSelectionState();
}

void deleteMagicList(PanelViews& views) {
    if (ProgramIsBusy())
        return;
    const bool isPublic = ActiveMagicList.IsPublic();
    if (limitedUser() && isPublic) {
        ShowErrorMessage(QStringLiteral("Limited users cannot delete public Magic Lists!"), 48,
                         QString());
        return;
    }
    const OpenList asked = OpenList::now();
    const QString sure = QStringLiteral("Are you sure you want to delete this Magic List?");
    const int16_t reply =
        isPublic ? AskErrorQuestion(QStringLiteral("This is a public magic list.  If there are "
                                                   "other users on your computer using this "
                                                   "list, they will no longer be able to access "
                                                   "it."),
                                    sure, 36, kQuestionTitleDelete)
                 : AskErrorQuestion(sure, QString(), 36, kQuestionTitleDelete);
    if (reply != answer::Yes || !asked.stillOpen())
        return;
    views.DeleteCurrentList();
}

void renameMagicList(PanelViews& views) {
    if (ProgramIsBusy())
        return;
    if (limitedUser() && ActiveMagicList.IsPublic()) {
        ShowErrorMessage(QStringLiteral("Limited users cannot edit public Magic Lists!"), 48,
                         QString());
        return;
    }
    const OpenList asked = OpenList::now();
    ListNameFields dialog;
    dialog.ListName = ActiveMagicList.GetListName();
    dialog.ListIsPublic = ActiveMagicList.IsPublic();
    dialog.RenamedListPath = ActiveMagicList.GetFilePath();
    programWindows().runListNameDialog(dialog);
    if (dialog.Cancelled || !asked.stillOpen())
        return;

    const QString oldPath = ActiveMagicList.GetFilePath();
    const int16_t row = indexRowOf(views, oldPath);
    const clsMagicList before = ActiveMagicList;
    ActiveMagicList.SetListName(dialog.ListName);
    const bool makePublic = dialog.ListIsPublic && !limitedUser();
    if (makePublic != ActiveMagicList.IsPublic()) {
        // The list moves to the other folder: written there first, its old
        // file deleted only once the new one is whole.
        ActiveMagicList.ClearFilePath();
        if (makePublic)
            ActiveMagicList.SetPublic();
        else
            ActiveMagicList.SetPrivate();
        if (!ActiveMagicList.Save()) {
            // The save said why; name, file and folder stay as they were.
            ActiveMagicList = before;
            return;
        }
        if (!oldPath.isEmpty() && QFileInfo::exists(oldPath) && !QFile::remove(oldPath))
            ShowErrorMessage(standardErrorText(vberr::PermissionDenied) + QStringLiteral("\r\n") +
                                 oldPath,
                             0, QString());
    } else {
        ActiveMagicList.Save();
    }

    if (row > 0) {
        views.setCurrentListName(ActiveMagicList.GetListName());
        ListIndexEntries[row] =
            ListIndexEntry{ActiveMagicList.GetListName(), ActiveMagicList.GetFilePath()};
    } else {
        BuildMagicListIndex();
        views.FillListNames();
    }
    // The settings name the list's file as it is now.
    views.StoreActiveList();
}

void removeDuplicateEntries(PanelViews& views) {
    reorderAfterAsking(
        views,
        QStringLiteral("This function will make sure that none of the images in your list appear "
                       "more than once."),
        QStringLiteral("Are you sure you want to remove duplicate entires from the list?"),
        QStringLiteral("Remove Duplicate Entries"), [] {
            BusyWork busy;
            ActiveMagicList.RemoveDuplicates();
            // The list file first, then the copies of the removed pictures.
            ActiveMagicList.Save();
        });
}

void shuffleEntries(PanelViews& views) {
    reorderAfterAsking(views,
                       QStringLiteral("This function will randomly change the order of the "
                                      "images in your current magic list"),
                       QStringLiteral("Are you sure you want to shuffle this magic list?"),
                       QStringLiteral("Shuffle List"), [] { ActiveMagicList.RandomizeEntries(); });
}

void selectActiveEntry(PanelViews& views) {
    if (ProgramIsBusy())
        return;
    ActiveMagicList.SelectOnlyAcitve();
    views.FillEntryList();
    views.UpdateSelectionState();
}

void selectAllEntries(PanelViews& views) {
    if (ProgramIsBusy())
        return;
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i)
        ActiveMagicList.SetEntrySelected(i, true);
    views.FillEntryList();
    views.UpdateSelectionState();
}

QString toolsReceiverCaption() {
    return DropWindow ? QStringLiteral("Turn &Off Radur Eradeziro")
                      : QStringLiteral("Turn &On Radur Eradeziro");
}

void toggleDropWindow() {
    if (ProgramIsBusy())
        return;
    if (DropWindow)
        CloseDropWindow();
    else
        ShowDropWindow();
}

void openWebSite() {
    OpenWebPage(projectWebAddress());
}
