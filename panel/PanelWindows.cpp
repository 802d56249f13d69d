#include "panel/PanelWindows.h"

#include "update/frmBadConnection.h"
#include "update/frmupdate.h"

bool PanelWindows::has(LaterWindow window) const {
    switch (window) {
    case LaterWindow::UpdateWindow:
    case LaterWindow::BadConnectionNotice:
        return true;
    default:
        return false;
    }
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
