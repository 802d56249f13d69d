#pragma once

#include "gui/forms/FormKit.h"

#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Set Fixed Crop Area": asks for the width and height of the fixed crop
// size, at most the picture's. The caller sets ImageWidth and ImageHeight,
// shows it, and unless Cancelled reads CropAreaWidth and CropAreaHeight.
class frmSetFixedWidth final : public FormDialog {
    Q_OBJECT
public:
    explicit frmSetFixedWidth(QWidget* parent = nullptr);

    // True after Cancel or the close box.
    bool Cancelled = false;
    int32_t CropAreaWidth = 0;
    int32_t CropAreaHeight = 0;
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;

    void cmdOK_Click();
    void cmdCancel_Click();

    QGroupBox* Frame1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* txtWidth;
    QLineEdit* txtHeight;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    void Form_Load() override;
};
