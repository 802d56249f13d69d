#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// Asks before the program ends, and whether it should start again at the
// next logon. The caller reads Cancelled after the window is hidden.
class frmEndProg : public QDialog {
    Q_OBJECT
public:
    explicit frmEndProg(QWidget* parent = nullptr);

    // True from the start, so that closing the window counts as Cancel.
    bool Cancelled = true;

    QLabel* Image1;
    QCheckBox* Check1;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void cmdOK_Click();
    void cmdCancel_Click();
    void Check1_Click();

    // Escape and the window's close box answer as Cancel does.
    void reject() override;
};
