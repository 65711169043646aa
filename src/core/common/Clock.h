#pragma once

#include <QDate>
#include <QDateTime>

#include <functional>

// The one place that reads the system clock. Everything that needs "today" or "now" asks
// here, so tests and the demo can fix the date the whole application sees.
class Clock
{
public:
    static QDateTime now();
    static QDate today();

    // Makes now() return the given moment (advancing with real time when `running`).
    static void fix(const QDateTime &moment);
    static void reset();

private:
    static std::function<QDateTime()> &source();
};

// Fixes the clock for one scope and restores the system clock afterwards.
class FixedClock
{
public:
    explicit FixedClock(const QDateTime &moment) { Clock::fix(moment); }
    explicit FixedClock(const QDate &day, const QTime &time = QTime(10, 0))
        : FixedClock(QDateTime(day, time))
    { }
    ~FixedClock() { Clock::reset(); }
    FixedClock(const FixedClock &) = delete;
    FixedClock &operator=(const FixedClock &) = delete;
};
