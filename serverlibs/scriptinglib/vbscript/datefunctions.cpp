#include "datefunctions.h"

#include "builtinsupport.h"
#include "conversion.h"
#include "interpreter.h"
#include "runtimeerror.h"
#include "serialdate.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <iterator>

namespace VBScript {

namespace {

using Support = BuiltinSupport;

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

bool intervalOf(Interpreter &interpreter, const Value &value, Interval *interval)
{
    QString text;
    if (!interpreter.toString(value, &text)) {
        return false;
    }
    static const QHash<QString, Interval> intervals = {
        {QStringLiteral("yyyy"), Interval::Year}, {QStringLiteral("q"), Interval::Quarter},
        {QStringLiteral("m"), Interval::Month},   {QStringLiteral("y"), Interval::DayOfYear},
        {QStringLiteral("d"), Interval::Day},     {QStringLiteral("w"), Interval::Weekday},
        {QStringLiteral("ww"), Interval::Week},   {QStringLiteral("h"), Interval::Hour},
        {QStringLiteral("n"), Interval::Minute},  {QStringLiteral("s"), Interval::Second}};
    const auto found = intervals.constFind(text.toLower());
    if (found == intervals.constEnd()) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    *interval = *found;
    return true;
}

// A date argument; `isNull` when it is Null, which most functions pass on.
bool dateArgument(Interpreter &interpreter, const Value &value, double *serial, bool *isNull)
{
    *isNull = value.isNull();
    return *isNull || interpreter.toDate(value, serial);
}

bool dateResult(Interpreter &interpreter, double serial, Value &result)
{
    if (!SerialDate::isValid(serial)) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    result = Value::date(serial);
    return true;
}

// The first day of the week argument: 1 (Sunday) to 7; 0, the system's, is Sunday.
bool firstDayOfWeek(Interpreter &interpreter, const Arguments &arguments, int index, int *day)
{
    if (!Support::optionalLong(interpreter, arguments, index, 1, day)) {
        return false;
    }
    if (*day < 0 || *day > 7) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    if (*day == 0) {
        *day = 1;
    }
    return true;
}

// 1 for the first day of the week, up to 7.
int weekdayOf(const QDate &date, int firstDay)
{
    const int sundayBased = date.dayOfWeek() % 7 + 1; // Sunday 1 ... Saturday 7
    return (sundayBased - firstDay + 7) % 7 + 1;
}

QDate weekStart(const QDate &date, int firstDay)
{
    return date.addDays(1 - weekdayOf(date, firstDay));
}

// The first day of week 1 of `year`: the week of 1 January (vbFirstJan1), the first week with
// four days in the year (vbFirstFourDays) or the first whole week (vbFirstFullWeek).
QDate firstWeekStart(int year, int firstDay, int firstWeek)
{
    const QDate january1(year, 1, 1);
    switch (firstWeek) {
    case 2:
        return weekStart(QDate(year, 1, 4), firstDay);
    case 3:
        return weekdayOf(january1, firstDay) == 1 ? january1
                                                  : weekStart(january1, firstDay).addDays(7);
    default:
        return weekStart(january1, firstDay);
    }
}

int weekOfYear(const QDate &date, int firstDay, int firstWeek)
{
    QDate start = firstWeekStart(date.year(), firstDay, firstWeek);
    if (date < start) {
        start = firstWeekStart(date.year() - 1, firstDay, firstWeek);
    }
    return int(start.daysTo(date) / 7) + 1;
}

// The day and the seconds of its time: the engine's dates counted in seconds.
qint64 secondsOf(double serial)
{
    return SerialDate::date(serial).toJulianDay() * 86400 + SerialDate::secondsOfDay(serial);
}

bool now(Interpreter &, const Arguments &, Value &result)
{
    const QDateTime current = QDateTime::currentDateTime();
    result = Value::date(SerialDate::fromDateTime(current.date(), current.time()));
    return true;
}

bool today(Interpreter &, const Arguments &, Value &result)
{
    result = Value::date(SerialDate::fromDate(QDate::currentDate()));
    return true;
}

bool timeOfDay(Interpreter &, const Arguments &, Value &result)
{
    result = Value::date(SerialDate::fromTime(QTime::currentTime()));
    return true;
}

bool timer(Interpreter &, const Arguments &, Value &result)
{
    result = Value::single(float(QTime::currentTime().msecsSinceStartOfDay() / 10) / 100.0f);
    return true;
}

// Year, Month, Day, Hour, Minute, Second and Weekday: an Integer, or Null for Null.
template<int (*Part)(double serial)>
bool datePart(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double serial = 0;
    bool isNull = false;
    if (!dateArgument(interpreter, arguments[0], &serial, &isNull)) {
        return false;
    }
    result = isNull ? Value::null() : Value::integer(short(Part(serial)));
    return true;
}

int yearOf(double serial)
{
    return SerialDate::date(serial).year();
}

int monthOf(double serial)
{
    return SerialDate::date(serial).month();
}

int dayOf(double serial)
{
    return SerialDate::date(serial).day();
}

int hourOf(double serial)
{
    return SerialDate::secondsOfDay(serial) / 3600;
}

int minuteOf(double serial)
{
    return SerialDate::secondsOfDay(serial) / 60 % 60;
}

int secondOf(double serial)
{
    return SerialDate::secondsOfDay(serial) % 60;
}

bool weekday(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double serial = 0;
    bool isNull = false;
    int firstDay = 1;
    if (!dateArgument(interpreter, arguments[0], &serial, &isNull)
        || !firstDayOfWeek(interpreter, arguments, 1, &firstDay)) {
        return false;
    }
    result = isNull ? Value::null()
                    : Value::integer(short(weekdayOf(SerialDate::date(serial), firstDay)));
    return true;
}

bool dateAdd(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Interval interval = Interval::Day;
    double amount = 0;
    double serial = 0;
    bool isNull = false;
    if (!intervalOf(interpreter, arguments[0], &interval)
        || !interpreter.toDouble(arguments[1], &amount)
        || !dateArgument(interpreter, arguments[2], &serial, &isNull)) {
        return false;
    }
    if (isNull) {
        result = Value::null();
        return true;
    }
    amount = Conversion::roundHalfEven(amount);
    if (std::fabs(amount) > 1e7 * 12) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    const qint64 count = qint64(amount);
    const QDate date = SerialDate::date(serial);
    const QTime time = SerialDate::time(serial);
    switch (interval) {
    case Interval::Year:
        return dateResult(interpreter,
                          SerialDate::fromDateTime(date.addMonths(int(count * 12)), time), result);
    case Interval::Quarter:
        return dateResult(interpreter,
                          SerialDate::fromDateTime(date.addMonths(int(count * 3)), time), result);
    case Interval::Month:
        return dateResult(interpreter, SerialDate::fromDateTime(date.addMonths(int(count)), time),
                          result);
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        return dateResult(interpreter, SerialDate::fromDateTime(date.addDays(count), time), result);
    case Interval::Week:
        return dateResult(interpreter, SerialDate::fromDateTime(date.addDays(count * 7), time),
                          result);
    default: {
        const qint64 unit = interval == Interval::Hour     ? 3600
                            : interval == Interval::Minute ? 60
                                                           : 1;
        const qint64 seconds = secondsOf(serial) + count * unit;
        const qint64 day = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
        return dateResult(interpreter,
                          SerialDate::fromDateTime(QDate::fromJulianDay(day),
                                                   QTime(0, 0).addSecs(int(seconds - day * 86400))),
                          result);
    }
    }
}

bool dateDiff(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Interval interval = Interval::Day;
    double first = 0;
    double second = 0;
    bool firstNull = false;
    bool secondNull = false;
    int firstDay = 1;
    if (!intervalOf(interpreter, arguments[0], &interval)
        || !dateArgument(interpreter, arguments[1], &first, &firstNull)
        || !dateArgument(interpreter, arguments[2], &second, &secondNull)
        || !firstDayOfWeek(interpreter, arguments, 3, &firstDay)) {
        return false;
    }
    if (firstNull || secondNull) {
        result = Value::null();
        return true;
    }
    const QDate from = SerialDate::date(first);
    const QDate to = SerialDate::date(second);
    qint64 difference = 0;
    switch (interval) {
    case Interval::Year:
        difference = to.year() - from.year();
        break;
    case Interval::Quarter:
        difference =
            (to.year() * 4 + (to.month() - 1) / 3) - (from.year() * 4 + (from.month() - 1) / 3);
        break;
    case Interval::Month:
        difference = (to.year() * 12 + to.month()) - (from.year() * 12 + from.month());
        break;
    case Interval::DayOfYear:
    case Interval::Day:
        difference = from.daysTo(to);
        break;
    case Interval::Weekday:
        difference = from.daysTo(to) / 7;
        break;
    case Interval::Week:
        difference = weekStart(from, firstDay).daysTo(weekStart(to, firstDay)) / 7;
        break;
    case Interval::Hour:
        difference = secondsOf(second) / 3600 - secondsOf(first) / 3600;
        break;
    case Interval::Minute:
        difference = secondsOf(second) / 60 - secondsOf(first) / 60;
        break;
    case Interval::Second:
        difference = secondsOf(second) - secondsOf(first);
        break;
    }
    result = Value::longValue(int(difference));
    return true;
}

bool datePartFunction(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Interval interval = Interval::Day;
    double serial = 0;
    bool isNull = false;
    int firstDay = 1;
    int firstWeek = 1;
    if (!intervalOf(interpreter, arguments[0], &interval)
        || !dateArgument(interpreter, arguments[1], &serial, &isNull)
        || !firstDayOfWeek(interpreter, arguments, 2, &firstDay)
        || !Support::optionalLong(interpreter, arguments, 3, 1, &firstWeek)) {
        return false;
    }
    if (firstWeek < 0 || firstWeek > 3) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    if (isNull) {
        result = Value::null();
        return true;
    }
    const QDate date = SerialDate::date(serial);
    int part = 0;
    switch (interval) {
    case Interval::Year:
        part = date.year();
        break;
    case Interval::Quarter:
        part = (date.month() - 1) / 3 + 1;
        break;
    case Interval::Month:
        part = date.month();
        break;
    case Interval::DayOfYear:
        part = date.dayOfYear();
        break;
    case Interval::Day:
        part = date.day();
        break;
    case Interval::Weekday:
        part = weekdayOf(date, firstDay);
        break;
    case Interval::Week:
        part = weekOfYear(date, firstDay, firstWeek == 0 ? 1 : firstWeek);
        break;
    case Interval::Hour:
        part = hourOf(serial);
        break;
    case Interval::Minute:
        part = minuteOf(serial);
        break;
    case Interval::Second:
        part = secondOf(serial);
        break;
    }
    result = Value::integer(short(part));
    return true;
}

bool dateSerial(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int year = 0;
    int month = 0;
    int day = 0;
    if (!interpreter.toLong(arguments[0], &year) || !interpreter.toLong(arguments[1], &month)
        || !interpreter.toLong(arguments[2], &day)) {
        return false;
    }
    if (year >= 0 && year <= 99) {
        year += 1900;
    }
    // Months and days beyond their range carry into the next (or previous) ones.
    const qint64 months = qint64(year) * 12 + (month - 1);
    const qint64 normalizedYear = months >= 0 ? months / 12 : (months - 11) / 12;
    if (normalizedYear < 100 || normalizedYear > 9999) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    const QDate first(int(normalizedYear), int(months - normalizedYear * 12) + 1, 1);
    return dateResult(interpreter, SerialDate::fromDate(first.addDays(qint64(day) - 1)), result);
}

bool timeSerial(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (!interpreter.toLong(arguments[i], &parts[i])) {
            return false;
        }
    }
    const qint64 seconds = qint64(parts[0]) * 3600 + qint64(parts[1]) * 60 + parts[2];
    const qint64 days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const QDate date = QDate(1899, 12, 30).addDays(days);
    return dateResult(
        interpreter,
        SerialDate::fromDateTime(date, QTime(0, 0).addSecs(int(seconds - days * 86400))), result);
}

// DateValue and TimeValue: the date or the time of a date or a text.
bool dateOrTimeValue(Interpreter &interpreter, const Arguments &arguments, Value &result, bool date)
{
    double serial = 0;
    bool isNull = false;
    if (!dateArgument(interpreter, arguments[0], &serial, &isNull)) {
        return false;
    }
    if (isNull) {
        result = Value::null();
    } else if (date) {
        result = Value::date(SerialDate::fromDate(SerialDate::date(serial)));
    } else {
        result = Value::date(SerialDate::fromTime(SerialDate::time(serial)));
    }
    return true;
}

bool dateValue(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return dateOrTimeValue(interpreter, arguments, result, true);
}

bool timeValue(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return dateOrTimeValue(interpreter, arguments, result, false);
}

bool monthName(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int month = 0;
    bool abbreviate = false;
    if (!interpreter.toLong(arguments[0], &month)
        || (!arguments.isMissing(1) && !interpreter.toBoolean(arguments[1], &abbreviate))) {
        return false;
    }
    if (month < 1 || month > 12) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    result = Value::string(
        english.monthName(month, abbreviate ? QLocale::ShortFormat : QLocale::LongFormat));
    return true;
}

bool weekdayName(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int day = 0;
    bool abbreviate = false;
    int firstDay = 1;
    if (!interpreter.toLong(arguments[0], &day)
        || (!arguments.isMissing(1) && !interpreter.toBoolean(arguments[1], &abbreviate))
        || !firstDayOfWeek(interpreter, arguments, 2, &firstDay)) {
        return false;
    }
    if (day < 1 || day > 7) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    const int sundayBased = (day - 1 + firstDay - 1) % 7; // 0 is Sunday
    const int qtDay = sundayBased == 0 ? 7 : sundayBased;
    result = Value::string(
        english.dayName(qtDay, abbreviate ? QLocale::ShortFormat : QLocale::LongFormat));
    return true;
}

constexpr Builtin functions[] = {
    {"Now", now, 0, 0},
    {"Date", today, 0, 0},
    {"Time", timeOfDay, 0, 0},
    {"Timer", timer, 0, 0},
    {"Year", datePart<yearOf>, 1, 1},
    {"Month", datePart<monthOf>, 1, 1},
    {"Day", datePart<dayOf>, 1, 1},
    {"Hour", datePart<hourOf>, 1, 1},
    {"Minute", datePart<minuteOf>, 1, 1},
    {"Second", datePart<secondOf>, 1, 1},
    {"Weekday", weekday, 1, 2},
    {"DateAdd", dateAdd, 3, 3},
    {"DateDiff", dateDiff, 3, 5},
    {"DatePart", datePartFunction, 2, 4},
    {"DateSerial", dateSerial, 3, 3},
    {"TimeSerial", timeSerial, 3, 3},
    {"DateValue", dateValue, 1, 1},
    {"TimeValue", timeValue, 1, 1},
    {"MonthName", monthName, 1, 2},
    {"WeekdayName", weekdayName, 1, 3},
};

} // namespace

void DateFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
