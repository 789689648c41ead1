#include "number.h"

#include "datetext.h"
#include "numbertext.h"

#include <cmath>

namespace VBScript {

qint64 Number::toCurrency() const
{
    if (kind == Kind::Currency) {
        return whole;
    }
    if (isWhole()) {
        return whole * 10000;
    }
    return qint64(std::nearbyint(real * currencyScale));
}

QString Number::toText() const
{
    switch (kind) {
    case Kind::Byte:
    case Kind::Integer:
    case Kind::Long:
        return QString::number(whole);
    case Kind::Single:
        return NumberText::fromSingle(float(real));
    case Kind::Double:
        return NumberText::fromDouble(real);
    case Kind::Currency:
        return NumberText::fromCurrency(whole);
    case Kind::Date:
        return DateText::format(real, DateText::Format::General);
    }
    return QString();
}

} // namespace VBScript
