#include "panel/PanelWindows.h"

bool PanelWindows::has(LaterWindow window) const {
    return isListWindow(window);
}
