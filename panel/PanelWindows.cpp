#include "panel/PanelWindows.h"

#include "editors/frmOptions.h"
#include "editors/frmSchedule.h"

bool PanelWindows::has(LaterWindow window) const {
    switch (window) {
    case LaterWindow::ScheduleDialog:
    case LaterWindow::OptionsDialog:
        return true;
    default:
        return false;
    }
}

void PanelWindows::runScheduleDialog() {
    frmSchedule dialog;
    dialog.showModal();
}

void PanelWindows::runOptionsDialog() {
    frmOptions dialog;
    dialog.showModal();
}
