#include "editors/OptionsValues.h"
#include "editors/ScheduleValues.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>

namespace {

TEST(ScheduleValues, HourListsEndWithMidnightAsStartOrEnd) {
    const QList<HourItem> start = hourListItems(HourList::Start);
    const QList<HourItem> end = hourListItems(HourList::End);
    ASSERT_EQ(start.size(), 24);
    ASSERT_EQ(end.size(), 24);
    const struct {
        int row;
        const char* text;
        int startHour;
        int endHour;
    } rows[] = {
        {0, "1:00 am", 1, 1},
        {10, "11:00 am", 11, 11},
        {11, "12:00 pm", 12, 12},
        {12, "1:00 pm", 13, 13},
        {22, "11:00 pm", 23, 23},
        {23, "12:00 am", 0, 24}, // midnight: the start of a day, the end of one
    };
    for (const auto& r : rows) {
        EXPECT_EQ(start[r.row].text, QString::fromLatin1(r.text)) << r.row;
        EXPECT_EQ(end[r.row].text, QString::fromLatin1(r.text)) << r.row;
        EXPECT_EQ(start[r.row].hour, r.startHour) << r.row;
        EXPECT_EQ(end[r.row].hour, r.endHour) << r.row;
    }
}

TEST(ScheduleValues, IntervalAsShownInItsUnit) {
    const struct {
        int minutes;
        int unit;
        const char* text;
    } cases[] = {
        {60, 1, "60"},
        {90, 2, "1.5"},
        {240, 2, "4"},
        {31680, 3, "22"},
        {20, 2, "0.333333333333333"},
        {2160, 3, "1.5"},
        {45, 7, "45"}, // unknown unit: minutes
    };
    for (const auto& c : cases)
        EXPECT_EQ(intervalText(static_cast<int16_t>(c.minutes), static_cast<int16_t>(c.unit)),
                  QString::fromLatin1(c.text))
            << c.minutes << " in unit " << c.unit;
}

TEST(ScheduleValues, IntervalTypedIsKeptOnlyWhenTheListCanHoldIt) {
    const struct {
        const char* text;
        int unitMinutes;
        int minutes; // -1: nothing
    } cases[] = {
        {"20", 1, 20},      {"4", 60, 240},      {"22", 1440, 31680},
        {"546", 60, 32760}, {"32767", 1, 32767}, {"23", 1440, -1},
        {"547", 60, -1},    {"1.5", 60, 120},    {"2.5", 60, 120},
        {" 3 ", 1, 3},      {"0", 1, -1},        {"0.4", 60, -1},
        {"-5", 1, -1},      {"", 1, -1},         {"abc", 60, -1},
        {"40000", 1, -1}, // beyond 16 bits before the unit
    };
    for (const auto& c : cases) {
        const auto got =
            intervalMinutes(QString::fromLatin1(c.text), static_cast<int16_t>(c.unitMinutes));
        if (c.minutes < 0)
            EXPECT_FALSE(got.has_value()) << '"' << c.text << "\" x " << c.unitMinutes;
        else
            EXPECT_EQ(got.value_or(-1), c.minutes) << '"' << c.text << "\" x " << c.unitMinutes;
    }
}

TEST(ScheduleValues, CountMustBePositive) {
    EXPECT_EQ(positiveCount(QStringLiteral("12")).value_or(-1), 12);
    EXPECT_EQ(positiveCount(QStringLiteral("1")).value_or(-1), 1);
    EXPECT_EQ(positiveCount(QStringLiteral("2.5")).value_or(-1), 2);
    for (const char* bad : {"0", "-3", "", "x", "99999", "0.4"})
        EXPECT_FALSE(positiveCount(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(OptionsValues, BorderLimitIsHalfTheSmallerSide) {
    const struct {
        int width, height, twips, limit;
    } screens[] = {
        {1024, 768, 15, 384},  {1920, 1080, 15, 540},
        {1280, 1024, 15, 512}, {1025, 769, 15, 384}, // 384.5 rounds to the even 384
        {801, 601, 15, 300},   {800, 1280, 15, 400}, // a screen turned upright
        {3840, 2160, 8, 1080},                       // more dots to the inch: still pixels
        {1366, 767, 15, 384},                        // 383.5 rounds to the even 384
    };
    for (const auto& s : screens) {
        const FixedScreen screen(s.width, s.height, s.twips);
        EXPECT_EQ(maximumBorder(screen), s.limit) << s.width << " x " << s.height;
    }
}

TEST(OptionsValues, TooLargeMessageKeepsItsWording) {
    EXPECT_EQ(borderTooLargeMessage(384),
              QStringLiteral("Your Border is to large for your screen.  The maximum border size "
                             "is 384."));
}

} // namespace
