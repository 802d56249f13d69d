#pragma once

#include "engine/Windows.h"

// The program's real windows, as app/ hands them to the engine.
class PanelWindows final : public NoProgramWindows {
public:
    bool has(LaterWindow window) const override;
    void runUpdateWindow(int16_t updateMode) override;
    void runBadConnectionNotice() override;
};
