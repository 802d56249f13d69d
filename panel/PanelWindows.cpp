#include "panel/PanelWindows.h"

bool PanelWindows::has(LaterWindow) const {
    return false;
}
