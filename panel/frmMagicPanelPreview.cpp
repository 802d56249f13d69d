// The control panel's right half: the preview of the selection, its size
// and path, the placement buttons and the colour swatch, and the commands
// that show the current entry, set a colour or a placement.

#include "engine/BusyPointer.h"
#include "engine/DisplayEntry.h"
#include "engine/EntryCommands.h"
#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "engine/WallpaperPlacement.h"
#include "engine/WallpaperRender.h"
#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"
#include "panel/EntryListModel.h"
#include "panel/PanelColors.h"
#include "panel/PanelWidgets.h"
#include "panel/PreviewGeometry.h"
#include "panel/frmMagicPanel.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "runtime/RuntimeError.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeView>
#include <utility>
#include <vector>

namespace {

void uncheck(QRadioButton* b) {
    // Exclusive buttons can't all be off unless they let go of each other
    // for a moment.
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

void setColour(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

} // namespace

int32_t frmMagicPanel::GetContrastTextColor(int32_t color) const {
    return ::GetContrastTextColor(color, palette());
}

void frmMagicPanel::DisplaySelectedEntry(bool& forceReload) {
    showSelection(forceReload, false);
}

void frmMagicPanel::DisplaySelectedEntry(bool&& forceReload) {
    showSelection(forceReload, false);
}

void frmMagicPanel::showSelection(bool forceReload, bool deferRender) {
    const BusyPointer busy;
    try {
        SelectedCount = 0;
        int16_t firstSelected = -1;
        int16_t commonPosition = -1;
        int32_t commonColor = -1;
        for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i) {
            if (!ActiveMagicList.GetEntrySelected(i))
                continue;
            ++SelectedCount;
            if (SelectedCount == 1) {
                firstSelected = i;
                commonPosition = ActiveMagicList.GetEntryPosition(i);
                commonColor = ActiveMagicList.GetEntryBackgroundColor(i);
            } else {
                if (ActiveMagicList.GetEntryPosition(i) != commonPosition)
                    commonPosition = -1;
                if (ActiveMagicList.GetEntryBackgroundColor(i) != commonColor)
                    commonColor = -1;
            }
        }
        const bool enabled = SelectedCount != 0;
        if (!enabled) {
            for (QRadioButton* b : optPosition)
                uncheck(b);
            lblSize->setText(QString());
            lblFullPath->setText(QString());
            lblFullPath->setToolTip(QString());
            clearPreview();
        }
        for (QWidget* w :
             {static_cast<QWidget*>(cmdEntryUp), static_cast<QWidget*>(cmdEntryDown),
              static_cast<QWidget*>(cmdRemovePaper), static_cast<QWidget*>(cmdActivate)})
            w->setEnabled(enabled);
        // The menus that act on the selection follow it too.
        updateSelectionMenus();
        for (QRadioButton* b : optPosition)
            b->setEnabled(enabled);
        if (commonPosition == -1) {
            for (QRadioButton* b : optPosition)
                uncheck(b);
        } else if (commonPosition >= 1 && commonPosition <= 4) {
            optPosition[commonPosition - 1]->setChecked(true);
        }
        if (commonColor == -1)
            commonColor = kButtonFace;
        if (SelectedCount > 1) {
            lblFullPath->setText(QString());
            lblFullPath->setToolTip(QString());
            lblSize->setText(QString());
        }
        const QColor swatch = paintColor(commonColor, palette());
        setColour(picBackground, QPalette::Window, swatch);
        setColour(lblBackground, QPalette::WindowText, contrastTextColor(swatch));
        picImage->setBackColor(swatch);

        const bool reload = SelectedCount == 1 && (firstSelected != CurrentEntry || forceReload);
        if (!reload) {
            if (SelectedCount > 1)
                clearPreview();
            // A preview waiting for another entry is no longer wanted.
            if (SelectedCount != 1 || pendingPreview_ != firstSelected)
                pendingPreview_ = -1;
            return;
        }
        CurrentEntry = firstSelected;
        if (deferRender)
            schedulePreview(firstSelected);
        else
            renderPreview(firstSelected);
    } catch (const RuntimeError&) {
        clearPreview();
        ShowErrorMessage(QStringLiteral("Unable to display image"), 0, QString());
    }
}

void frmMagicPanel::schedulePreview(int16_t entry) {
    // The render waits until the events queued now are handled: a held
    // arrow key moves on through the list, and only the entry it stops at
    // is drawn.
    pendingPreview_ = entry;
    if (previewQueued_)
        return;
    previewQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        previewQueued_ = false;
        kit::guarded([this] { finishPendingPreview(); });
    });
}

