#include "editors/frmSchedule.h"
#include "engine/MagicList.h"
#include "engine/ProgramState.h"
#include "runtime/Dates.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

// Every schedule field of a list, to compare before and after.
struct Fields {
    int option, interval, unit, hourMode, counter, start, end;
    bool daysOnly, hoursOnly;
    std::array<bool, 7> days;
    bool operator==(const Fields&) const = default;
};

Fields fieldsOf(const clsMagicList& list) {
    Fields f{list.GetSchUpdateOption(),  list.GetSchInterval(),
             list.GetSchIntervalUnit(),  list.GetSchUpdateHour(),
             list.GetSchUpdateCounter(), list.GetSchUpdateStartHour(),
             list.GetSchUpdateEndHour(), list.GetSchUpdateOnDaysOnly(),
             list.GetSchUpdateOnHours(), {}};
    for (int16_t d = 1; d <= 7; ++d)
        f.days[d - 1] = list.GetSchUpdateOnDay(d);
    return f;
}

class ScheduleDialogTest : public ::testing::Test {
protected:
    ScheduleDialogTest() {
        QDir().mkpath(Options.PrivateMagicListPath);
        ActiveMagicList.SetListName(QStringLiteral("Holidays"));
        ActiveMagicList.Save();
        listPath = ActiveMagicList.GetFilePath();
    }

    // Opens the dialog on the active list; the script answers it inside
    // its modal show and must close it.
    void run(std::function<void(frmSchedule*)> script) {
        answers.next<frmSchedule>(std::move(script));
        frmSchedule dialog;
        dialog.showModal();
        EXPECT_EQ(answers.pending(), 0);
        EXPECT_FALSE(dialog.isVisible());
    }

    static QString currentText(QComboBox* box) { return box->currentText(); }

