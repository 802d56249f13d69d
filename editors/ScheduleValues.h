#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// The values the schedule dialog moves between its boxes and the list's
// schedule, without the controls.

// One item of an hour list: its text and the hour it stands for.
struct HourItem {
    QString text;
    int16_t hour;
};

// The 24 items of the start or end hour list: "1:00 am" (1) to "11:00 pm"
// (23), then "12:00 am", which is hour 0 as a start and hour 24, the end of
// the day, as an end.
enum class HourList { Start, End };
QList<HourItem> hourListItems(HourList which);

// The interval units of the unit list: its index, the list's unit code and
// the minutes in one unit.
struct IntervalUnit {
    QString text;
    int16_t unit;
    int16_t minutes;
};
const QList<IntervalUnit>& intervalUnits();
// The index of the unit list for a stored unit; any unknown unit shows as
// minutes.
int unitIndex(int16_t unit);

// The interval as the box shows it in the stored unit: the minutes divided
// by the unit's size, with decimals when not whole (90 minutes in hours
// read "1.5").
QString intervalText(int16_t minutes, int16_t unit);

// The interval typed into the box, in minutes: the box's number rounded to
// a whole one and times the unit's size, when that is 1 to 32767 minutes.
// Text that is no number, and an interval that is not positive or too long
// for the list's 16-bit field, give nothing.
std::optional<int16_t> intervalMinutes(const QString& text, int16_t unitMinutes);

// The times-a-day count typed into the box, when it is a positive whole
// number that fits the list's field; nothing otherwise.
std::optional<int16_t> positiveCount(const QString& text);
