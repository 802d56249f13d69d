#include "panel/PanelWindows.h"

#include "editors/frmCrop.h"
#include "panel/PanelResources.h"
#include "panel/frmMagicPanel.h"

bool PanelWindows::has(LaterWindow window) const {
    switch (window) {
    case LaterWindow::ControlPanel:
    case LaterWindow::CropDialog:
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
