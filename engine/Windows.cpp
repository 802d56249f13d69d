#include "engine/Windows.h"

namespace {

NoProgramWindows noWindows;
ProgramWindows* current = &noWindows;

} // namespace

ProgramWindows& programWindows() {
    return *current;
}

void setProgramWindows(ProgramWindows* windows) {
    current = windows ? windows : &noWindows;
}
