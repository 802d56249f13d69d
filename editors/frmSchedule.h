#pragma once

#include "gui/forms/FormKit.h"

#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Sets when the active Magic List changes the wallpaper by itself. The
// dialog reads the schedule of the global list when it opens and writes
// its boxes back into that list with OK and Apply; it keeps nothing of its
// own. The tray stays usable while it is open, so before it writes it
// checks that the global list is still the list it opened on: if another
// list was opened meanwhile, it writes nothing and says so.
//
// Of the four schedule kinds only "Timer:" and "Manual:" can be chosen; the
// panels of the other two show when the list already holds one of them.
class frmSchedule final : public FormDialog {
    Q_OBJECT
public:
    explicit frmSchedule(QWidget* parent = nullptr);

    // The kinds of schedule, 0 to 3, each with its "Ex:" label and example.
    std::array<QRadioButton*, 4> optType{};
    std::array<QLabel*, 4> lblEx{};
    std::array<QLabel*, 4> lblExample{};

    QLabel* lblLastUpdate;
    QLabel* lblNextUpdate;

    // One panel per kind, shown one at a time.
    std::array<QGroupBox*, 4> fraOpt{};
    QLineEdit* txtInterval;
    QComboBox* cmbIntervalUnit;
    QComboBox* cmbHour;
    QLineEdit* txtCounter;

    QCheckBox* chkDaysOnly;
    // Index 1 is Sunday, 7 Saturday; index 0 is unused.
    std::array<QCheckBox*, 8> chkDays{};
    QCheckBox* chkHoursOnly;
    QLabel* lblStart;
    QLabel* lblEnd;
    QComboBox* cmbStartTime;
    QComboBox* cmbEndTime;

    QPushButton* cmdClose; // "OK"
    QPushButton* cmdCancel;
    QPushButton* cmdApply;

    void FillScheduleLists();
    void LoadSchedule();
    // Writes the boxes into the list; false when the list the dialog opened
    // on is no longer the active one (reported, nothing written).
    bool SaveSchedule();

    void cmdClose_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    void optType_Click();
    void chkDaysOnly_Click();
    void chkHoursOnly_Click();

    // What the error window says when the list changed under the dialog.
    static QString listChangedMessage();

protected:
    void Form_Load() override;

private:
    void showNextUpdate();

    // The file of the list the dialog opened on.
    QString openedListPath_;
};
