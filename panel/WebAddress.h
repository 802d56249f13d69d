#pragma once

#include <QString>

// The project's addresses, build settings (TAPESTREL_WEB_ADDRESS and
// TAPESTREL_SUPPORT_EMAIL in CMakeLists.txt), one place for every window
// that names or opens them.
QString projectWebAddress();
QString projectSupportEmail();
