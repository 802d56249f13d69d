#include "update/UpdateResources.h"

#include <QtGlobal>

// The registration macro has to be used outside any namespace.
void initUpdateResources() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Q_INIT_RESOURCE(update);
}
