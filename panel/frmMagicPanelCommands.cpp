// The control panel's commands on the selected entries and its window
// commands: activate, crop, colour, move, rename, rotate, remove, schedule,
// options, overview, about, close and exit.

#include "editors/frmOptions.h"
#include "engine/BusyPointer.h"
#include "engine/EntryCommands.h"
#include "engine/ErrorWindow.h"
#include "engine/MagicList.h"
#include "engine/ProgramBusy.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "gui/StartUp.h"
#include "gui/forms/FormKit.h"
#include "panel/EntryMoves.h"
#include "panel/PanelWidgets.h"
#include "panel/SelectionMapping.h"
#include "panel/frmMagicPanel.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeView>

bool frmMagicPanel::eventFilter(QObject* watched, QEvent* e) {
    if (watched == lvEntries->viewport()) {
        // Drops are the panel's own: the view never takes its items' drags.
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(e);
            bool take = false;
            kit::guarded([&] { take = lvEntries_OLEDragOver(drag->mimeData()); });
            if (take)
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::DragLeave:
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(e);
            bool take = false;
            kit::guarded([&] {
                take = lvEntries_OLEDragOver(drop->mimeData());
                if (take)
                    lvEntries_OLEDragDrop(drop->mimeData(), drop->position().toPoint());
            });
            if (take)
                drop->acceptProposedAction();
            else
                drop->ignore();
            return true;
        }
        default:
            break;
        }
    } else if ((watched == cmdEntryUp || watched == cmdEntryDown) && !ProgramIsBusy()) {
        const bool up = watched == cmdEntryUp;
        if (e->type() == QEvent::MouseButtonPress) {
            kit::guarded([this, up] { up ? cmdEntryUp_MouseDown() : cmdEntryDown_MouseDown(); });
        } else if (e->type() == QEvent::MouseButtonRelease) {
            kit::guarded([this, up] { up ? cmdEntryUp_MouseUp() : cmdEntryDown_MouseUp(); });
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void frmMagicPanel::cmdActivate_Click() {
    ActivateSelectedEntry();
}

void frmMagicPanel::mnuListActive_Click() {
    ActivateSelectedEntry();
}

void frmMagicPanel::cmdClose_Click() {
    finishPendingPreview();
    ActiveMagicList.Save();
    // A changed active entry becomes the wallpaper as the panel closes: the
    // active entry itself, whatever the preview showed last.
    if (ActiveMagicList.HasActiveEntryChanged())
        activateEntry(ActiveMagicList.GetActiveEntry());
    picImage->clearPicture();
    close();
}

void frmMagicPanel::mnuFileClose_Click() {
    close();
}

void frmMagicPanel::mnuFileExit_Click() {
    EndProgram(true);
}

void frmMagicPanel::cmdCrop_Click() {
    const QModelIndex current = lvEntries->currentIndex();
    if (!current.isValid() || current.row() >= ActiveMagicList.GetCount()) {
        ShowErrorMessage(QStringLiteral("There is no selected wallpaper image to crop.  Select an "
                                        "entry in the Wallpaper Images list first, then use this "
                                        "button to crop the picture."),
                         0, QString());
        return;
    }
    const auto e = static_cast<int16_t>(current.row());
    const QString listFile = ActiveMagicList.GetFilePath();
    const CropRequest request = cropRequestFor(ActiveMagicList, e);
    const CropAnswer answer = programWindows().runCropDialog(request);
    if (!loaded_ || answer.Cancelled)
        return;
    if (ActiveMagicList.GetFilePath() != listFile) {
        refreshViews();
        return;
    }
    switch (applyCropAnswer(ActiveMagicList, e, request, answer)) {
    case CropOutcome::Applied:
        ActiveMagicList.Save();
        DisplaySelectedEntry(true);
        break;
    case CropOutcome::EntryGone:
        refreshViews();
        break;
    default:
        break;
    }
}

void frmMagicPanel::mnuCropSelected_Click() {
    cmdCrop_Click();
}

void frmMagicPanel::cmdCustom_Click() {
    ColorPickerFields fields;
    int32_t colour = -1;
    bool first = true;
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i) {
        if (!ActiveMagicList.GetEntrySelected(i))
            continue;
        const int32_t c = ActiveMagicList.GetEntryBackgroundColor(i);
        if (first) {
            colour = c;
            first = false;
        } else if (c != colour) {
            colour = -1;
            break;
        }
    }
    fields.UseOriginalColor = colour != -1;
    if (fields.UseOriginalColor)
        fields.OriginalColor = colour;
    const HeldSelection held = HeldSelection::of(ActiveMagicList);
    programWindows().runColorPicker(fields);
    if (fields.Cancelled || !selectionKept(held))
        return;
    ApplyBackgroundColor(fields.SelectedColor);
}

void frmMagicPanel::cmdSchedule_Click() {
    // The dialog works on the list's schedule itself.
    programWindows().runScheduleDialog();
    ActiveMagicList.Save();
}

// ---------------------------------------------------------------------------
// Moving entries

void frmMagicPanel::startMover(const QString& direction, int interval) {
    timMoverTag = direction;
    timMover->setInterval(interval);
    timMover->start();
}

void frmMagicPanel::stopMover() {
    timMover->stop();
}

void frmMagicPanel::cmdEntryUp_MouseDown() {
    startMover(QStringLiteral("UP"), 10);
}

void frmMagicPanel::cmdEntryDown_MouseDown() {
    startMover(QStringLiteral("DOWN"), 10);
}

void frmMagicPanel::cmdEntryUp_MouseUp() {
    stopMover();
}

void frmMagicPanel::cmdEntryDown_MouseUp() {
    stopMover();
}

void frmMagicPanel::mnuListMoveUp_Click() {
    startMover(QStringLiteral("UP"), 1);
}

void frmMagicPanel::mnuListMoveDown_Click() {
    startMover(QStringLiteral("DOWN"), 1);
}

void frmMagicPanel::timMover_Timer() {
    if (moverBusy_ || ProgramIsBusy())
        return;
    const QScopedValueRollback<bool> busy(moverBusy_, true);
    const int interval = timMover->interval();
    // The buttons repeat only while held: a release that went elsewhere (to
    // a window that opened meanwhile, outside the panel) ends it too.
    if (interval != 1 && QGuiApplication::mouseButtons() == Qt::NoButton) {
        stopMover();
        return;
    }
    finishPendingPreview();
    if (moverStep(ActiveMagicList, timMoverTag, CurrentEntry))
        FillEntryList();
    const int next = nextMoverInterval(interval);
    if (next == 0)
        stopMover();
    else if (next != interval)
        timMover->setInterval(next);
}

// ---------------------------------------------------------------------------
// Rename, rotate, remove

void frmMagicPanel::mnuRename_Click() {
    int16_t e = -1;
    for (int16_t i = static_cast<int16_t>(ActiveMagicList.GetCount() - 1); i >= 0; --i) {
        if (ActiveMagicList.GetEntrySelected(i)) {
            e = i;
            break;
        }
    }
    if (e < 0)
        return;
    RenameFields fields;
    fields.NewName = ActiveMagicList.GetEntryName(e);
    const HeldSelection held = HeldSelection::of(ActiveMagicList);
    programWindows().runRenameDialog(fields);
    if (fields.Cancelled || !selectionKept(held))
        return;
    ActiveMagicList.SetEntryName(e, fields.NewName);
    FillEntryList();
}

void frmMagicPanel::rotateSelection(int quarterTurns) {
    int rotated = 0;
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i) {
        if (!ActiveMagicList.GetEntrySelected(i))
            continue;
        rotateEntryQuarterTurns(ActiveMagicList, i, quarterTurns);
        ++rotated;
    }
    if (rotated > 0)
        DisplaySelectedEntry(true);
    else
        ShowErrorMessage(QStringLiteral("There are no selected wallpaper images to rotate.  Select "
                                        "any number of Wallpaper Images first, then use this "
                                        "button to rotate them."),
                         0, QString());
}

