#pragma once

#include <cstdint>

// The system's version code as the program's version table numbers it:
// this system counts as the newest family the table knows (7), so long
// file names are the names themselves.
constexpr int16_t kSystemVersionCode = 7;
