#pragma once

#include "engine/Windows.h"

// The program's real windows, as app/ hands them to the engine.
class PanelWindows final : public NoProgramWindows {
public:
    bool has(LaterWindow window) const override;
    QWidget* createControlPanel() override;
    void refreshMagicList(QWidget* panel) override;
    void offerToFillEmptyList(QWidget* panel) override;
    CropAnswer runCropDialog(const CropRequest& request) override;
    void runColorPicker(ColorPickerFields& fields) override;
    void runScheduleDialog() override;
    void runOptionsDialog() override;
    void runUpdateWindow(int16_t updateMode) override;
    void runBadConnectionNotice() override;
};