void frmMagicPanel::mnuRotate_Click(int16_t Index) {
    const int turns[] = {1, 3, 2};
    if (Index >= 0 && Index <= 2)
        rotateSelection(turns[Index]);
}

void frmMagicPanel::cmdRotate_Click() {
    rotateSelection(1);
}

void frmMagicPanel::cmdRemovePaper_Click() {
    finishPendingPreview();
    const HeldSelection held = HeldSelection::of(ActiveMagicList);
    if (held.isEmpty())
        return;
    const QString question =
        SelectedCount == 1
            ? QStringLiteral("Are you sure you want to delete this item from your Magic List?")
            : QStringLiteral("Are you sure you want to delete these items from your Magic List?");
    // The timer or the tray may have changed the list or the selection
    // while the question was open: then the entries asked about are not
    // the ones selected now, and nothing is removed.
    if (AskErrorQuestion(question, QString(), 68, QString()) != answer::Yes || !selectionKept(held))
        return;
    {
        // Thousands of entries take a moment; the list file is written
        // before the program's copies of their pictures are deleted, so
        // that no saved list names a picture that is gone.
        const BusyWork busy;
        const QList<int16_t> doomed = held.indexes();
        for (auto it = doomed.crbegin(); it != doomed.crend(); ++it)
            ActiveMagicList.DeleteItem(*it);
        ActiveMagicList.Save();
    }
    ActiveMagicList.SelectOnlyAcitve();
    CurrentEntry = -1;
    if (ActiveMagicList.GetCount() == 0)
        GetSomeFiles();
    FillEntryList();
    DisplaySelectedEntry(true);
    updateSelectionMenus();
}

void frmMagicPanel::mnuListRemove_Click() {
    cmdRemovePaper_Click();
}

// ---------------------------------------------------------------------------
// Options, overview, about

void frmMagicPanel::mnuFileOptions_Click() {
    // The border and the logo both change what the preview draws.
    if (runOptionsCommand().changesWallpaper() && loaded_)
        DisplaySelectedEntry(true);
}

void frmMagicPanel::mnuHelpOverview_Click() {
    OverviewFields fields;
    fields.FormLeft = kit::twipsX(x()) + 500;
    fields.FormTop = kit::twipsY(y()) + 500;
    programWindows().runOverview(fields);
}

void frmMagicPanel::mnuHelpAbout_Click() {
    programWindows().showAboutBox();
}
