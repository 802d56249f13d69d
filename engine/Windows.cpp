#include "engine/Windows.h"

bool PanelLoaded = false;

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
