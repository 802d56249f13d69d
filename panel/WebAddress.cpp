#include "panel/WebAddress.h"

#ifndef TAPESTREL_WEB_ADDRESS
#error "TAPESTREL_WEB_ADDRESS is set by the build"
#endif

QString projectWebAddress() {
    return QStringLiteral(TAPESTREL_WEB_ADDRESS);
}
