#include "runtime/Dates.h"

#include <QTimeZone>

namespace {

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

struct Cursor {
    const QString& s;
    qsizetype pos = 0;

    bool atEnd() const { return pos >= s.size(); }
    void skipSpaces() {
        while (!atEnd() && s[pos] == u' ')
            ++pos;
    }
    bool number(int& out, int maxDigits) {
        int digits = 0;
        int v = 0;
        while (!atEnd() && digits < maxDigits && s[pos] >= u'0' && s[pos] <= u'9') {
            v = v * 10 + (s[pos].unicode() - '0');
            ++pos;
            ++digits;
        }
        out = v;
        return digits > 0;
    }
    int digitsRead(qsizetype from) const { return static_cast<int>(pos - from); }
    bool take(QChar c) {
        if (!atEnd() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
};

// Two-digit years as the runtime reads them: 00-29 in this century, 30-99
// in the last.
int fullYear(int year, int digits) {
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

} // namespace

QDateTime makeDateTime(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc());
}

QDateTime wallClock(const QDateTime& any) {
    return QDateTime(any.date(), any.time(), QTimeZone::utc());
}

QDateTime defaultStamp() {
    return makeDateTime(2000, 1, 1, 12, 0, 0);
}

QString formatGeneralDate(const QDateTime& date) {
    const QDate d = date.date();
    const QTime t = date.time();
    QString text =
        QStringLiteral("%1/%2/%3").arg(d.month()).arg(d.day()).arg(d.year(), 4, 10, QChar(u'0'));
    if (t.hour() == 0 && t.minute() == 0 && t.second() == 0)
        return text;
    int h12 = t.hour() % 12;
    if (h12 == 0)
        h12 = 12;
    text += QStringLiteral(" %1:%2:%3 %4")
                .arg(h12)
                .arg(t.minute(), 2, 10, QChar(u'0'))
                .arg(t.second(), 2, 10, QChar(u'0'))
                .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
    return text;
}

std::optional<QDateTime> parseDate(const QString& input) {
    const QString text = input.trimmed();
    Cursor c{text};
    int month = 0, day = 0, year = 0;
    if (!c.number(month, 2) || !c.take(u'/') || !c.number(day, 2) || !c.take(u'/'))
        return std::nullopt;
    const qsizetype yearStart = c.pos;
    if (!c.number(year, 4))
        return std::nullopt;
    const int yearDigits = c.digitsRead(yearStart);
    if (yearDigits != 2 && yearDigits != 4)
        return std::nullopt;
    const QDate date(fullYear(year, yearDigits), month, day);
    if (!date.isValid())
        return std::nullopt;
    c.skipSpaces();
    if (c.atEnd())
        return makeDateTime(date.year(), date.month(), date.day());

    int hour = 0, minute = 0, second = 0;
    if (!c.number(hour, 2) || !c.take(u':') || !c.number(minute, 2))
        return std::nullopt;
    if (c.take(u':') && !c.number(second, 2))
        return std::nullopt;
    c.skipSpaces();
    if (!c.atEnd()) {
        const QString rest = text.mid(c.pos).toUpper();
        bool pm = false;
        if (rest == u"AM" || rest == u"A")
            pm = false;
        else if (rest == u"PM" || rest == u"P")
            pm = true;
        else
            return std::nullopt;
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = (hour % 12) + (pm ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return makeDateTime(date.year(), date.month(), date.day(), hour, minute, second);
}

int vbWeekday(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

QString formatDate(const QDateTime& value, const QString& pattern) {
    const QDate d = value.date();
    const QTime t = value.time();
    QString out;
    bool afterHour = false; // an "m" right after an hour token means minutes
    auto run = [&](qsizetype i, QChar ch) {
        qsizetype n = 0;
        while (i + n < pattern.size() && pattern[i + n].toLower() == ch)
            ++n;
        return n;
    };
    auto hasAmPm = [&] {
        const QString up = pattern.toUpper();
        return up.contains(u"AM/PM") || up.contains(u"A/P");
    };
    const bool twelveHour = hasAmPm();
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar ch = pattern[i];
        const QChar lower = ch.toLower();
        const QString rest = pattern.mid(i);
        if (rest.startsWith(u"AM/PM", Qt::CaseInsensitive)) {
            const bool upper = ch.isUpper();
            QString s = t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += upper ? s : s.toLower();
            i += 5;
            continue;
        }
        if (rest.startsWith(u"A/P", Qt::CaseInsensitive)) {
            QString s = t.hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            out += ch.isUpper() ? s : s.toLower();
            i += 3;
            continue;
        }
        if (lower == u'd') {
            const qsizetype n = run(i, u'd');
            if (n == 1)
                out += QString::number(d.day());
            else if (n == 2)
                out += QStringLiteral("%1").arg(d.day(), 2, 10, QChar(u'0'));
            else if (n == 3)
                out += QString::fromLatin1(kDayNames[d.dayOfWeek() % 7]).left(3);
            else
                out += QString::fromLatin1(kDayNames[d.dayOfWeek() % 7]);
            i += n;
            afterHour = false;
            continue;
        }
        if (lower == u'y') {
            const qsizetype n = run(i, u'y');
            if (n >= 3)
                out += QStringLiteral("%1").arg(d.year(), 4, 10, QChar(u'0'));
            else
                out += QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar(u'0'));
            i += n;
            afterHour = false;
            continue;
        }
        if (lower == u'h') {
            const qsizetype n = run(i, u'h');
            int h = t.hour();
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += n >= 2 ? QStringLiteral("%1").arg(h, 2, 10, QChar(u'0')) : QString::number(h);
            i += n;
            afterHour = true;
            continue;
        }
        if (lower == u'n' || (lower == u'm' && afterHour)) {
            const qsizetype n = run(i, lower);
            out += n >= 2 ? QStringLiteral("%1").arg(t.minute(), 2, 10, QChar(u'0'))
                          : QString::number(t.minute());
            i += n;
            afterHour = false;
            continue;
        }
        if (lower == u'm') {
            const qsizetype n = run(i, u'm');
            if (n == 1)
                out += QString::number(d.month());
            else if (n == 2)
                out += QStringLiteral("%1").arg(d.month(), 2, 10, QChar(u'0'));
            else if (n == 3)
                out += QString::fromLatin1(kMonthNames[d.month() - 1]).left(3);
            else
                out += QString::fromLatin1(kMonthNames[d.month() - 1]);
            i += n;
            continue;
        }
        if (lower == u's') {
            const qsizetype n = run(i, u's');
            out += n >= 2 ? QStringLiteral("%1").arg(t.second(), 2, 10, QChar(u'0'))
                          : QString::number(t.second());
            i += n;
            afterHour = false;
            continue;
        }
        if (ch != u':' && ch != u' ')
            afterHour = false;
        out += ch;
        ++i;
    }
    return out;
}
