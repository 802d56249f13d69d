#pragma once

#include "gui/forms/FormKit.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Offers the ways to fill an empty Magic List. The first page asks which
// way; "OK" turns to the second page, which explains the way chosen; "OK"
// there ends the dialog with the choice, "Cancel" goes back. The caller
// reads NoFilesChoice: -1 nothing chosen, 0 browse for pictures, 1 drag
// them onto the control panel, 2 use the drop window, 3 copy the samples.
// "Don't show me this window again" clears Options.ShowEmptyDialog as soon
// as either button is pressed on the first page.
class frmNoFiles : public FormDialog {
    Q_OBJECT
public:
    explicit frmNoFiles(QWidget* parent = nullptr);

    int16_t NoFilesChoice = -1;

    QGroupBox* Frame1;
    QLabel* lblHeading;
    QLabel* lblIntro;
    // By way: 0 browse, 1 drag onto the panel, 2 the drop window, 3 samples.
    std::array<QRadioButton*, 4> optFileType{};
    QCheckBox* chkDontShow;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    // The second page, one frame per way.
    std::array<QGroupBox*, 4> fraDetails{};
    // The picture of the panel's Add button; clicking it does nothing.
    QPushButton* cmdAddPicture;

    void cmdOK_Click();
    void cmdCancel_Click();

    // 1 or 2.
    int page() const { return page_; }

protected:
    void Form_Load() override;
    // The close box ends the dialog with nothing chosen, from either page.
    void titleBarClose() override;

private:
    QGroupBox* makeDetails(int way);
    void showFirstPage();

    int page_ = 1;
};
