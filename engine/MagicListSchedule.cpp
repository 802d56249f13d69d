#include "engine/MagicList.h"

#include "platform/Clock.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"
#include "runtime/Dates.h"

#include <QTimeZone>
#include <optional>

namespace {

// Days the look-ahead tries after the candidate's own day. A full week, so
// a schedule with one allowed weekday finds the same weekday next week.
constexpr int kLookAheadDays = 7;

QDateTime wholeMinute(const QDateTime& t) {
    const QTime time = t.time();
    return QDateTime(t.date(), QTime(time.hour(), time.minute()), QTimeZone::utc());
}

QDateTime sentinelStamp() {
    return makeDateTime(1988, 1, 1);
}

// Minutes from minute m to the next hour mark of the mode (0 when m is one).
int minutesToMark(int16_t hourMode, int m) {
    switch (hourMode) {
    case 1:
        return m == 0 ? 0 : 60 - m;
    case 2:
        if (m == 0 || m == 30)
            return 0;
        return m < 30 ? 30 - m : 60 - m;
    case 3:
        return m % 15 == 0 ? 0 : 15 - m % 15;
    default:
        return 0;
    }
}

QString minutesText(qint64 minutes) {
    if (minutes < 100)
        return QStringLiteral("(") + QString::number(minutes) + QStringLiteral(" minutes)");
    return QStringLiteral("(") + QString::number(minutes / 60) + u':' +
           QStringLiteral("%1").arg(minutes % 60, 2, 10, QChar(u'0')) +
           QStringLiteral(" from now)");
}

} // namespace

int clsMagicList::GetMinutesPerDay() const {
    if (schedule_.HoursOnly != 0)
        return (schedule_.EndHour - schedule_.StartHour) * 60;
    return 1440;
}

bool clsMagicList::IsUpdateDay(QDateTime& date) const {
    if (date == sentinelStamp())
        date = services().clock->now();
    if (schedule_.DaysOnly == 0)
        return true;
    return schedule_.Days[vbWeekday(date.date()) - 1] == VbTrue;
}

bool clsMagicList::IsUpdateHour(QDateTime& date) const {
    if (date == sentinelStamp())
        date = services().clock->now();
    if (schedule_.HoursOnly == 0)
        return true;
    const int hour = date.time().hour();
    return schedule_.StartHour <= hour && hour < schedule_.EndHour;
}

QString clsMagicList::TimeOfNextUpdate(const QDateTime& lastChange, int16_t format) {
    const MagicListSchedule& s = schedule_;
    const QDateTime last = wholeMinute(lastChange);
    const QDateTime now = wholeMinute(services().clock->now());
    QDateTime next;
    switch (s.Option) {
    case 0:
        next = last.addSecs(qint64(s.Interval) * 60);
        break;
    case 1: {
        const bool sameMinute = last == now;
        int m = now.time().minute();
        if (sameMinute)
            m = (m + 1) % 60;
        int wait = minutesToMark(s.HourMode, m);
        if (sameMinute)
            ++wait;
        next = now.addSecs(qint64(wait) * 60);
        break;
    }
    case 2: {
        if (schedule_.TimesADay == 0)
            schedule_.TimesADay = 1;
        const double step = roundHalfEven(double(GetMinutesPerDay()) / s.TimesADay);
        next = last.addSecs(static_cast<qint64>(step) * 60);
        break;
    }
    default:
        // 3 never changes; any other value can only come from a damaged
        // file, and the description calls it not automatic too.
        return {};
    }

    auto dayAllowed = [&](const QDate& day) {
        return s.DaysOnly == 0 || s.Days[vbWeekday(day) - 1] == VbTrue;
    };
    auto startOf = [&](const QDate& day) {
        const QDateTime midnight(day, QTime(0, 0), QTimeZone::utc());
        return s.HoursOnly != 0 ? midnight.addSecs(qint64(s.StartHour) * 3600) : midnight;
    };
    std::optional<QDateTime> target;
    if (IsUpdateDay(next) && IsUpdateHour(next)) {
        target = next;
    } else if (dayAllowed(next.date()) && s.HoursOnly != 0 && next.time().hour() < s.StartHour) {
        target = startOf(next.date());
    } else {
        for (int k = 1; k <= kLookAheadDays && !target; ++k) {
            const QDate day = next.date().addDays(k);
            if (dayAllowed(day))
                target = startOf(day);
        }
    }
    if (!target)
        return {};

    const qint64 minutes = now.secsTo(*target) / 60;
    const qint64 days = now.date().daysTo(target->date());
    switch (format) {
    case 0:
        return formatGeneralDate(*target);
    case 2:
        return QString::number(minutes);
    case 1:
        if (minutes <= 0)
            return QStringLiteral("Within a minute");
        if (days == 0)
            return formatDate(*target, QStringLiteral("h:mm am/pm")) + QStringLiteral("  ") +
                   minutesText(minutes);
        if (days <= 7)
            return formatDate(*target, QStringLiteral("dddd, h:mm am/pm"));
        return formatDate(*target, QStringLiteral("mm/dd/yy h:mm am/pm"));
    default:
        return {};
    }
}

