// The control panel's commands on whole lists, its ways of adding pictures
// and its Help menu: each hands over to the shared command and lets it call
// back into the panel's views.

#include "editors/HelpCommands.h"
#include "engine/ProgramBusy.h"
#include "gui/forms/FormKit.h"
#include "panel/AddPictures.h"
#include "panel/EntryListModel.h"
#include "panel/ListCommands.h"
#include "panel/PanelViews.h"
#include "panel/frmMagicPanel.h"
#include "update/UpdateCommand.h"

#include <QAction>
#include <QComboBox>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

// The panel's procedures as the shared commands call them.
class frmMagicPanel::Views final : public PanelViews {
public:
    explicit Views(frmMagicPanel& panel) : panel_(panel) {}

    QWidget* panelWindow() override { return &panel_; }
    void FillEntryList() override { panel_.FillEntryList(); }
    void StoreActiveList() override { panel_.StoreActiveList(); }
    void FillListNames() override { panel_.FillListNames(); }
    void UpdateSelectionState() override { panel_.UpdateSelectionState(); }
    void DisplaySelectedEntry(bool forceReload) override {
        panel_.DisplaySelectedEntry(forceReload);
    }
    void DeleteCurrentList() override { panel_.DeleteCurrentList(); }
    void clearEntryList() override { panel_.entries_->setRows(0); }
    void focusEntryList() override { panel_.lvEntries->setFocus(); }
    int16_t currentEntry() const override { return panel_.CurrentEntry; }
    void setCurrentEntry(int16_t index) override { panel_.CurrentEntry = index; }
    int32_t currentListNumber() const override {
        const int row = panel_.cmbName->currentIndex();
        return row < 0 ? -1 : panel_.cmbName->itemData(row).toInt();
    }
    void setCurrentListName(const QString& name) override {
        const int row = panel_.cmbName->currentIndex();
        if (row >= 0)
            panel_.cmbName->setItemText(row, name);
    }

private:
    frmMagicPanel& panel_;
};

std::unique_ptr<PanelViews> frmMagicPanel::makeViews() {
    return std::make_unique<Views>(*this);
}

void frmMagicPanel::GetSomeFiles() {
    getSomeFiles(*views_);
}

void frmMagicPanel::cmdNewEntry_Click() {
    addImageFiles(*views_);
}

void frmMagicPanel::mnuListOpen_Click() {
    addImageFiles(*views_);
}

void frmMagicPanel::mnuListNew_Click() {
    newMagicList(*views_);
}

void frmMagicPanel::mnuListDelete_Click() {
    deleteMagicList(*views_);
}

void frmMagicPanel::mnuListRename_Click() {
    renameMagicList(*views_);
}

void frmMagicPanel::mnuListFindActive_Click() {
    selectActiveEntry(*views_);
}

void frmMagicPanel::mnuListSelectAll_Click() {
    selectAllEntries(*views_);
}

void frmMagicPanel::mnuListRemoveDups_Click() {
    finishPendingPreview();
    removeDuplicateEntries(*views_);
}

void frmMagicPanel::mnuListShuffle_Click() {
    finishPendingPreview();
    shuffleEntries(*views_);
}

void frmMagicPanel::mnuTools_Click() {
    mnuToolsReceiver->setText(toolsReceiverCaption());
}

void frmMagicPanel::mnuToolsReceiver_Click() {
    toggleDropWindow();
}

void frmMagicPanel::mnuWebSite_Click() {
    openWebSite();
}

void frmMagicPanel::mnuUpdates_Click() {
    checkForSoftwareUpdates(this);
}

void frmMagicPanel::mnuHelpContents_Click() {
    showHelpContents(windowTitle());
}

void frmMagicPanel::mnuHelpIndex_Click() {
    showHelpIndex(windowTitle());
}

bool frmMagicPanel::lvEntries_OLEDragOver(const QMimeData* data) {
    return bringsFiles(data) && !ProgramIsBusy();
}

void frmMagicPanel::lvEntries_OLEDragDrop(const QMimeData* data, const QPoint& at) {
    const QStringList files = droppedFiles(data);
    if (files.isEmpty() || ProgramIsBusy())
        return;
    const QModelIndex item = lvEntries->indexAt(at);
    const auto dropIndex =
        static_cast<int16_t>(item.isValid() ? item.data(EntryListModel::TagRole).toInt() : -1);
    // The files are added once the drop has ended, so the program they
    // were dragged from is not kept waiting while hundreds are added.
    const QPointer<frmMagicPanel> self(this);
    QTimer::singleShot(0, this, [self, files, dropIndex] {
        if (self && self->loaded_)
            kit::guarded([&] { dropOnEntryList(*self->views_, files, dropIndex); });
    });
}
