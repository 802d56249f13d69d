#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Dates are local wall-clock times without time-zone arithmetic. They are
// held in QDateTime with the UTC spec so that adding minutes or days never
// meets a daylight-saving jump.

QDateTime makeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
QDateTime wallClock(const QDateTime& any);

// 1 January 2000, 12:00: the date the text "01/01/00 12:00pm" stands for.
QDateTime defaultStamp();

// "General Date": "M/d/yyyy h:mm:ss AM", or the date alone at midnight.
QString formatGeneralDate(const QDateTime& date);

// Reads "M/d/yyyy h:mm:ss AM", "mm/dd/yy h:mmam", "mm/dd/yyyy" and kin;
// nothing when the text is not a date.
std::optional<QDateTime> parseDate(const QString& text);

// The runtime's Format with a date pattern: d dd ddd dddd, m mm mmm mmmm,
// yy yyyy, h hh, n nn (or m after h), s ss, AM/PM am/pm A/P a/p; other
// characters are copied.
QString formatDate(const QDateTime& date, const QString& pattern);

// Weekday as the runtime numbers it: Sunday 1 to Saturday 7.
int vbWeekday(const QDate& date);
