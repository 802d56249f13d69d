#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// The windows that the tray opens but that live in other parts of the
// program (the control panel, the list picker, the crop dialog, the drop
// window, the about box). The engine reaches them only through this
// interface, which app/ fills in; a window that is not there keeps its menu
// item disabled.

enum class LaterWindow { ControlPanel, ListPicker, CropDialog, DropWindow, AboutBox };

// What the crop dialog is opened with: the entry's crop (CropLeft -1 for
// none), rotation and background colour, and the picture it shows.
struct CropRequest {
    int32_t CropLeft = -1;
    int32_t CropTop = 0;
    int32_t CropWidth = 0;
    int32_t CropHeight = 0;
    int32_t CropRotation = 0;
    int32_t CropBackColor = 0;
    QString FileName;
};

// What it closes with. The dialog works in picture pixels of any size, so
// the values are wider than a list entry can keep.
struct CropAnswer {
    bool Cancelled = true;
    int32_t CropLeft = -1;
    int32_t CropTop = 0;
    int32_t CropWidth = 0;
    int32_t CropHeight = 0;
};

class ProgramWindows {
public:
    virtual ~ProgramWindows() = default;
    virtual bool has(LaterWindow window) const = 0;

    // A new control panel, not yet shown; null when there is none.
    virtual QWidget* createControlPanel() = 0;
    // Refills an open panel's views from the active list.
    virtual void refreshMagicList(QWidget* panel) = 0;
    // Lets the user pick another list, loads and shows it.
    virtual void selectAnotherMagicList() = 0;
    // Shows the crop dialog modally.
    virtual CropAnswer runCropDialog(const CropRequest& request) = 0;
    // A new drop window, not yet shown; null when there is none.
    virtual QWidget* createDropWindow() = 0;
    // Shows the one about box of the run modally.
    virtual void showAboutBox() = 0;
};

// None of the windows: what the engine runs with until app/ sets others.
class NoProgramWindows final : public ProgramWindows {
public:
    bool has(LaterWindow) const override { return false; }
    QWidget* createControlPanel() override { return nullptr; }
    void refreshMagicList(QWidget*) override {}
    void selectAnotherMagicList() override {}
    CropAnswer runCropDialog(const CropRequest&) override { return {}; }
    QWidget* createDropWindow() override { return nullptr; }
    void showAboutBox() override {}
};

ProgramWindows& programWindows();
// nullptr puts back the empty set.
void setProgramWindows(ProgramWindows* windows);

// True while a control panel is loaded; the panel keeps it.
extern bool PanelLoaded;
