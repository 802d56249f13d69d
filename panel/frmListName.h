#pragma once

#include "gui/forms/FormKit.h"

#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the name of a new Magic List, or a new name for the open one,
// and whether the list is public. The caller sets the fields, shows the
// dialog and reads Cancelled and, when it is False, ListName and
// ListIsPublic.
class frmListName : public FormDialog {
    Q_OBJECT
public:
    explicit frmListName(QWidget* parent = nullptr);

    bool Cancelled = true;
    QString ListName;
    bool ListIsPublic = false;
    // The file of the list being renamed; empty for a new list. That list
    // alone may keep its name: any other indexed list's name is taken.
    QString RenamedListPath;

    QGroupBox* Frame1;
    QLabel* lblQuestion;
    QLabel* lblExample;
    QLineEdit* txtListName;
    QCheckBox* chkPublic;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void chkPublic_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;

private:
    // The rows and buttons below the text box, with or without chkPublic.
    void layOut(bool withPublic);
};

// Whether a list name is one the dialog accepts for the list at
// renamedListPath (empty for a new list): 0 when it is, else 1 for a name
// that is empty or only blanks, 2 for a name another indexed list has
// (compared trimmed, without regard to letter case), 3 for a name longer
// than the list file can hold.
int listNameProblem(const QString& name, const QString& renamedListPath);
