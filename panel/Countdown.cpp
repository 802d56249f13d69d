#include "panel/Countdown.h"

namespace {

// Minutes since a fixed day, counting whole minutes only.
qint64 minuteNumber(const QDateTime& t) {
    static const QDate epoch(2000, 1, 1);
    return epoch.daysTo(t.date()) * 1440 + t.time().hour() * 60 + t.time().minute();
}

} // namespace

QString countdownText(const QDateTime& now, const QDateTime& next) {
    qint64 minutes = minuteNumber(next) - minuteNumber(now);
    const int seconds = now.time().second();
    if (seconds > 0)
        --minutes;
    QString text;
    if (minutes >= 0)
        text = QString::number(minutes / 60) + u':' +
               QStringLiteral("%1").arg(minutes % 60, 2, 10, QChar(u'0'));
    else
        text = QStringLiteral("0:00");
    if (seconds > 0)
        text += u':' + QStringLiteral("%1").arg(60 - seconds, 2, 10, QChar(u'0'));
    else
        text += QStringLiteral(":00");
    return text;
}
