#include "panel/WebAddress.h"

#if !defined(TAPESTREL_WEB_ADDRESS) || !defined(TAPESTREL_SUPPORT_EMAIL)
#error "TAPESTREL_WEB_ADDRESS and TAPESTREL_SUPPORT_EMAIL are set by the build"
#endif

QString projectWebAddress() {
    return QStringLiteral(TAPESTREL_WEB_ADDRESS);
}

QString projectSupportEmail() {
    return QStringLiteral(TAPESTREL_SUPPORT_EMAIL);
}