void frmMagicPanel::finishPendingPreview() {
    if (pendingPreview_ < 0 || rendering_ || !loaded_)
        return;
    const int16_t entry = std::exchange(pendingPreview_, int16_t(-1));
    if (entry < ActiveMagicList.GetCount())
        renderPreview(entry);
}

void frmMagicPanel::clearPreview() {
    picImage->clearPicture();
}

void frmMagicPanel::renderPreview(int16_t entry) {
    if (rendering_) {
        // A refresh while the failure question of a render is open: drawn
        // once the question has closed.
        schedulePreview(entry);
        return;
    }
    {
        const QScopedValueRollback<bool> busy(rendering_, true);
        const BusyPointer pointer;
        ++previewRenders_;
        const QString path = ActiveMagicList.GetEntryPath(entry);
        try {
            const Screen& screen = *services().screen;
            frmLeadControl host;
            int16_t position = ActiveMagicList.GetEntryPosition(entry);
            const int32_t left = ActiveMagicList.GetEntryLeft(entry);
            const int32_t top = ActiveMagicList.GetEntryTop(entry);
            const int32_t width = ActiveMagicList.GetEntryWidth(entry);
            const int32_t height = ActiveMagicList.GetEntryHeight(entry);
            int32_t rotation = ActiveMagicList.GetEntryRotate(entry);
            const int32_t code =
                BuildWallpaperImage(host, path, position, left, top, width, height, rotation);
            if (code != 0) {
                previewFailed(entry, path, code);
            } else {
                if (ActiveMagicList.GetEntryPosition(entry) == 0) {
                    // The placement the renderer chose for the picture is
                    // kept, so that the desktop gets the same.
                    ActiveMagicList.SetEntryPosition(entry, position);
                    if (position == placement::Centre)
                        optPosition[1]->setChecked(true);
                    else if (position == placement::BestFit)
                        optPosition[3]->setChecked(true);
                }
                if (position == placement::Tile)
                    PlaceImageTiled(host);
                QString size = QString::number(LoadedImageWidth) + QStringLiteral(" x ") +
                               QString::number(LoadedImageHeight);
                if (left != -1)
                    size += QStringLiteral(" (cropped to ") + QString::number(width) +
                            QStringLiteral(" x ") + QString::number(height) + u')';
                lblSize->setText(size);
                const QImage rendered = host.LEAD1.takeImage();
                const PreviewPlacement placed = previewPlacement(
                    rendered.size(), QSize(screen.widthPixels(), screen.heightPixels()),
                    picImage->size(), Options.Border, position);
                if (placed.placed)
                    picImage->setPicture(rendered, placed.display, placed.clip);
                else
                    picImage->clearPicture();
                showPathCaption(path);
            }
        } catch (const RuntimeError&) {
            clearPreview();
            ShowErrorMessage(QStringLiteral("Unable to display '") + path + u'.', 0, QString());
        } catch (const std::bad_alloc&) {
            clearPreview();
            ShowErrorMessage(QStringLiteral("Unable to display '") + path + u'.', 0, QString());
        }
    }
    if (pendingPreview_ >= 0)
        schedulePreview(pendingPreview_);
}

void frmMagicPanel::showPathCaption(const QString& path) {
    lblFullPath->setToolTip(QString());
    lblFullPath->setText(FitTextToControl(lblFullPath, GetLongFileName(path)));
}

