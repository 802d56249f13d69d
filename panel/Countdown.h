#pragma once

#include <QDateTime>
#include <QString>

// The time left until the next automatic change, as the control panel
// shows it: hours, minutes and seconds ("0:04:10"). The minutes count the
// minute boundaries between now and the change, less one while the current
// minute is under way; the seconds are what is left of the current minute.
// A change that is already past shows "0:00" and those seconds.
QString countdownText(const QDateTime& now, const QDateTime& next);