bool clsMagicList::IsTimeToAutoUpdate(const QDateTime& lastChange) {
    const QString minutes = TimeOfNextUpdate(lastChange, 2);
    return !minutes.isEmpty() && minutes.toLongLong() <= 0;
}

QString clsMagicList::GetScheduleDesc() const {
    const MagicListSchedule& s = schedule_;
    QString when;
    switch (s.Option) {
    case 0:
        if (s.IntervalUnit == 1)
            when = QStringLiteral(", every ") + QString::number(s.Interval) +
                   QStringLiteral(" minutes");
        else if (s.IntervalUnit == 2)
            when = QStringLiteral(", every ") + numberText(s.Interval / 60.0) +
                   QStringLiteral(" Hours");
        else if (s.IntervalUnit == 3)
            when = QStringLiteral(", every ") + numberText(s.Interval / 1440.0) +
                   QStringLiteral(" Day(s)");
        break;
    case 1:
        if (s.HourMode == 1)
            when = QStringLiteral("at the top of each hour");
        else if (s.HourMode == 2)
            when = QStringLiteral("at the top and bottom of each hour");
        else if (s.HourMode == 3)
            when = QStringLiteral("on the quarter of the hour");
        break;
    case 2:
        when = s.TimesADay == 1 ? QStringLiteral("1 time each day")
                                : QString::number(s.TimesADay) + QStringLiteral(" times each day");
        break;
    default:
        return QStringLiteral("Images are not automatically updated.  You may manually change "
                              "images whenever you wish.");
    }
    QString days;
    if (s.DaysOnly != 0) {
        int allowed = 0;
        for (int16_t day : s.Days)
            allowed += day == VbTrue ? 1 : 0;
        days = QStringLiteral("Images will automatically update ") + QString::number(allowed) +
               QStringLiteral(" days a week");
    } else {
        days = QStringLiteral("Images will automatically update each day");
    }
    if (s.HoursOnly != 0)
        days += QStringLiteral(", ") + QString::number(s.EndHour - s.StartHour) +
                QStringLiteral(" hours a day,");
    return days + u' ' + when + u'.';
}

void clsMagicList::SetSchUpdateOption(int16_t option) {
    if (!busy_ && option >= 0 && option <= 3)
        schedule_.Option = option;
}
int16_t clsMagicList::GetSchUpdateOption() const {
    return schedule_.Option;
}

void clsMagicList::SetSchUpdateOnDaysOnly(bool value) {
    if (!busy_)
        schedule_.DaysOnly = vbBool(value);
}
bool clsMagicList::GetSchUpdateOnDaysOnly() const {
    return schedule_.DaysOnly != 0;
}

void clsMagicList::SetSchUpdateOnDay(int16_t day, bool value) {
    if (!busy_ && day >= 1 && day <= 7)
        schedule_.Days[day - 1] = vbBool(value);
}
bool clsMagicList::GetSchUpdateOnDay(int16_t day) const {
    return day >= 1 && day <= 7 && schedule_.Days[day - 1] != 0;
}

void clsMagicList::SetSchUpdateOnHours(bool value) {
    if (!busy_)
        schedule_.HoursOnly = vbBool(value);
}
bool clsMagicList::GetSchUpdateOnHours() const {
    return schedule_.HoursOnly != 0;
}

void clsMagicList::SetSchUpdateStartHour(int16_t hour) {
    if (!busy_ && hour >= 0 && hour <= 23)
        schedule_.StartHour = hour;
}
// The end hour is the first hour no longer in the window, so 24 (midnight
// at the end of the day) is a valid end: the window then runs to the end of
// the day, and the hour test, the minutes per day and the description all
// hold with it.
void clsMagicList::SetSchUpdateEndHour(int16_t hour) {
    if (!busy_ && hour >= 0 && hour <= 24)
        schedule_.EndHour = hour;
}
int16_t clsMagicList::GetSchUpdateStartHour() const {
    return schedule_.StartHour;
}
int16_t clsMagicList::GetSchUpdateEndHour() const {
    return schedule_.EndHour;
}

void clsMagicList::SetSchInterval(int16_t minutes) {
    if (!busy_)
        schedule_.Interval = minutes;
}
int16_t clsMagicList::GetSchInterval() const {
    return schedule_.Interval;
}

void clsMagicList::SetSchIntervalUnit(int16_t unit) {
    if (!busy_)
        schedule_.IntervalUnit = unit;
}
int16_t clsMagicList::GetSchIntervalUnit() const {
    return schedule_.IntervalUnit;
}

void clsMagicList::SetSchUpdateHour(int16_t mode) {
    if (!busy_)
        schedule_.HourMode = mode;
}
int16_t clsMagicList::GetSchUpdateHour() const {
    return schedule_.HourMode;
}

void clsMagicList::SetSchUpdateCounter(int16_t count) {
    if (!busy_)
        schedule_.TimesADay = count;
}
int16_t clsMagicList::GetSchUpdateCounter() const {
    return schedule_.TimesADay;
}
