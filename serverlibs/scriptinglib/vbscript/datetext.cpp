#include "datetext.h"

#include "serialdate.h"

#include <QList>
#include <QLocale>

#include <optional>

namespace VBScript {

namespace {

bool isDecimalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isBlank(QChar c)
{
    return c != QLatin1Char('\n') && c != QLatin1Char('\r') && c.isSpace();
}

struct DateItem
{
    enum Type { Number, Word, Separator };
    Type type = Number;
    int number = 0;
    int digits = 0;
    QString word; // lower case
    QChar separator;
};

bool splitDateText(QStringView text, QList<DateItem> *items)
{
    int i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        DateItem item;
        if (isDecimalDigit(c)) {
            const int start = i;
            while (i < text.size() && isDecimalDigit(text.at(i))) {
                item.number = item.number * 10 + (text.at(i).unicode() - u'0');
                if (++i - start > 4) {
                    return false;
                }
            }
            item.digits = i - start;
        } else if (c.isLetter()) {
            item.type = DateItem::Word;
            const int start = i;
            while (i < text.size() && text.at(i).isLetter()) {
                ++i;
            }
            item.word = text.mid(start, i - start).toString().toLower();
        } else if (QStringView(u"/-.,:").contains(c)) {
            item.type = DateItem::Separator;
            item.separator = c;
            ++i;
        } else if (isBlank(c)) {
            ++i;
            continue;
        } else {
            return false;
        }
        items->append(item);
    }
    return true;
}

bool isNumber(const QList<DateItem> &items, int index)
{
    return index >= 0 && index < items.size() && items.at(index).type == DateItem::Number;
}

bool isSeparator(const QList<DateItem> &items, int index, QStringView separators)
{
    return index >= 0 && index < items.size() && items.at(index).type == DateItem::Separator
           && separators.contains(items.at(index).separator);
}

bool isMeridiem(const QList<DateItem> &items, int index)
{
    return index >= 0 && index < items.size() && items.at(index).type == DateItem::Word
           && (items.at(index).word == u"am" || items.at(index).word == u"pm");
}

// Removes the time of day (h[:mm[:ss]] [AM|PM], or h AM|PM) from `items` and reads it.
// Returns false for a malformed time; leaves `time` empty when there is none.
bool takeTime(QList<DateItem> *items, std::optional<QTime> *time)
{
    int start = -1;
    for (int i = 0; i < items->size() && start < 0; ++i) {
        const bool colon = isSeparator(*items, i, u":");
        if (colon || isMeridiem(*items, i)) {
            if (!isNumber(*items, i - 1)) {
                return false;
            }
            start = i - 1;
        }
    }
    if (start < 0) {
        return true;
    }
    int fields[3] = {items->at(start).number, 0, 0};
    int end = start + 1;
    for (int field = 1; field < 3 && isSeparator(*items, end, u":"); ++field) {
        if (!isNumber(*items, end + 1)) {
            return false;
        }
        fields[field] = items->at(end + 1).number;
        end += 2;
    }
    int hour = fields[0];
    if (isMeridiem(*items, end)) {
        if (hour > 12) {
            return false;
        }
        hour %= 12;
        if (items->at(end).word == u"pm") {
            hour += 12;
        }
        ++end;
    }
    if (hour > 23 || fields[1] > 59 || fields[2] > 59) {
        return false;
    }
    *time = QTime(hour, fields[1], fields[2]);
    items->erase(items->begin() + start, items->begin() + end);
    return true;
}

// 1 to 12 for an English month name or an abbreviation of at least three letters, else 0.
int monthOfName(const QString &word)
{
    static const char *const names[] = {"january",   "february", "march",    "april",
                                        "may",       "june",     "july",     "august",
                                        "september", "october",  "november", "december"};
    if (word.size() < 3) {
        return 0;
    }
    for (int i = 0; i < 12; ++i) {
        if (QLatin1String(names[i]).startsWith(word)) {
            return i + 1;
        }
    }
    return 0;
}

int fullYear(const DateItem &year)
{
    if (year.digits <= 2) {
        return year.number < 30 ? 2000 + year.number : 1900 + year.number;
    }
    return year.number;
}

// Reads the date part: m/d/y, m-d-y, y/m/d (four-digit year first), m/d (this year), or with a
// month name ("January 2, 2003", "2 Jan 2003", "Jan 2"). A first number above 12 with a second
// of 12 or less is taken as the day, as the script engine does.
bool readDate(const QList<DateItem> &items, QDate *date)
{
    QList<DateItem> numbers;
    int month = 0;
    int numbersBeforeMonth = 0;
    bool numeric = true;
    for (int i = 0; i < items.size(); ++i) {
        const DateItem &item = items.at(i);
        if (item.type == DateItem::Number) {
            numbers.append(item);
        } else if (item.type == DateItem::Word) {
            if (!numeric || (month = monthOfName(item.word)) == 0) {
                return false;
            }
            numeric = false;
            numbersBeforeMonth = numbers.size();
        } else if (item.separator == QLatin1Char(':')) {
            return false;
        }
    }
    int day = 0;
    std::optional<DateItem> year;
    if (numeric) {
        // Numbers and separators must alternate, starting and ending with a number.
        for (int i = 0; i < items.size(); ++i) {
            const bool wantNumber = i % 2 == 0;
            if (wantNumber != (items.at(i).type == DateItem::Number)
                || (!wantNumber && items.at(i).separator == QLatin1Char(','))) {
                return false;
            }
        }
        if (items.size() % 2 == 0 || (numbers.size() != 2 && numbers.size() != 3)) {
            return false;
        }
        if (numbers.size() == 3 && numbers.at(0).digits >= 3) {
            year = numbers.at(0);
            month = numbers.at(1).number;
            day = numbers.at(2).number;
        } else {
            month = numbers.at(0).number;
            day = numbers.at(1).number;
            if (numbers.size() == 3) {
                year = numbers.at(2);
            }
            if (month > 12 && day <= 12) {
                std::swap(month, day);
            }
        }
    } else {
        if (numbers.isEmpty() || numbers.size() > 2 || numbersBeforeMonth > 1) {
            return false;
        }
        day = numbers.at(0).number;
        if (numbers.size() == 2) {
            year = numbers.at(1);
        }
    }
    const int fullYearValue = year ? fullYear(*year) : QDate::currentDate().year();
    if (fullYearValue < 100 || fullYearValue > 9999) {
        return false;
    }
    *date = QDate(fullYearValue, month, day);
    return date->isValid();
}

} // namespace

