#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// The windows that live above the engine: the control panel and its
// dialogs, the editors, the update window, the overview and the about box.
// Everything that opens one of them goes through this interface, which
// app/ fills in with the real windows; tests put in their own and answer
// each window by script. A window that is not there keeps the items that
// open it disabled.
//
// The dialogs keep the protocol of their forms: the caller fills the
// window's public fields, the window is shown modally, and the fields come
// back with the user's answer.

enum class LaterWindow {
    ControlPanel,
    ListPicker,
    CropDialog,
    DropWindow,
    AboutBox,
    ColorPicker,
    ScheduleDialog,
    OptionsDialog,
    ListNameDialog,
    NoFilesDialog,
    RenameDialog,
    Overview,
    UpdateWindow,
    BadConnectionNotice,
};

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

// The colour picker's public fields.
struct ColorPickerFields {
    int16_t Red = 0;
    int16_t Green = 0;
    int16_t Blue = 0;
    bool UseOriginalColor = false; // in: OriginalColor is the colour to start from
    int32_t OriginalColor = 0;
    bool Cancelled = false;    // out
    int32_t SelectedColor = 0; // out: the colour chosen with OK
};

// The list-name dialog's public fields.
struct ListNameFields {
    bool Cancelled = true;
    QString ListName;          // in: the name proposed; out: the name accepted
    bool ListIsPublic = false; // in: the list is public now; out: the choice
    QString RenamedListPath;   // in: the file of the list being renamed; empty for a new one
};

// The list picker's public fields.
struct ListPickerFields {
    bool Cancelled = true;
    int16_t PickedListNumber = 0; // the chosen row of the list index, from 1
};

// The empty-list dialog's answer.
struct NoFilesFields {
    // -1 nothing chosen; 0 browse for pictures; 1 drag them onto the control
    // panel; 2 use the drop window; 3 copy the sample pictures.
    int16_t NoFilesChoice = -1;
};

// The rename dialog's public fields.
struct RenameFields {
    bool Cancelled = true;
    QString ImagePath; // in: a dropped picture's full path, or empty
    QString NewName;   // in: the name proposed when ImagePath is empty; out: the name accepted
};

// Where the overview opens, in twips; 0 and 0 centre it on the screen.
struct OverviewFields {
    int32_t FormTop = 0;
    int32_t FormLeft = 0;
};

class ProgramWindows {
public:
    virtual ~ProgramWindows() = default;
    virtual bool has(LaterWindow window) const = 0;

    // A new control panel, not yet shown; null when there is none.
    virtual QWidget* createControlPanel() = 0;
    // Refills an open panel's views from the active list.
    virtual void refreshMagicList(QWidget* panel) = 0;
    // An open panel whose list has just become empty: refills it and offers
    // ways to fill the list, as a panel opened on an empty list does.
    virtual void offerToFillEmptyList(QWidget* panel) = 0;
    // A new drop window, not yet shown; null when there is none.
    virtual QWidget* createDropWindow() = 0;
    // Shows the one about box of the run modally.
    virtual void showAboutBox() = 0;

    // The modal dialogs, each shown on its fields.
    virtual CropAnswer runCropDialog(const CropRequest& request) = 0;
    virtual void runColorPicker(ColorPickerFields& fields) = 0;
    // Works on the active list's schedule itself.
    virtual void runScheduleDialog() = 0;
    virtual void runOptionsDialog() = 0;
    virtual void runListNameDialog(ListNameFields& fields) = 0;
    virtual void runListPicker(ListPickerFields& fields) = 0;
    virtual void runNoFilesDialog(NoFilesFields& fields) = 0;
    virtual void runRenameDialog(RenameFields& fields) = 0;
    virtual void runOverview(const OverviewFields& fields) = 0;
    // The update window, in the given mode (3: the user asked for it).
    virtual void runUpdateWindow(int16_t updateMode) = 0;
    // The notice that asks the user to connect by other means; it returns
    // once the machine is online or the user gave up.
    virtual void runBadConnectionNotice() = 0;
};

// None of the windows: what the engine runs with until app/ sets others.
// Every dialog answers as if the user had cancelled it.
class NoProgramWindows : public ProgramWindows {
public:
    bool has(LaterWindow) const override { return false; }
    QWidget* createControlPanel() override { return nullptr; }
    void refreshMagicList(QWidget*) override {}
    void offerToFillEmptyList(QWidget*) override {}
    QWidget* createDropWindow() override { return nullptr; }
    void showAboutBox() override {}
    CropAnswer runCropDialog(const CropRequest&) override { return {}; }
    void runColorPicker(ColorPickerFields& fields) override { fields.Cancelled = true; }
    void runScheduleDialog() override {}
    void runOptionsDialog() override {}
    void runListNameDialog(ListNameFields& fields) override { fields.Cancelled = true; }
    void runListPicker(ListPickerFields& fields) override { fields.Cancelled = true; }
    void runNoFilesDialog(NoFilesFields& fields) override { fields.NoFilesChoice = -1; }
    void runRenameDialog(RenameFields& fields) override { fields.Cancelled = true; }
    void runOverview(const OverviewFields&) override {}
    void runUpdateWindow(int16_t) override {}
    void runBadConnectionNotice() override {}
};

ProgramWindows& programWindows();
// nullptr puts back the empty set.
void setProgramWindows(ProgramWindows* windows);