void frmMagicPanel::previewFailed(int16_t entry, const QString& path, int32_t code) {
    const QString message = QStringLiteral("There following error occurred while loading ") + path +
                            QStringLiteral("\r\n\r\nError: ") + QString::number(code) +
                            QStringLiteral("  ") + GetImageErrorText(code);
    const QString listFile = ActiveMagicList.GetFilePath();
    const int16_t answer = AskErrorQuestion(
        message, QStringLiteral("Do you want to remove this file from your Magic List?"), 20,
        QStringLiteral("Image Error"));
    if (!loaded_)
        return;
    clearPreview();
    if (answer != answer::Yes) {
        // The entry stays: the captions name it, and it has no size.
        showPathCaption(path);
        lblSize->setText(QString());
        return;
    }
    // The timer and the tray run while the question is open: only the entry
    // that failed is removed, and only if it is still there.
    if (ActiveMagicList.GetFilePath() == listFile && isSameEntry(ActiveMagicList, entry, path)) {
        ActiveMagicList.DeleteItem(entry);
        ActiveMagicList.SelectOnlyAcitve();
    }
    FillEntryList();
    CurrentEntry = -1;
    // The selection is shown again once this render has ended, so that a
    // list whose pictures all fail asks one question at a time.
    QMetaObject::invokeMethod(
        this, [this] { kit::guarded([this] { UpdateSelectionState(); }); }, Qt::QueuedConnection);
}

void frmMagicPanel::UpdateSelectionState() {
    if (selectionBusy_)
        return;
    const QScopedValueRollback<bool> busy(selectionBusy_, true);
    const BusyPointer pointer;
    SelectedCount = 0;
    const int rows = entries_->rowCount();
    std::vector<bool> selected(static_cast<size_t>(rows), false);
    for (const QItemSelectionRange& r : lvEntries->selectionModel()->selection())
        for (int i = r.top(); i <= r.bottom() && i < rows; ++i)
            selected[static_cast<size_t>(i)] = true;
    for (int k = 0; k < rows; ++k) {
        const auto index =
            static_cast<int16_t>(entries_->index(k).data(EntryListModel::TagRole).toInt());
        if (selected[static_cast<size_t>(k)]) {
            ++SelectedCount;
            ActiveMagicList.SetEntrySelected(index, true);
        } else {
            ActiveMagicList.SetEntrySelected(index, false);
        }
    }
    updateSelectionMenus();
    showSelection(false, true);
}

void frmMagicPanel::ActivateSelectedEntry() {
    finishPendingPreview();
    // An index the list no longer has falls back on the active entry; an
    // empty list shows nothing.
    if (CurrentEntry < 0 || CurrentEntry >= ActiveMagicList.GetCount())
        CurrentEntry = ActiveMagicList.GetActiveEntry();
    if (CurrentEntry < 0 || CurrentEntry >= ActiveMagicList.GetCount())
        return;
    activateEntry(CurrentEntry);
    bool unused = false;
    UpdateNextChangeLabel(unused);
}

void frmMagicPanel::activateEntry(int16_t index) {
    const int16_t count = ActiveMagicList.GetCount();
    if (index < 0 || index >= count)
        return;
    DisplayListEntry(ActiveMagicList, index, true);
    // A picture that could not be shown may have gone from the list.
    if (loaded_ && ActiveMagicList.GetCount() != count)
        refreshViews();
}

void frmMagicPanel::ApplyBackgroundColor(int32_t& color) {
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i) {
        if (ActiveMagicList.GetEntrySelected(i))
            ActiveMagicList.SetEntryBGColor(i, color);
    }
    DisplaySelectedEntry(true);
}

void frmMagicPanel::optPosition_Click(int16_t Index) {
    const auto position = static_cast<int16_t>(Index + 1);
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i) {
        if (ActiveMagicList.GetEntrySelected(i))
            ActiveMagicList.SetEntryPosition(i, position);
    }
    DisplaySelectedEntry(true);
}
