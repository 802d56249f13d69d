#include "editors/frmSetFixedWidth.h"

#include "editors/CropGeometry.h"
#include "engine/ErrorWindow.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/forms/TextBoxEvents.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmSetFixedWidth::frmSetFixedWidth(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmSetFixedWidth", QStringLiteral("Set Fixed Crop Area"));
    setFixedSize(kit::twipsSize(3900, 2370));

    Frame1 = kit::frame(this, "Frame1");
    Frame1->setGeometry(kit::twipsRect(120, 60, 3660, 1635));
    Label1 = kit::wrappedLabel(Frame1, "Label1",
                               QStringLiteral("Enter the size (in pixels) of your crop area."));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(kit::twipsRect(180, 180, 3300, 480));
    Label2 = kit::label(Frame1, "Label2", QStringLiteral("Width:"));
    Label2->setGeometry(kit::twipsRect(360, 780, 900, 255));
    txtWidth = kit::textBox(Frame1, "txtWidth");
    txtWidth->setGeometry(kit::twipsRect(1320, 735, 1200, 330));
    Label3 = kit::label(Frame1, "Label3", QStringLiteral("Height:"));
    Label3->setGeometry(kit::twipsRect(360, 1200, 900, 255));
    txtHeight = kit::textBox(Frame1, "txtHeight");
    txtHeight->setGeometry(kit::twipsRect(1320, 1155, 1200, 330));

    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setGeometry(kit::twipsRect(1380, 1830, 1110, 405));
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdCancel->setGeometry(kit::twipsRect(2670, 1830, 1110, 405));
    cmdCancel->setAutoDefault(false);
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);

    kit::on(cmdOK, &QPushButton::clicked, this, &frmSetFixedWidth::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmSetFixedWidth::cmdCancel_Click);
    // The focus selects a box's whole text, so typing replaces it.
    new kit::TextBoxEvents(txtWidth);
    new kit::TextBoxEvents(txtHeight);
}

void frmSetFixedWidth::Form_Load() {
    txtWidth->setText(QString::number(Options.FixedCropWidth));
    txtHeight->setText(QString::number(Options.FixedCropHeight));
}

void frmSetFixedWidth::cmdOK_Click() {
    const FixedSizeCheck check =
        checkFixedCropSize(txtWidth->text(), txtHeight->text(), ImageWidth, ImageHeight);
    if (!check.accepted) {
        ShowErrorMessage(check.message, check.buttons, QString());
        (check.heightAtFault ? txtHeight : txtWidth)->setFocus();
        return;
    }
    CropAreaWidth = check.width;
    CropAreaHeight = check.height;
    hide();
}

void frmSetFixedWidth::cmdCancel_Click() {
    Cancelled = true;
    hide();
}
