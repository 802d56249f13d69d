#pragma once

#include "gui/forms/FormKit.h"

#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;

// Lets the user choose one of the indexed Magic Lists. The caller rebuilds
// the index first, shows the dialog and reads Cancelled and, when it is
// False, PickedListNumber (a row of the index, from 1).
class frmPickMList : public FormDialog {
    Q_OBJECT
public:
    explicit frmPickMList(QWidget* parent = nullptr);

    bool Cancelled = true;
    int16_t PickedListNumber = 0;

    QLabel* lblList;
    // The lists by name; each item's data is its row of the index.
    QComboBox* cmbName;
    QPushButton* cmdOK;
    QPushButton* cmdClose;

    void cmdOK_Click();
    void cmdClose_Click();

protected:
    void Form_Load() override;
};
