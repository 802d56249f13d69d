#include "tests/engine/test_magiclist_helpers.h"

#include "engine/MagicList.h"
#include "runtime/Dates.h"

#include <cctype>
#include <ctime>
#include <gtest/gtest.h>

namespace {

// 4 March 2024 is a Monday.
QDateTime mon(int hour, int minute, int second = 0) {
    return makeDateTime(2024, 3, 4, hour, minute, second);
}

struct Schedule {
    int16_t option = 1;
    int16_t interval = 60;
    int16_t hourMode = 1;
    int16_t times = 5;
    const char* days = nullptr; // "SMTWTFS" mask: 'x' allowed, '.' not
    int16_t startHour = -1;     // hours-only window when set
    int16_t endHour = -1;
};

void apply(clsMagicList& list, const Schedule& s) {
    list.SetSchUpdateOption(s.option);
    list.SetSchInterval(s.interval);
    list.SetSchUpdateHour(s.hourMode);
    list.SetSchUpdateCounter(s.times);
    if (s.days) {
        list.SetSchUpdateOnDaysOnly(true);
        for (int16_t d = 1; d <= 7; ++d)
            list.SetSchUpdateOnDay(d, s.days[d - 1] == 'x');
    }
    if (s.startHour >= 0) {
        list.SetSchUpdateOnHours(true);
        list.SetSchUpdateStartHour(s.startHour);
        list.SetSchUpdateEndHour(s.endHour);
    }
}

struct NextChangeCase {
    const char* what;
    Schedule schedule;
    QDateTime last;
    QDateTime now;
    const char* minutes; // format 2
    const char* text;    // format 1, or nullptr when not checked
};

// Runs a block with the process in another local time zone. Schedule times
// are wall-clock times and must not shift with it.
class LocalZone {
public:
    explicit LocalZone(const char* zone)
        : saved_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone() {
        if (had_)
            qputenv("TZ", saved_);
        else
            qunsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    QByteArray saved_;
    bool had_;
};

class ScheduleTest : public ::testing::TestWithParam<NextChangeCase> {
protected:
    TestEnvironment env;
};

TEST_P(ScheduleTest, NextChange) {
    const NextChangeCase& c = GetParam();
    clsMagicList list;
    apply(list, c.schedule);
    env.clock.set(c.now);
    EXPECT_EQ(list.TimeOfNextUpdate(c.last, 2), QString::fromUtf8(c.minutes));
    if (c.text) {
        EXPECT_EQ(list.TimeOfNextUpdate(c.last, 1), QString::fromUtf8(c.text));
    }
    const QString minutes = QString::fromUtf8(c.minutes);
    EXPECT_EQ(list.IsTimeToAutoUpdate(c.last), !minutes.isEmpty() && minutes.toInt() <= 0);
    const LocalZone elsewhere("America/New_York");
    EXPECT_EQ(list.TimeOfNextUpdate(c.last, 2), minutes) << "in another local time zone";
}

const Schedule every60{0, 60};
const Schedule hourly{1};
const Schedule officeHourly{1, 60, 1, 5, nullptr, 8, 17};

INSTANTIATE_TEST_SUITE_P(
    Lists, ScheduleTest,
    ::testing::Values(
        NextChangeCase{"seconds are cut", every60, mon(10, 0, 45), mon(10, 59, 59), "1",
                       "11:00 am  (1 minutes)"},
        NextChangeCase{"due on the minute", every60, mon(10, 0, 45), mon(11, 0, 10), "0",
                       "Within a minute"},
        NextChangeCase{"a missed mark is not made up", hourly, mon(9, 10), mon(10, 30), "30",
                       "11:00 am  (30 minutes)"},
        NextChangeCase{"changed at the mark", hourly, mon(11, 0), mon(11, 0), "60", nullptr},
        NextChangeCase{"half hours", {1, 60, 2}, mon(10, 29), mon(10, 29), "1", nullptr},
        NextChangeCase{
            "half hours at the mark", {1, 60, 2}, mon(10, 30), mon(10, 30), "30", nullptr},
        NextChangeCase{"quarters, same minute",
                       {1, 60, 3},
                       mon(10, 44),
                       mon(10, 44),
                       "1",
                       "10:45 am  (1 minutes)"},
        NextChangeCase{"quarters", {1, 60, 3}, mon(8, 0), mon(10, 46), "14", nullptr},
        NextChangeCase{"an unknown hour mode", {1, 60, 9}, mon(8, 0), mon(10, 46), "0", nullptr},
        NextChangeCase{"five a day", {2, 60, 1, 5}, mon(10, 0), mon(10, 0), "288", nullptr},
        NextChangeCase{"five in office hours",
                       {2, 60, 1, 5, nullptr, 8, 17},
                       mon(9, 0),
                       mon(10, 0),
                       "48",
                       "10:48 am  (48 minutes)"},
        NextChangeCase{"a half minute step rounds to even",
                       {2, 60, 1, 24, nullptr, 8, 17},
                       mon(10, 0),
                       mon(10, 0),
                       "22",
                       nullptr},
        NextChangeCase{"seven a day", {2, 60, 1, 7}, mon(10, 0), mon(10, 0), "206", nullptr},
        NextChangeCase{"zero a day is one",
                       {2, 60, 1, 0},
                       mon(10, 0),
                       mon(10, 0),
                       "1440",
                       "Tuesday, 10:00 am"},
        NextChangeCase{"before the window",
                       {0, 60, 1, 5, nullptr, 8, 17},
                       mon(5, 30),
                       mon(5, 35),
                       "145",
                       "8:00 am  (2:25 from now)"},
        NextChangeCase{"a hundred minutes",
                       {0, 100},
                       mon(10, 0),
                       mon(10, 0),
                       "100",
                       "11:40 am  (1:40 from now)"},
        NextChangeCase{"after the window", officeHourly, mon(16, 0), mon(16, 20), "940",
                       "Tuesday, 8:00 am"},
        NextChangeCase{"Saturdays only",
                       {0, 60, 1, 5, "......x"},
                       mon(10, 0),
                       mon(10, 30),
                       "6570",
                       "Saturday, 12:00 am"},
        NextChangeCase{"Saturdays from the start hour",
                       {0, 60, 1, 5, "......x", 8, 17},
                       mon(10, 0),
                       mon(10, 30),
                       "7050",
                       "Saturday, 8:00 am"},
        // A single weekday, passed for today: the same weekday next week.
        NextChangeCase{"Mondays only, after hours",
                       {0, 60, 1, 5, ".x.....", 8, 17},
                       mon(16, 30),
                       mon(17, 45),
                       "9495",
                       "Monday, 8:00 am"},
        NextChangeCase{"no day allowed", {0, 60, 1, 5, "......."}, mon(10, 0), mon(10, 0), "", ""},
        NextChangeCase{
            "three days ahead", {0, 4320}, mon(10, 0), mon(10, 0), "4320", "Thursday, 10:00 am"},
        NextChangeCase{
            "ten days ahead", {0, 14400}, mon(10, 0), mon(10, 0), "14400", "03/14/24 10:00 am"},
        NextChangeCase{"long overdue", every60, makeDateTime(2000, 1, 1, 12, 0),
                       makeDateTime(2000, 1, 1, 14, 30), "-90", "Within a minute"},
        NextChangeCase{"the never-stamped date is now",
                       {0, 0},
                       makeDateTime(1988, 1, 1),
                       mon(10, 0),
                       "0",
                       nullptr},
        NextChangeCase{"a start hour past the end",
                       {0, 60, 1, 5, nullptr, 17, 8},
                       mon(10, 0),
                       mon(10, 0),
                       "420",
                       "5:00 pm  (7:00 from now)"},
        // An end at midnight keeps the window open to the end of the day.
        NextChangeCase{"until midnight, late evening",
                       {0, 60, 1, 5, nullptr, 20, 24},
                       mon(22, 0),
                       mon(22, 10),
                       "50",
                       "11:00 pm  (50 minutes)"},
        NextChangeCase{"until midnight, past the end",
                       {0, 60, 1, 5, nullptr, 20, 24},
                       mon(23, 30),
                       mon(23, 40),
                       "1220",
                       "Tuesday, 8:00 pm"},
        NextChangeCase{"four a day until midnight",
                       {2, 60, 1, 4, nullptr, 18, 24},
                       mon(19, 0),
                       mon(19, 0),
                       "90",
                       "8:30 pm  (90 minutes)"},
        NextChangeCase{"never", {3}, mon(10, 0), mon(10, 0), "", ""}),
    [](const ::testing::TestParamInfo<NextChangeCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(ScheduleFormats, DateTextAndUnknownFormats) {
    TestEnvironment env;
    clsMagicList list;
    apply(list, officeHourly);
    env.clock.set(mon(16, 20));
    EXPECT_EQ(list.TimeOfNextUpdate(mon(16, 0), 0), QStringLiteral("3/5/2024 8:00:00 AM"));
    EXPECT_EQ(list.TimeOfNextUpdate(mon(16, 0), 3), QString());
    EXPECT_EQ(list.TimeOfNextUpdate(mon(16, 0), -1), QString());
}

TEST(ScheduleFormats, ZeroTimesADayIsStoredAsOne) {
    TestEnvironment env;
    clsMagicList list;
    apply(list, {2, 60, 1, 0});
    list.TimeOfNextUpdate(mon(10, 0), 2);
    EXPECT_EQ(list.GetSchUpdateCounter(), 1);
}

TEST(ScheduleDescription, Sentences) {
    TestEnvironment env;
    const QString each = QStringLiteral("Images will automatically update each day ");
    const struct {
        Schedule schedule;
        int16_t unit;
        QString text;
    } cases[] = {
        {hourly, 1, each + QStringLiteral("at the top of each hour.")},
        {{1, 60, 2}, 1, each + QStringLiteral("at the top and bottom of each hour.")},
        {{1, 60, 3}, 1, each + QStringLiteral("on the quarter of the hour.")},
        {{1, 60, 7}, 1, each + QStringLiteral(".")},
        {{0, 20}, 1, each + QStringLiteral(", every 20 minutes.")},
        {{0, 90}, 2, each + QStringLiteral(", every 1.5 Hours.")},
        {{0, 120}, 2, each + QStringLiteral(", every 2 Hours.")},
        {{0, 2880}, 3, each + QStringLiteral(", every 2 Day(s).")},
        {{0, 20}, 4, each + QStringLiteral(".")},
        {{2, 60, 1, 4}, 1, each + QStringLiteral("4 times each day.")},
        {{2, 60, 1, 1, ".xxxxx.", 8, 17},
         1,
         QStringLiteral(
             "Images will automatically update 5 days a week, 9 hours a day, 1 time each day.")},
        {{2, 60, 1, 3, nullptr, 18, 24},
         1,
         QStringLiteral("Images will automatically update each day, 6 hours a day, 3 times "
                        "each day.")},
        {{3},
         1,
         QStringLiteral("Images are not automatically updated.  You may manually change images "
                        "whenever you wish.")},
    };
    for (const auto& c : cases) {
        clsMagicList list;
        apply(list, c.schedule);
        list.SetSchIntervalUnit(c.unit);
        EXPECT_EQ(list.GetScheduleDesc(), c.text);
    }
}

TEST(ScheduleSetters, RangesAreChecked) {
    clsMagicList list;
    list.SetSchUpdateOption(4);
    list.SetSchUpdateOption(-1);
    EXPECT_EQ(list.GetSchUpdateOption(), 1);
    list.SetSchUpdateStartHour(24);
    list.SetSchUpdateStartHour(-1);
    list.SetSchUpdateEndHour(-1);
    list.SetSchUpdateEndHour(25);
    EXPECT_EQ(list.GetSchUpdateStartHour(), 8);
    EXPECT_EQ(list.GetSchUpdateEndHour(), 17);
    list.SetSchUpdateStartHour(0);
    list.SetSchUpdateEndHour(23);
    EXPECT_EQ(list.GetSchUpdateStartHour(), 0);
    EXPECT_EQ(list.GetSchUpdateEndHour(), 23);
    // An end at midnight is the end of the day; a start there is hour 0.
    list.SetSchUpdateEndHour(24);
    EXPECT_EQ(list.GetSchUpdateEndHour(), 24);
    list.SetSchUpdateOnDay(0, false);
    list.SetSchUpdateOnDay(8, false);
    EXPECT_FALSE(list.GetSchUpdateOnDay(0));
    EXPECT_FALSE(list.GetSchUpdateOnDay(8));
    for (int16_t d = 1; d <= 7; ++d)
        EXPECT_TRUE(list.GetSchUpdateOnDay(d));
    list.SetSchInterval(-5);
    list.SetSchIntervalUnit(42);
    list.SetSchUpdateHour(9);
    list.SetSchUpdateCounter(0);
    EXPECT_EQ(list.GetSchInterval(), -5);
    EXPECT_EQ(list.GetSchIntervalUnit(), 42);
    EXPECT_EQ(list.GetSchUpdateHour(), 9);
    EXPECT_EQ(list.GetSchUpdateCounter(), 0);
}

} // namespace
