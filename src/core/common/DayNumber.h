#pragma once

#include <QDate>

// Calendar days as the stored day numbers of the pharmacy's data: day 0 is 30 December 1899,
// so 2 is 1 January 1900 and a whole number names one day. Weekdays run Monday = 1 to Sunday = 7,
// which is what QDate::dayOfWeek() already returns.
namespace DayNumber {

inline constexpr qint64 kEpochJulianDay = 2415019; // QDate(1899, 12, 30).toJulianDay()

inline int fromDate(const QDate &date)
{
    return static_cast<int>(date.toJulianDay() - kEpochJulianDay);
}

inline QDate toDate(qint64 dayNumber)
{
    return QDate::fromJulianDay(dayNumber + kEpochJulianDay);
}

} // namespace DayNumber