    static void typeInto(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    TestEnvironment env;
    ModalAnswerer answers;
    QString listPath;
};

TEST_F(ScheduleDialogTest, NewListShowsTheHourMarksPanelAndOkKeepsIt) {
    const Fields before = fieldsOf(ActiveMagicList);
    run([](frmSchedule* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Automatic Update Options:"));
        EXPECT_TRUE(d->fraOpt[1]->isVisible());
        EXPECT_FALSE(d->fraOpt[0]->isVisible());
        EXPECT_FALSE(d->fraOpt[2]->isVisible());
        EXPECT_FALSE(d->fraOpt[3]->isVisible());
        EXPECT_EQ(d->fraOpt[1]->pos(), QPoint(282, 0)); // 4230 twips from the left
        // Neither offered kind is set.
        EXPECT_FALSE(d->optType[0]->isChecked());
        EXPECT_FALSE(d->optType[3]->isChecked());
        EXPECT_EQ(d->cmbHour->currentText(), QStringLiteral("at the top of the hour"));
        EXPECT_EQ(d->txtInterval->text(), QStringLiteral("60"));
        EXPECT_EQ(d->cmbIntervalUnit->currentText(), QStringLiteral("Minute(s)"));
        EXPECT_EQ(d->txtCounter->text(), QStringLiteral("5"));
        EXPECT_EQ(d->cmbStartTime->currentText(), QStringLiteral("8:00 am"));
        EXPECT_EQ(d->cmbEndTime->currentText(), QStringLiteral("5:00 pm"));
        for (int day = 1; day <= 7; ++day) {
            EXPECT_TRUE(d->chkDays[day]->isChecked()) << day;
            EXPECT_FALSE(d->chkDays[day]->isEnabled()) << day;
        }
        for (QWidget* w :
             {static_cast<QWidget*>(d->lblStart), static_cast<QWidget*>(d->lblEnd),
              static_cast<QWidget*>(d->cmbStartTime), static_cast<QWidget*>(d->cmbEndTime)})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(fieldsOf(ActiveMagicList), before);
}

TEST_F(ScheduleDialogTest, OnlyTimerAndManualRowsShow) {
    run([](frmSchedule* d) {
        EXPECT_TRUE(d->optType[0]->isVisible());
        EXPECT_FALSE(d->optType[1]->isVisible());
        EXPECT_FALSE(d->optType[2]->isVisible());
        EXPECT_TRUE(d->optType[3]->isVisible());
        EXPECT_TRUE(d->lblExample[0]->isVisible());
        EXPECT_FALSE(d->lblExample[1]->isVisible());
        EXPECT_FALSE(d->lblExample[2]->isVisible());
        EXPECT_TRUE(d->lblExample[3]->isVisible());
        EXPECT_TRUE(d->lblEx[0]->isVisible());
        EXPECT_TRUE(d->lblEx[1]->isVisible()); // serves the "Manual:" row
        EXPECT_FALSE(d->lblEx[2]->isVisible());
        EXPECT_FALSE(d->lblEx[3]->isVisible());
        // "Manual:" sits in the second row.
        EXPECT_EQ(d->optType[3]->y(), d->optType[1]->y());
        EXPECT_EQ(d->lblExample[3]->y(), d->lblExample[1]->y());
        EXPECT_GT(d->optType[3]->y(), d->optType[0]->y());
        EXPECT_EQ(d->lblEx[1]->y() - d->optType[1]->y(), d->lblEx[0]->y() - d->optType[0]->y());
        clickButton(d->cmdCancel);
    });
}

// What the dialog shows for a stored schedule.
struct LoadCase {
    const char* what;
    int option, interval, unit, hourMode, counter;
    int panel; // the option panel shown
    const char* intervalText;
    const char* unitText;
    const char* hourText;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.what;
}

class ScheduleLoadTest : public ScheduleDialogTest,
                         public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ScheduleLoadTest, ShowsTheStoredSchedule) {
    const LoadCase& c = GetParam();
    ActiveMagicList.SetSchUpdateOption(static_cast<int16_t>(c.option));
    ActiveMagicList.SetSchInterval(static_cast<int16_t>(c.interval));
    ActiveMagicList.SetSchIntervalUnit(static_cast<int16_t>(c.unit));
    ActiveMagicList.SetSchUpdateHour(static_cast<int16_t>(c.hourMode));
    ActiveMagicList.SetSchUpdateCounter(static_cast<int16_t>(c.counter));
    run([&c](frmSchedule* d) {
        for (int o = 0; o < 4; ++o) {
            EXPECT_EQ(d->fraOpt[o]->isVisible(), o == c.panel) << "panel " << o;
            EXPECT_EQ(d->optType[o]->isChecked(), o == c.option) << "option " << o;
        }
        EXPECT_EQ(d->txtInterval->text(), QString::fromLatin1(c.intervalText));
        EXPECT_EQ(d->cmbIntervalUnit->currentText(), QString::fromLatin1(c.unitText));
        EXPECT_EQ(d->cmbHour->currentText(), QString::fromLatin1(c.hourText));
        EXPECT_EQ(d->txtCounter->text(), QString::number(c.counter));
        clickButton(d->cmdCancel);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, ScheduleLoadTest,
    ::testing::Values(
        LoadCase{"every20Minutes", 0, 20, 1, 1, 5, 0, "20", "Minute(s)", "at the top of the hour"},
        LoadCase{"ninetyMinutesInHours", 0, 90, 2, 1, 5, 0, "1.5", "Hour(s)",
                 "at the top of the hour"},
        LoadCase{"twentyTwoDays", 0, 31680, 3, 1, 5, 0, "22", "Day(s)", "at the top of the hour"},
        LoadCase{"unknownUnitIsMinutes", 0, 45, 9, 1, 5, 0, "45", "Minute(s)",
                 "at the top of the hour"},
        LoadCase{"halfHours", 1, 60, 1, 2, 5, 1, "60", "Minute(s)",
                 "at top and bottom of the hour"},
        LoadCase{"quarters", 1, 60, 1, 3, 5, 1, "60", "Minute(s)", "on the quarter of the hour"},
        LoadCase{"unknownHourMode", 1, 60, 1, 7, 5, 1, "60", "Minute(s)", "at the top of the hour"},
        LoadCase{"timesADay", 2, 60, 1, 1, 7, 2, "60", "Minute(s)", "at the top of the hour"},
        LoadCase{"manual", 3, 60, 1, 1, 5, 3, "60", "Minute(s)", "at the top of the hour"}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.what); });

TEST_F(ScheduleDialogTest, UnknownHourModeIsStoredAsTheTopOfTheHour) {
    ActiveMagicList.SetSchUpdateHour(7);
    run([](frmSchedule* d) { clickButton(d->cmdClose); });
    EXPECT_EQ(ActiveMagicList.GetSchUpdateHour(), 1);
}

// What typing into the timer's boxes stores.
struct SaveCase {
    const char* what;
    const char* interval;
    int unitRow;
    const char* counter;
    int storedInterval; // minutes
    int storedUnit;
    int storedCounter;
};

void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.what;
}

enum class Close { Ok, ApplyThenCancel, Cancel, TitleBar, Escape };

class ScheduleSaveTest : public ScheduleDialogTest,
                         public ::testing::WithParamInterface<std::tuple<SaveCase, Close>> {};

TEST_P(ScheduleSaveTest, TypedValuesReachTheList) {
    const auto& [c, close] = GetParam();
    const Fields before = fieldsOf(ActiveMagicList); // option 1, 60 minutes, counter 5
    run([&c, close = close](frmSchedule* d) {
        clickButton(d->optType[0]);
        typeInto(d->txtInterval, QString::fromLatin1(c.interval));
        d->cmbIntervalUnit->setCurrentIndex(c.unitRow);
        // The counter box sits on a panel the timer hides: filled as it is.
        d->txtCounter->setText(QString::fromLatin1(c.counter));
        switch (close) {
        case Close::Ok:
            clickButton(d->cmdClose);
            break;
        case Close::ApplyThenCancel:
            clickButton(d->cmdApply);
            EXPECT_TRUE(d->isVisible()) << "Apply keeps the window open";
            clickButton(d->cmdCancel);
            break;
        case Close::Cancel:
            clickButton(d->cmdCancel);
            break;
        case Close::TitleBar:
            d->close();
            break;
        case Close::Escape:
            QTest::keyClick(d->txtInterval, Qt::Key_Escape);
            break;
        }
    });
    const Fields after = fieldsOf(ActiveMagicList);
    if (close == Close::Ok || close == Close::ApplyThenCancel) {
        EXPECT_EQ(after.option, 0);
        EXPECT_EQ(after.interval, c.storedInterval);
        EXPECT_EQ(after.unit, c.storedUnit);
        EXPECT_EQ(after.counter, c.storedCounter);
    } else {
        EXPECT_EQ(after, before) << "nothing is stored";
    }
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

const SaveCase saveCases[] = {
    {"fourHours", "4", 1, "5", 240, 2, 5},
    {"twentyMinutes", "20", 0, "5", 20, 1, 5},
    {"twentyTwoDays", "22", 2, "5", 31680, 3, 5},
    {"longestInHours", "546", 1, "5", 32760, 2, 5},
    {"twentyThreeDaysRefused", "23", 2, "5", 60, 1, 5},
    {"zeroRefused", "0", 0, "5", 60, 1, 5},
    {"negativeRefused", "-5", 0, "5", 60, 1, 5},
    {"textRefused", "soon", 1, "5", 60, 1, 5},
    {"emptyRefused", "", 1, "5", 60, 1, 5},
    {"halfHoursRound", "1.5", 1, "5", 120, 2, 5},
    {"counterTaken", "20", 0, "12", 20, 1, 12},
    {"counterZeroKeepsOld", "20", 0, "0", 20, 1, 5},
    {"counterNegativeKeepsOld", "20", 0, "-3", 20, 1, 5},
    {"counterTextKeepsOld", "20", 0, "many", 20, 1, 5},
};

std::string saveCaseName(const ::testing::TestParamInfo<std::tuple<SaveCase, Close>>& info) {
    static const char* const closes[] = {"Ok", "ApplyThenCancel", "Cancel", "TitleBar", "Escape"};
    return std::string(std::get<0>(info.param).what) + '_' +
           closes[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Typed, ScheduleSaveTest,
                         ::testing::Combine(::testing::ValuesIn(saveCases),
                                            ::testing::Values(Close::Ok, Close::ApplyThenCancel,
                                                              Close::Cancel, Close::TitleBar,
                                                              Close::Escape)),
                         saveCaseName);

TEST_F(ScheduleDialogTest, NinetyMinutesShowAsOneAndAHalfHoursAndOkStoresTwoHours) {
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(90);
    ActiveMagicList.SetSchIntervalUnit(2);
    run([](frmSchedule* d) {
        EXPECT_EQ(d->txtInterval->text(), QStringLiteral("1.5"));
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(ActiveMagicList.GetSchInterval(), 120);
    EXPECT_EQ(ActiveMagicList.GetSchIntervalUnit(), 2);
}

TEST_F(ScheduleDialogTest, ManualIsStored) {
    run([](frmSchedule* d) {
        clickButton(d->optType[3]);
        EXPECT_TRUE(d->fraOpt[3]->isVisible());
        EXPECT_FALSE(d->fraOpt[1]->isVisible());
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(ActiveMagicList.GetSchUpdateOption(), 3);
}

TEST_F(ScheduleDialogTest, DaysAndHoursAreStoredAlsoWhileSwitchedOff) {
    ActiveMagicList.SetSchUpdateOnDay(1, false); // Sunday
    run([](frmSchedule* d) {
        EXPECT_FALSE(d->chkDays[1]->isChecked());
        clickButton(d->chkDaysOnly);
        for (int day = 1; day <= 7; ++day)
            EXPECT_TRUE(d->chkDays[day]->isEnabled()) << day;
        clickButton(d->chkDays[7]); // Saturday off
        clickButton(d->chkDaysOnly);
        EXPECT_FALSE(d->chkDays[7]->isEnabled());
        clickButton(d->chkHoursOnly);
        EXPECT_TRUE(d->cmbStartTime->isEnabled());
        EXPECT_TRUE(d->lblEnd->isEnabled());
        d->cmbStartTime->setCurrentIndex(d->cmbStartTime->findText(QStringLiteral("6:00 am")));
        d->cmbEndTime->setCurrentIndex(d->cmbEndTime->findText(QStringLiteral("10:00 pm")));
        clickButton(d->cmdClose);
    });
    EXPECT_FALSE(ActiveMagicList.GetSchUpdateOnDaysOnly());
    EXPECT_FALSE(ActiveMagicList.GetSchUpdateOnDay(1));
    EXPECT_FALSE(ActiveMagicList.GetSchUpdateOnDay(7));
    EXPECT_TRUE(ActiveMagicList.GetSchUpdateOnDay(2));
    EXPECT_TRUE(ActiveMagicList.GetSchUpdateOnHours());
    EXPECT_EQ(ActiveMagicList.GetSchUpdateStartHour(), 6);
    EXPECT_EQ(ActiveMagicList.GetSchUpdateEndHour(), 22);
}

TEST_F(ScheduleDialogTest, MidnightStartsAndEndsTheDay) {
    run([](frmSchedule* d) {
        clickButton(d->chkHoursOnly);
        d->cmbStartTime->setCurrentIndex(23);
        d->cmbEndTime->setCurrentIndex(23);
        EXPECT_EQ(d->cmbStartTime->currentText(), QStringLiteral("12:00 am"));
        EXPECT_EQ(d->cmbEndTime->currentText(), QStringLiteral("12:00 am"));
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(ActiveMagicList.GetSchUpdateStartHour(), 0);
    EXPECT_EQ(ActiveMagicList.GetSchUpdateEndHour(), 24);
    EXPECT_EQ(ActiveMagicList.GetScheduleDesc(),
              QStringLiteral("Images will automatically update each day, 24 hours a day, at the "
                             "top of each hour."));

    // Opened again, both lists show midnight.
    run([](frmSchedule* d) {
        EXPECT_EQ(d->cmbStartTime->currentText(), QStringLiteral("12:00 am"));
        EXPECT_EQ(d->cmbEndTime->currentText(), QStringLiteral("12:00 am"));
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(ActiveMagicList.GetSchUpdateStartHour(), 0);
    EXPECT_EQ(ActiveMagicList.GetSchUpdateEndHour(), 24);
}

TEST_F(ScheduleDialogTest, AnEndHourNoItemShowsStaysAsItWas) {
    ActiveMagicList.SetSchUpdateEndHour(0); // from an older list file
    run([](frmSchedule* d) {
        EXPECT_EQ(d->cmbEndTime->currentIndex(), -1);
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(ActiveMagicList.GetSchUpdateEndHour(), 0);
}

TEST_F(ScheduleDialogTest, LabelsShowTheLastAndNextChange) {
    env.clock.set(makeDateTime(2024, 3, 7, 10, 0, 30));
    Options.LastUpdateTime = makeDateTime(2024, 3, 7, 9, 15, 0);
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(60);
    run([](frmSchedule* d) {
        EXPECT_EQ(d->lblLastUpdate->text(), QStringLiteral("3/7/2024 9:15:00 AM"));
        EXPECT_EQ(d->lblNextUpdate->text(), QStringLiteral("10:15 am  (15 minutes)"));
        typeInto(d->txtInterval, QStringLiteral("2"));
        d->cmbIntervalUnit->setCurrentIndex(1);
        clickButton(d->cmdApply);
        // From the same last change, which Apply does not touch.
        EXPECT_EQ(d->lblNextUpdate->text(), QStringLiteral("11:15 am  (75 minutes)"));
        EXPECT_EQ(d->lblLastUpdate->text(), QStringLiteral("3/7/2024 9:15:00 AM"));
        clickButton(d->optType[3]);
        clickButton(d->cmdApply);
        EXPECT_EQ(d->lblNextUpdate->text(), QString());
        clickButton(d->cmdCancel);
    });
    EXPECT_EQ(ActiveMagicList.GetSchUpdateOption(), 3);
    EXPECT_EQ(ActiveMagicList.GetSchInterval(), 120);
}

TEST_F(ScheduleDialogTest, LabelsHoldTheirLongestTexts) {
    run([](frmSchedule* d) {
        const struct {
            QLabel* label;
            const char* text;
        } longest[] = {
            {d->lblLastUpdate, "12/28/2024 12:59:59 PM"},
            {d->lblNextUpdate, "11:59 pm  (23:59 from now)"},
            {d->lblNextUpdate, "Wednesday, 12:00 pm"},
            {d->lblNextUpdate, "12/28/24 12:00 pm"},
        };
        for (const auto& l : longest) {
            const QString text = QString::fromLatin1(l.text);
            EXPECT_LE(l.label->fontMetrics().horizontalAdvance(text), l.label->width()) << l.text;
        }
        clickButton(d->cmdCancel);
    });
}

TEST_F(ScheduleDialogTest, EnterPressesNoButton) {
    run([](frmSchedule* d) {
        for (QPushButton* b : {d->cmdClose, d->cmdCancel, d->cmdApply}) {
            EXPECT_FALSE(b->isDefault());
            EXPECT_FALSE(b->autoDefault());
        }
        clickButton(d->optType[0]);
        typeInto(d->txtInterval, QStringLiteral("4"));
        QTest::keyClick(d->txtInterval, Qt::Key_Return);
        QTest::keyClick(d->txtInterval, Qt::Key_Enter);
        d->cmdClose->setFocus();
        QTest::keyClick(d->cmdClose, Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        clickButton(d->cmdCancel);
    });
    EXPECT_EQ(ActiveMagicList.GetSchUpdateOption(), 1);
    EXPECT_EQ(ActiveMagicList.GetSchInterval(), 60);
}

TEST_F(ScheduleDialogTest, FocusSelectsTheWholeInterval) {
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(45);
    run([](frmSchedule* d) {
        d->cmdCancel->setFocus();
        QTest::mouseClick(d->txtInterval, Qt::LeftButton, {}, QPoint(3, 5));
        ASSERT_TRUE(waitFor([d] { return d->txtInterval->selectedText() == "45"; }));
        QTest::keyClicks(d->txtInterval, QStringLiteral("30"));
        EXPECT_EQ(d->txtInterval->text(), QStringLiteral("30"));
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(ActiveMagicList.GetSchInterval(), 30);
}

// The tray can open another list while the dialog is open: the schedule
// typed for the first list must not land in the second.
TEST_F(ScheduleDialogTest, AListOpenedMeanwhileGetsNothing) {
    clsMagicList other;
    other.SetListName(QStringLiteral("Other"));
    other.SetSchUpdateOption(2);
    ASSERT_TRUE(other.Save());
    const QString otherPath = other.GetFilePath();
    ASSERT_NE(otherPath, listPath);

    run([&](frmSchedule* d) {
        ASSERT_EQ(ActiveMagicList.Load(otherPath), 0);
        clickButton(d->optType[0]);
        typeInto(d->txtInterval, QStringLiteral("4"));
        d->cmbIntervalUnit->setCurrentIndex(1);
        clickButton(d->cmdApply);
        EXPECT_TRUE(d->isVisible());
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(ActiveMagicList.GetFilePath(), otherPath);
    EXPECT_EQ(fieldsOf(ActiveMagicList), fieldsOf(other));
    ASSERT_EQ(env.errors.calls.size(), 2); // Apply and OK
    for (const auto& call : env.errors.calls)
        EXPECT_EQ(call.message, frmSchedule::listChangedMessage());

    // The first list's file is untouched too.
    clsMagicList first;
    ASSERT_EQ(first.Load(listPath), 0);
    EXPECT_EQ(first.GetSchUpdateOption(), 1);
    EXPECT_EQ(first.GetSchInterval(), 60);
}

TEST_F(ScheduleDialogTest, ApplyThenCancelKeepsWhatWasApplied) {
    run([](frmSchedule* d) {
        clickButton(d->optType[0]);
        typeInto(d->txtInterval, QStringLiteral("3"));
        d->cmbIntervalUnit->setCurrentIndex(1);
        clickButton(d->cmdApply);
        typeInto(d->txtInterval, QStringLiteral("9"));
        clickButton(d->cmdCancel);
    });
    EXPECT_EQ(ActiveMagicList.GetSchInterval(), 180);
}

} // namespace
