#include "gui/forms/frmEndProg.h"

#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmEndProg::frmEndProg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmEndProg"));
    setWindowTitle(QStringLiteral("Tapestrel"));
    setWindowIcon(programIcon());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(programIcon().pixmap(64, 64));
    Check1 = new QCheckBox(QStringLiteral("Automatically restart on reboot"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* right = new QVBoxLayout;
    right->addWidget(Check1);
    right->addStretch();
    right->addLayout(buttons);
    auto* row = new QHBoxLayout(this);
    row->addWidget(Image1, 0, Qt::AlignTop);
    row->addLayout(right);

    kit::on(cmdOK, &QPushButton::clicked, this, &frmEndProg::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmEndProg::cmdCancel_Click);
    kit::on(Check1, &QCheckBox::clicked, this, &frmEndProg::Check1_Click);

    Cancelled = true;
    Check1->setChecked(Options.AutoRestart);
    adjustSize();
    setFixedSize(size());
    CenterForm(this, 1);
}

void frmEndProg::cmdOK_Click() {
    Cancelled = false;
    hide();
}

void frmEndProg::cmdCancel_Click() {
    Cancelled = true;
    hide();
}

void frmEndProg::Check1_Click() {
    Options.AutoRestart = Check1->isChecked();
}

void frmEndProg::reject() {
    cmdCancel_Click();
    QDialog::reject();
}
