#include "engine/ProgramResources.h"

#include <QtGlobal>

// The registration macro has to be used outside any namespace.
void initProgramResources() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Q_INIT_RESOURCE(tray);
    Q_INIT_RESOURCE(wallpaper);
}
