#pragma once

#include "gui/forms/FormKit.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The display options: the border every wallpaper keeps from the screen's
// edges and whether the logo is drawn into it. OK stores what changed in
// the settings and saves them; closing the window stores nothing.
class frmOptions final : public FormDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    QTabWidget* TabStrip1;
    // The pages of the tabs; page 1 is the display page.
    std::array<QGroupBox*, 2> fraHolder{};
    QLineEdit* txtBorder;
    QCheckBox* chkDisplayLogo;
    QPushButton* cmdClose; // "OK"

    void TabStrip1_Click();
    // The focus selects the border's text and the keys go through the
    // numeric filter (kit::TextBoxEvents); leaving an empty box writes "0".
    void txtBorder_LostFocus();
    void cmdClose_Click();

protected:
    void Form_Load() override;

private:
    void showDisplayPage();
};

// What the options command changed.
struct OptionsChanges {
    bool border = false;
    bool logo = false;
    // Either changes what a wallpaper looks like, so a preview drawn before
    // is out of date.
    bool changesWallpaper() const { return border || logo; }
};

// The options command of the control panel's Tools menu: opens the options
// dialog and tells what it changed.
OptionsChanges runOptionsCommand();
