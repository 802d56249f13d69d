#include "panel/PanelWindows.h"

#include "editors/frmCrop.h"

bool PanelWindows::has(LaterWindow window) const {
    return window == LaterWindow::CropDialog;
}

CropAnswer PanelWindows::runCropDialog(const CropRequest& request) {
    return showCropDialog(request);
}
