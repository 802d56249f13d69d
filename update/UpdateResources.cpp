#include "update/UpdateResources.h"

#include <QtGlobal>

void initUpdateResources() {
    Q_INIT_RESOURCE(update);
}
