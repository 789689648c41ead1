#pragma once

#include <QDate>
#include <QTime>

namespace VBScript {

// The engine's dates: days since 30 December 1899, the time of day as the fraction. Before day
// zero the fraction still counts forward from midnight (-1.25 is 29 December 1899, 6:00 AM).
// Times are kept to the second.
class SerialDate
{
public:
    SerialDate() = delete;

    // 1 January 100 and the end of 31 December 9999: the range the engine accepts.
    static constexpr double minimum = -657434.0;
    static constexpr double maximum = 2958466.0 - 1.0 / 86400.0;

    static bool isValid(double serial) { return serial >= minimum && serial < 2958466.0; }
    static double fromDateTime(const QDate &date, const QTime &time);
    static double fromDate(const QDate &date) { return fromDateTime(date, QTime(0, 0)); }
    // The time of day alone: a fraction of a day.
    static double fromTime(const QTime &time);
    static QDate date(double serial);
    static QTime time(double serial);
    // The whole seconds since midnight of the time of day.
    static int secondsOfDay(double serial);
};

} // namespace VBScript
