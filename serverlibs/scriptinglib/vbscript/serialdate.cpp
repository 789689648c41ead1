#include "serialdate.h"

#include <cmath>

namespace VBScript {

namespace {

constexpr qint64 secondsPerDay = 86400;

qint64 dayZero()
{
    return QDate(1899, 12, 30).toJulianDay();
}

// The day and the seconds since its midnight, the time rounded to the second.
void split(double serial, qint64 *day, qint64 *seconds)
{
    double whole = std::trunc(serial);
    qint64 time = std::llround(std::fabs(serial - whole) * double(secondsPerDay));
    if (time >= secondsPerDay) {
        whole += serial < 0 ? -1 : 1;
        time = 0;
    }
    *day = qint64(whole);
    *seconds = time;
}

} // namespace

double SerialDate::fromDateTime(const QDate &date, const QTime &time)
{
    const double day = double(date.toJulianDay() - dayZero());
    const double fraction = fromTime(time);
    return day >= 0 ? day + fraction : day - fraction;
}

double SerialDate::fromTime(const QTime &time)
{
    return double(time.msecsSinceStartOfDay() / 1000) / double(secondsPerDay);
}

QDate SerialDate::date(double serial)
{
    qint64 day = 0;
    qint64 seconds = 0;
    split(serial, &day, &seconds);
    return QDate::fromJulianDay(dayZero() + day);
}

QTime SerialDate::time(double serial)
{
    return QTime(0, 0).addSecs(secondsOfDay(serial));
}

int SerialDate::secondsOfDay(double serial)
{
    qint64 day = 0;
    qint64 seconds = 0;
    split(serial, &day, &seconds);
    return int(seconds);
}

} // namespace VBScript
