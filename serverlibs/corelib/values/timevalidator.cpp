#include "timevalidator.h"

namespace SRCore {

namespace {

bool isAsciiDigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

} // namespace

TimeValidator::TimeValidator(QObject *parent)
    : QValidator(parent)
{}

QValidator::State TimeValidator::validate(QString &input, int &) const
{
    const qsizetype colon = input.indexOf(QLatin1Char(':'));
    if (colon != input.lastIndexOf(QLatin1Char(':'))) {
        return Invalid;
    }
    const QStringView text(input);
    const QStringView hours = (colon < 0 ? text : text.first(colon)).trimmed();
    const QStringView minutes = colon < 0 ? QStringView() : text.sliced(colon + 1).trimmed();
    if (hours.size() > 2 || minutes.size() > 2 || !isAsciiDigits(hours)
        || !isAsciiDigits(minutes)) {
        return Invalid;
    }
    if (hours.isEmpty() && minutes.isEmpty()) {
        return Acceptable;
    }
    if ((!hours.isEmpty() && hours.at(0) > QLatin1Char('2'))
        || (hours.size() == 2 && hours.toInt() > 23)
        || (!minutes.isEmpty() && minutes.at(0) > QLatin1Char('5'))) {
        return Invalid;
    }
    return hours.size() == 2 && minutes.size() == 2 ? Acceptable : Intermediate;
}

} // namespace SRCore
