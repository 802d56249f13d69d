#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// What the list commands and the ways of adding pictures ask of the control
// panel: its own procedures, which refill its views from the active list.
// The panel implements this interface and passes itself to the commands
// (AddPictures.h, ListCommands.h); tests pass a recording stand-in.
class PanelViews {
public:
    virtual ~PanelViews() = default;

    // The panel's window: the owner of the file dialog (may be null).
    virtual QWidget* panelWindow() = 0;

    // The panel's procedures of the same names.
    virtual void FillEntryList() = 0;
    virtual void StoreActiveList() = 0;
    virtual void FillListNames() = 0;
    virtual void UpdateSelectionState() = 0;
    virtual void DisplaySelectedEntry(bool forceReload) = 0;
    virtual void DeleteCurrentList() = 0;

    // Removes every item of the entry list (lvEntries).
    virtual void clearEntryList() = 0;
    // Gives the entry list the focus.
    virtual void focusEntryList() = 0;

    // CurrentEntry: the entry the preview shows, -1 for none.
    virtual int16_t currentEntry() const = 0;
    virtual void setCurrentEntry(int16_t index) = 0;

    // The list-name box (cmbName): the ItemData of its current row, or -1
    // when no row is current; and that row's text.
    virtual int32_t currentListNumber() const = 0;
    virtual void setCurrentListName(const QString& name) = 0;
};
