#include "panel/PanelWindows.h"
#include "panel/frmDrop.h"
#include "panel/frmListName.h"
#include "panel/frmNoFiles.h"
#include "panel/frmPickMList.h"
#include "panel/frmRename.h"

bool isListWindow(LaterWindow window) {
    switch (window) {
    case LaterWindow::ListPicker:
    case LaterWindow::ListNameDialog:
    case LaterWindow::NoFilesDialog:
    case LaterWindow::RenameDialog:
    case LaterWindow::DropWindow:
        return true;
    default:
        return false;
    }
}

QWidget* PanelWindows::createDropWindow() {
    return new frmDrop;
}

void PanelWindows::runListNameDialog(ListNameFields& fields) {
    frmListName form;
    form.ListName = fields.ListName;
    form.ListIsPublic = fields.ListIsPublic;
    form.RenamedListPath = fields.RenamedListPath;
    form.showModal();
    fields.Cancelled = form.Cancelled;
    fields.ListName = form.ListName;
    fields.ListIsPublic = form.ListIsPublic;
}

void PanelWindows::runListPicker(ListPickerFields& fields) {
    frmPickMList form;
    form.showModal();
    fields.Cancelled = form.Cancelled;
    fields.PickedListNumber = form.PickedListNumber;
}

void PanelWindows::runNoFilesDialog(NoFilesFields& fields) {
    frmNoFiles form;
    form.showModal();
    fields.NoFilesChoice = form.NoFilesChoice;
}

void PanelWindows::runRenameDialog(RenameFields& fields) {
    frmRename form;
    form.ImagePath = fields.ImagePath;
    form.NewName = fields.NewName;
    form.showModal();
    fields.Cancelled = form.Cancelled;
    fields.NewName = form.NewName;
}
