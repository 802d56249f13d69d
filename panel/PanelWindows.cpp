#include "panel/PanelWindows.h"

#include "editors/frmColors.h"

bool PanelWindows::has(LaterWindow window) const {
    switch (window) {
    case LaterWindow::ColorPicker:
        return true;
    default:
        return false;
    }
}

void PanelWindows::runColorPicker(ColorPickerFields& fields) {
    frmColors form;
    form.Red = fields.Red;
    form.Green = fields.Green;
    form.Blue = fields.Blue;
    form.UseOriginalColor = fields.UseOriginalColor;
    form.OriginalColor = fields.OriginalColor;
    form.Cancelled = fields.Cancelled;
    form.SelectedColor = fields.SelectedColor;
    form.showModal();
    fields.Red = form.Red;
    fields.Green = form.Green;
    fields.Blue = form.Blue;
    fields.Cancelled = form.Cancelled;
    fields.SelectedColor = form.SelectedColor;
}
