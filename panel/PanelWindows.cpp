#include "panel/PanelWindows.h"

#include "editors/frmColors.h"
#include "editors/frmCrop.h"
#include "editors/frmOptions.h"
#include "editors/frmSchedule.h"
#include "panel/PanelResources.h"
#include "panel/frmAbout.h"
#include "panel/frmMagicPanel.h"
#include "panel/frmOverview.h"
#include "update/frmBadConnection.h"
#include "update/frmupdate.h"

#include "platform/Screen.h"
#include "platform/Services.h"

#include <QApplication>
#include <QWindow>

namespace {

// The open control panel, if any.
QWidget* openControlPanel() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmMagicPanel*>(w) && w->isVisible())
            return w;
    }
    return nullptr;
}

} // namespace

PanelWindows::~PanelWindows() {
    delete aboutBox_.data();
}

bool PanelWindows::has(LaterWindow window) const {
    if (isListWindow(window))
        return true;
    switch (window) {
    case LaterWindow::ControlPanel:
    case LaterWindow::CropDialog:
    case LaterWindow::ColorPicker:
    case LaterWindow::ScheduleDialog:
    case LaterWindow::OptionsDialog:
    case LaterWindow::UpdateWindow:
    case LaterWindow::BadConnectionNotice:
    case LaterWindow::Overview:
    case LaterWindow::AboutBox:
        return true;
    default:
        return false;
    }
}

QWidget* PanelWindows::createControlPanel() {
    initPanelResources();
    return new frmMagicPanel;
}

void PanelWindows::refreshMagicList(QWidget* panel) {
    if (auto* p = qobject_cast<frmMagicPanel*>(panel))
        p->RefreshMagicList();
}

void PanelWindows::offerToFillEmptyList(QWidget* panel) {
    if (auto* p = qobject_cast<frmMagicPanel*>(panel))
        p->offerToFillEmptyList();
}

CropAnswer PanelWindows::runCropDialog(const CropRequest& request) {
    return showCropDialog(request);
}

void PanelWindows::runColorPicker(ColorPickerFields& fields) {
    frmColors form;
    form.Red = fields.Red;
    form.Green = fields.Green;
    form.Blue = fields.Blue;
    form.UseOriginalColor = fields.UseOriginalColor;
    form.OriginalColor = fields.OriginalColor;
    form.Cancelled = fields.Cancelled;
    form.SelectedColor = fields.SelectedColor;
    form.showModal();
    fields.Red = form.Red;
    fields.Green = form.Green;
    fields.Blue = form.Blue;
    fields.Cancelled = form.Cancelled;
    fields.SelectedColor = form.SelectedColor;
}

void PanelWindows::runScheduleDialog() {
    frmSchedule dialog;
    dialog.showModal();
}

void PanelWindows::runOptionsDialog() {
    frmOptions dialog;
    dialog.showModal();
}

void PanelWindows::runUpdateWindow(int16_t updateMode) {
    frmupdate window;
    window.UpdateMode = updateMode;
    window.showModal();
}

void PanelWindows::runBadConnectionNotice() {
    frmBadConnection notice;
    notice.showModal();
}

void PanelWindows::runOverview(const OverviewFields& fields) {
    frmOverview overview;
    overview.FormTop = fields.FormTop;
    overview.FormLeft = fields.FormLeft;
    // Where the desktop places the windows (Wayland), the overview would
    // open wherever it puts new windows, not beside the panel: tied to
    // the panel, it is placed over it.
    if (QWidget* panel = openControlPanel(); panel && !services().screen->placesOwnWindows()) {
        overview.winId();
        if (QWindow* own = overview.windowHandle())
            own->setTransientParent(panel->windowHandle());
    }
    overview.showModal();
}

void PanelWindows::showAboutBox() {
    if (!aboutBox_)
        aboutBox_ = new frmAbout;
    // Asked for again while it is open (from the tray, over the panel's):
    // the open box comes to the front.
    if (aboutBox_->isVisible()) {
        aboutBox_->raise();
        aboutBox_->activateWindow();
        return;
    }
    aboutBox_->showModal();
}