bool DateText::parse(QStringView text, QDateTime *result)
{
    QList<DateItem> items;
    std::optional<QTime> time;
    if (!splitDateText(text, &items) || !takeTime(&items, &time)) {
        return false;
    }
    QDate date(1899, 12, 30);
    if (items.isEmpty() ? !time : !readDate(items, &date)) {
        return false;
    }
    *result = QDateTime(date, time.value_or(QTime(0, 0)), Qt::UTC);
    return true;
}

bool DateText::parseSerial(QStringView text, double *serial)
{
    QDateTime value;
    if (!parse(text, &value)) {
        return false;
    }
    *serial = SerialDate::fromDateTime(value.date(), value.time());
    return SerialDate::isValid(*serial);
}

QString DateText::format(double serial, Format format)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDate date = SerialDate::date(serial);
    const QTime time = SerialDate::time(serial);
    switch (format) {
    case Format::LongDate:
        return english.toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
    case Format::ShortDate:
        return english.toString(date, QStringLiteral("M/d/yyyy"));
    case Format::LongTime:
        return english.toString(time, QStringLiteral("h:mm:ss AP"));
    case Format::ShortTime:
        return english.toString(time, QStringLiteral("HH:mm"));
    case Format::General:
        break;
    }
    const bool hasDate = date != QDate(1899, 12, 30);
    const bool hasTime = SerialDate::secondsOfDay(serial) != 0;
    if (!hasDate) {
        return english.toString(time, QStringLiteral("h:mm:ss AP"));
    }
    QString text = english.toString(date, QStringLiteral("M/d/yyyy"));
    if (hasTime) {
        text += QLatin1Char(' ') + english.toString(time, QStringLiteral("h:mm:ss AP"));
    }
    return text;
}

} // namespace VBScript
