#pragma once

#include <QString>

// The project's web address, one build setting (TAPESTREL_WEB_ADDRESS in
// CMakeLists.txt) for every window that names or opens it.
QString projectWebAddress();
