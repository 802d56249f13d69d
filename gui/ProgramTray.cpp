#include "gui/Tray.h"

#include "platform/Services.h"

Tray& programTray() {
    if (Tray* tray = services().tray)
        return *tray;
    static FakeTray none = [] {
        FakeTray t;
        t.available = false;
        return t;
    }();
    return none;
}
