#pragma once

#include "engine/Windows.h"

#include <QPointer>

class frmAbout;

// The program's real windows, as app/ hands them to the engine.
class PanelWindows final : public NoProgramWindows {
public:
    ~PanelWindows() override;
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
    void runOverview(const OverviewFields& fields) override;
    void showAboutBox() override;

    // The list dialogs and the drop window (PanelWindowsLists.cpp).
    QWidget* createDropWindow() override;
    void runListNameDialog(ListNameFields& fields) override;
    void runListPicker(ListPickerFields& fields) override;
    void runNoFilesDialog(NoFilesFields& fields) override;
    void runRenameDialog(RenameFields& fields) override;

private:
    // The one about box of the run, made when first asked for.
    QPointer<frmAbout> aboutBox_;
};

// Whether the window is one of the list dialogs or the drop window.
bool isListWindow(LaterWindow window);
