#include "editors/ScheduleValues.h"

#include "runtime/Conversions.h"
#include "runtime/Dates.h"
#include "runtime/RuntimeError.h"

namespace {

constexpr int32_t kLongestInterval = 32767; // minutes in the list's 16-bit field

// The box's text as a whole number, rounded as the runtime rounds; nothing
// when it is no number or does not fit 16 bits.
std::optional<int16_t> wholeNumber(const QString& text) {
    try {
        return cInt(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

QList<HourItem> hourListItems(HourList which) {
    QList<HourItem> items;
    const QDateTime midnight = makeDateTime(2000, 1, 1);
    for (int16_t h = 1; h <= 24; ++h) {
        const QString text = formatDate(midnight.addSecs(h * 3600), QStringLiteral("h:mm am/pm"));
        int16_t hour = h;
        if (h == 24 && which == HourList::Start)
            hour = 0;
        items.append(HourItem{text, hour});
    }
    return items;
}

const QList<IntervalUnit>& intervalUnits() {
    static const QList<IntervalUnit> units{
        {QStringLiteral("Minute(s)"), 1, 1},
        {QStringLiteral("Hour(s)"), 2, 60},
        {QStringLiteral("Day(s)"), 3, 1440},
    };
    return units;
}

int unitIndex(int16_t unit) {
    const QList<IntervalUnit>& units = intervalUnits();
    for (int i = 0; i < units.size(); ++i)
        if (units[i].unit == unit)
            return i;
    return 0;
}

QString intervalText(int16_t minutes, int16_t unit) {
    const int16_t size = intervalUnits()[unitIndex(unit)].minutes;
    return numberText(double(minutes) / size);
}

std::optional<int16_t> intervalMinutes(const QString& text, int16_t unitMinutes) {
    const std::optional<int16_t> n = wholeNumber(text);
    if (!n)
        return std::nullopt;
    const int32_t minutes = int32_t(*n) * unitMinutes;
    if (minutes < 1 || minutes > kLongestInterval)
        return std::nullopt;
    return static_cast<int16_t>(minutes);
}

std::optional<int16_t> positiveCount(const QString& text) {
    const std::optional<int16_t> n = wholeNumber(text);
    if (!n || *n < 1)
        return std::nullopt;
    return n;
}
