#pragma once

#include <QDateTime>
#include <QStringView>

namespace VBScript {

// Reads dates and times written as the engine reads them in the en-US locale: in date literals
// (#1/2/2003#) and in texts converted to dates (CDate, IsDate, DateValue).
class DateText
{
public:
    DateText() = delete;

    // A date, a time of day or both: m/d/y, m-d-y, y/m/d (four-digit year first), m/d (this
    // year), or with an English month name ("January 2, 2003", "2 Jan 2003", "Jan 2"); times as
    // h:mm[:ss] [AM|PM] or h AM|PM. Two-digit years below 30 are in the 2000s. A first number
    // above 12 with a second of 12 or less is taken as the day. The result is in UTC standing for
    // the wall-clock value; a time alone falls on 30 December 1899, the engine's day zero.
    static bool parse(QStringView text, QDateTime *result);
    // The same as a date serial (SerialDate); false also for dates outside its range.
    static bool parseSerial(QStringView text, double *serial);

    enum class Format { General, LongDate, ShortDate, LongTime, ShortTime };
    // The en-US texts of FormatDateTime: General is CStr's (the date alone at midnight, the
    // time alone on day zero), LongDate "Thursday, January 2, 2003", ShortDate "1/2/2003",
    // LongTime "10:30:00 PM", ShortTime "22:30".
    static QString format(double serial, Format format);
};

} // namespace VBScript
