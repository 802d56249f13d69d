#include "editors/frmSchedule.h"

#include "editors/ScheduleValues.h"
#include "engine/ErrorWindow.h"
#include "engine/ProgramState.h"
#include "gui/forms/TextBoxEvents.h"
#include "runtime/Dates.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Where a kind's panel is shown, in twips from the window's corner.
constexpr int kPanelLeft = 4230;
constexpr int kPanelTop = 0;
constexpr int kPanelWidth = 4170;
constexpr int kPanelHeight = 2070;

// The rows of the kinds of schedule inside their frame.
constexpr int kFirstRowTop = 330;
constexpr int kRowPitch = 540;

using kit::place;

} // namespace

frmSchedule::frmSchedule(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmSchedule", QStringLiteral("Automatic Update Options:"), 5);
    setFixedSize(kit::twipsSize(8520, 5280));

    // Left, top: the kinds of schedule, each with an example.
    QGroupBox* fraType = kit::frame(this, "fraType", QStringLiteral("Automatic Update Options:"));
    place(fraType, 120, 60, 3990, 2550);
    const QString captions[] = {QStringLiteral("Timer:"), QStringLiteral("Schedule:"),
                                QStringLiteral("Counter:"), QStringLiteral("Manual:")};
    const QString examples[] = {QStringLiteral("Update my wallpaper every 20 minutes."),
                                QStringLiteral("Update my wallpaper at the top of each hour."),
                                QStringLiteral("Update my wallpaper 4 times each day."),
                                QStringLiteral("I will manually change my wallpaper.")};
    for (int i = 0; i < 4; ++i) {
        const int top = kFirstRowTop + i * kRowPitch;
        optType[i] = kit::option(fraType, kit::indexedName("optType", i).constData(), captions[i]);
        place(optType[i], 150, top, 1140, 300);
        lblEx[i] =
            kit::label(fraType, kit::indexedName("lblEx", i).constData(), QStringLiteral("Ex:"));
        place(lblEx[i], 1320, top + 30, 390, 270);
        lblExample[i] =
            kit::wrappedLabel(fraType, kit::indexedName("lblExample", i).constData(), examples[i]);
        lblExample[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(lblExample[i], 1740, top + 30, 2190, 480);
        kit::onCall(optType[i], &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                optType_Click();
        });
    }

    // Left, bottom: the last and the next change.
    QGroupBox* fraUpdates = kit::frame(this, "fraUpdates");
    place(fraUpdates, 120, 2700, 3990, 1710);
    place(kit::label(fraUpdates, "lblLastUpdateCaption", QStringLiteral("Last Update:")), 150, 390,
          1200, 270);
    lblLastUpdate = kit::label(fraUpdates, "lblLastUpdate");
    place(lblLastUpdate, 1380, 390, 2580, 270);
    place(kit::label(fraUpdates, "lblNextUpdateCaption", QStringLiteral("Next Update:")), 150, 870,
          1200, 270);
    lblNextUpdate = kit::label(fraUpdates, "lblNextUpdate");
    place(lblNextUpdate, 1380, 870, 2580, 270);

    // Right, top: one panel per kind.
    fraOpt[0] = kit::frame(this, "fraOpt0", QStringLiteral("Timer Options:"));
    place(kit::label(fraOpt[0], "lblUpdateEvery", QStringLiteral("Update Every:")), 180, 420, 1320,
          270);
    txtInterval = kit::textBox(fraOpt[0], "txtInterval");
    place(txtInterval, 1530, 390, 735, 315);
    cmbIntervalUnit = kit::comboBox(fraOpt[0], "cmbIntervalUnit");
    place(cmbIntervalUnit, 2340, 390, 1500, 315);
    place(kit::wrappedLabel(fraOpt[0], "lblTimerHint",
                            QStringLiteral("You determine the amount of time between updates.  "
                                           "Examples are 20 minutes, 4 hours, or 2 days.")),
          180, 900, 3810, 900);

    fraOpt[1] = kit::frame(this, "fraOpt1", QStringLiteral("Schedule Options:"));
    place(kit::label(fraOpt[1], "lblUpdateWallpaper", QStringLiteral("Update Wallpaper ")), 180,
          420, 1800, 270);
    cmbHour = kit::comboBox(fraOpt[1], "cmbHour");
    place(cmbHour, 180, 750, 3390, 315);
    place(kit::wrappedLabel(fraOpt[1], "lblScheduleHint",
                            QStringLiteral("This changes like the chimes on a clock.  Select the "
                                           "points of the hour your wallpaper changes.")),
          180, 1200, 3810, 780);

    fraOpt[2] = kit::frame(this, "fraOpt2", QStringLiteral("Counter Options:"));
    place(kit::label(fraOpt[2], "lblShow", QStringLiteral("Show")), 180, 420, 540, 270);
    txtCounter = kit::textBox(fraOpt[2], "txtCounter");
    place(txtCounter, 750, 390, 615, 315);
    place(kit::label(fraOpt[2], "lblEntriesEachDay", QStringLiteral("entries each day.")), 1440,
          420, 2000, 270);
    place(kit::wrappedLabel(fraOpt[2], "lblCounterHint",
                            QStringLiteral("Select how many entries to see each day.  Each will "
                                           "be displayed an equal amount of time.")),
          180, 900, 3810, 900);

    fraOpt[3] = kit::frame(this, "fraOpt3", QStringLiteral("Manual Options:"));
    place(kit::wrappedLabel(fraOpt[3], "lblManualHint",
                            QStringLiteral("You will manually change your wall paper from the "
                                           "Vellamore icon in your task bar.")),
          180, 420, 3810, 900);
    for (QGroupBox* panel : fraOpt) {
        place(panel, kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
        panel->hide();
    }

    // Right, bottom: the days and hours changes may fall on.
    QGroupBox* fraDays = kit::frame(this, "fraDays", QStringLiteral("Active Days && Valid Times:"));
    place(fraDays, kPanelLeft, 2160, kPanelWidth, 2250);
    chkDaysOnly =
        kit::checkBox(fraDays, "chkDaysOnly", QStringLiteral("Update On Selected Days Only:"));
    place(chkDaysOnly, 180, 330, 3810, 285);
    // Two rows, Monday first; the boxes are numbered from Sunday.
    const struct {
        int index;
        const char* caption;
        int left;
        int top;
    } days[] = {
        {2, "Mon:", 420, 660},  {3, "Tue:", 1320, 660}, {4, "Wed:", 2220, 660},
        {5, "Thu:", 3120, 660}, {6, "Fri:", 420, 960},  {7, "Sat:", 1320, 960},
        {1, "Sun:", 2220, 960},
    };
    for (const auto& d : days) {
        chkDays[d.index] = kit::checkBox(fraDays, kit::indexedName("chkDays", d.index).constData(),
                                         QString::fromLatin1(d.caption));
        place(chkDays[d.index], d.left, d.top, 870, 285);
        chkDays[d.index]->setEnabled(false);
    }
    chkHoursOnly =
        kit::checkBox(fraDays, "chkHoursOnly", QStringLiteral("Update only between these hours:"));
    place(chkHoursOnly, 180, 1350, 3810, 285);
    lblStart = kit::label(fraDays, "lblStart", QStringLiteral("Start:"));
    place(lblStart, 420, 1740, 600, 270);
    cmbStartTime = kit::comboBox(fraDays, "cmbStartTime");
    place(cmbStartTime, 1020, 1710, 1260, 315);
    lblEnd = kit::label(fraDays, "lblEnd", QStringLiteral("End:"));
    place(lblEnd, 2400, 1740, 480, 270);
    cmbEndTime = kit::comboBox(fraDays, "cmbEndTime");
    place(cmbEndTime, 2880, 1710, 1260, 315);
    for (QWidget* w : std::initializer_list<QWidget*>{lblStart, lblEnd, cmbStartTime, cmbEndTime})
        w->setEnabled(false);

    // Bottom right. Enter presses none of them.
    cmdClose = kit::button(this, "cmdClose", QStringLiteral("OK"));
    place(cmdClose, 5100, 4710, 1035, 375);
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    place(cmdCancel, 6225, 4710, 1035, 375);
    cmdApply = kit::button(this, "cmdApply", QStringLiteral("Apply"));
    place(cmdApply, 7350, 4710, 1035, 375);
    for (QPushButton* b : {cmdClose, cmdCancel, cmdApply}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setCancelButton(cmdCancel);

    kit::on(cmdClose, &QPushButton::clicked, this, &frmSchedule::cmdClose_Click);
    kit::on(cmdApply, &QPushButton::clicked, this, &frmSchedule::cmdApply_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmSchedule::cmdCancel_Click);
    kit::on(chkDaysOnly, &QCheckBox::toggled, this, &frmSchedule::chkDaysOnly_Click);
    kit::on(chkHoursOnly, &QCheckBox::toggled, this, &frmSchedule::chkHoursOnly_Click);
    // The focus selects the interval's whole text, so typing replaces it.
    new kit::TextBoxEvents(txtInterval);
}

QString frmSchedule::listChangedMessage() {
    return QStringLiteral("The schedule was not saved, because another Magic List was opened "
                          "while this window was open.");
}

void frmSchedule::Form_Load() {
    openedListPath_ = ActiveMagicList.GetFilePath();
    FillScheduleLists();
    LoadSchedule();
    lblLastUpdate->setText(formatGeneralDate(Options.LastUpdateTime));
    showNextUpdate();

    // Only "Timer:" and "Manual:" are offered: "Manual:" takes the second
    // row, with that row's "Ex:" label.
    optType[1]->hide();
    optType[2]->hide();
    lblExample[1]->hide();
    lblExample[2]->hide();
    lblEx[2]->hide();
    lblEx[3]->hide();
    optType[3]->move(optType[3]->x(), optType[1]->y());
    lblExample[3]->move(lblExample[3]->x(), lblExample[1]->y());
}

void frmSchedule::FillScheduleLists() {
    cmbStartTime->clear();
    cmbEndTime->clear();
    for (const HourItem& item : hourListItems(HourList::Start))
        cmbStartTime->addItem(item.text, item.hour);
    for (const HourItem& item : hourListItems(HourList::End))
        cmbEndTime->addItem(item.text, item.hour);

    cmbIntervalUnit->clear();
    for (const IntervalUnit& unit : intervalUnits())
        cmbIntervalUnit->addItem(unit.text, unit.minutes);
    cmbIntervalUnit->setCurrentIndex(0);

    cmbHour->clear();
    cmbHour->addItem(QStringLiteral("at the top of the hour"));
    cmbHour->addItem(QStringLiteral("at top and bottom of the hour"));
    cmbHour->addItem(QStringLiteral("on the quarter of the hour"));
}

void frmSchedule::LoadSchedule() {
    const clsMagicList& list = ActiveMagicList;
    const int16_t option = list.GetSchUpdateOption();
    if (option >= 0 && option <= 3)
        optType[option]->setChecked(true);
    else
        optType_Click();

    const int16_t unit = list.GetSchIntervalUnit();
    cmbIntervalUnit->setCurrentIndex(unitIndex(unit));
    txtInterval->setText(intervalText(list.GetSchInterval(), unit));

    for (int16_t d = 1; d <= 7; ++d)
        chkDays[d]->setChecked(list.GetSchUpdateOnDay(d));
    chkDaysOnly->setChecked(list.GetSchUpdateOnDaysOnly());

    // A list without the stored hour keeps no selection.
    cmbStartTime->setCurrentIndex(cmbStartTime->findData(list.GetSchUpdateStartHour()));
    cmbEndTime->setCurrentIndex(cmbEndTime->findData(list.GetSchUpdateEndHour()));
    chkHoursOnly->setChecked(list.GetSchUpdateOnHours());

    const int16_t mode = list.GetSchUpdateHour();
    cmbHour->setCurrentIndex(mode == 3 ? 2 : mode == 2 ? 1 : 0);

    txtCounter->setText(QString::number(list.GetSchUpdateCounter()));
}

bool frmSchedule::SaveSchedule() {
    if (ActiveMagicList.GetFilePath() != openedListPath_) {
        ShowErrorMessage(listChangedMessage(), 0, QString());
        return false;
    }
    clsMagicList& list = ActiveMagicList;
    int16_t option = 3;
    for (int16_t o = 0; o < 3; ++o) {
        if (optType[o]->isChecked()) {
            option = o;
            break;
        }
    }
    list.SetSchUpdateOption(option);

    // The unit and the interval go together, and only for an interval the
    // list can keep; otherwise both stay as they were.
    const int unitRow = cmbIntervalUnit->currentIndex();
    if (unitRow >= 0) {
        const IntervalUnit& unit = intervalUnits()[unitRow];
        if (const auto minutes = intervalMinutes(txtInterval->text(), unit.minutes)) {
            list.SetSchIntervalUnit(unit.unit);
            list.SetSchInterval(*minutes);
        }
    }

    list.SetSchUpdateOnDaysOnly(chkDaysOnly->isChecked());
    for (int16_t d = 1; d <= 7; ++d)
        list.SetSchUpdateOnDay(d, chkDays[d]->isChecked());
    list.SetSchUpdateOnHours(chkHoursOnly->isChecked());
    if (cmbStartTime->currentIndex() >= 0)
        list.SetSchUpdateStartHour(static_cast<int16_t>(cmbStartTime->currentData().toInt()));
    if (cmbEndTime->currentIndex() >= 0)
        list.SetSchUpdateEndHour(static_cast<int16_t>(cmbEndTime->currentData().toInt()));
    if (cmbHour->currentIndex() >= 0)
        list.SetSchUpdateHour(static_cast<int16_t>(cmbHour->currentIndex() + 1));
    if (const auto count = positiveCount(txtCounter->text()))
        list.SetSchUpdateCounter(*count);
    return true;
}

void frmSchedule::showNextUpdate() {
    lblNextUpdate->setText(ActiveMagicList.TimeOfNextUpdate(Options.LastUpdateTime, 1));
}

void frmSchedule::cmdClose_Click() {
    SaveSchedule();
    hide();
}

void frmSchedule::cmdApply_Click() {
    if (SaveSchedule())
        showNextUpdate();
}

void frmSchedule::cmdCancel_Click() {
    hide();
}

void frmSchedule::optType_Click() {
    int shown = 3;
    for (int o = 0; o < 3; ++o) {
        if (optType[o]->isChecked()) {
            shown = o;
            break;
        }
    }
    for (int o = 0; o < 4; ++o) {
        if (o == shown)
            place(fraOpt[o], kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
        fraOpt[o]->setVisible(o == shown);
    }
}

void frmSchedule::chkDaysOnly_Click() {
    for (int16_t d = 1; d <= 7; ++d)
        chkDays[d]->setEnabled(chkDaysOnly->isChecked());
}

void frmSchedule::chkHoursOnly_Click() {
    const bool on = chkHoursOnly->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lblStart, lblEnd, cmbStartTime, cmbEndTime})
        w->setEnabled(on);
}
