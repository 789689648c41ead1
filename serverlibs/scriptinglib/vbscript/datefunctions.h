#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// The date and time functions: Now, Date, Time, Timer, DateAdd, DateDiff, DatePart,
// DateSerial, TimeSerial, DateValue, TimeValue, the parts of a date, WeekdayName, MonthName.
class DateFunctions
{
public:
    DateFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
