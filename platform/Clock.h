#pragma once

#include "runtime/Dates.h"

#include <QDateTime>

// Where the program reads the time of day. Times are wall-clock (see Dates.h).
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return wallClock(QDateTime::currentDateTime()); }
};

// A clock that stands still until told to move.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = makeDateTime(2024, 3, 4, 10, 0, 0)) : now_(start) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advanceSeconds(qint64 s) { now_ = now_.addSecs(s); }

private:
    QDateTime now_;
};
