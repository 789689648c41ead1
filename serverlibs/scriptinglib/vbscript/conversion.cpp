#include "conversion.h"

#include "datetext.h"
#include "numbertext.h"
#include "runtimeerror.h"
#include "serialdate.h"

#include <cmath>

namespace VBScript {

namespace {

constexpr double currencyScale = 10000.0;
// The Currency range: 922,337,203,685,477.5807 either way.
constexpr double currencyLimit = 922337203685477.5807;

template<typename T>
int wholeInRange(double value, double low, double high, T *result)
{
    const double rounded = Conversion::roundHalfEven(value);
    if (!(rounded >= low && rounded <= high)) {
        return RuntimeError::Overflow;
    }
    *result = T(rounded);
    return RuntimeError::None;
}

} // namespace

double Conversion::roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode rounds half to even
}

int Conversion::toDouble(const Value &value, double *result)
{
    switch (value.type()) {
    case ValueType::Empty:
        *result = 0;
        return RuntimeError::None;
    case ValueType::Null:
        return RuntimeError::InvalidUseOfNull;
    case ValueType::Boolean:
        *result = value.asBoolean() ? -1 : 0;
        return RuntimeError::None;
    case ValueType::Byte:
        *result = value.asByte();
        return RuntimeError::None;
    case ValueType::Integer:
        *result = value.asInteger();
        return RuntimeError::None;
    case ValueType::Long:
        *result = value.asLong();
        return RuntimeError::None;
    case ValueType::Single:
        *result = double(value.asSingle());
        return RuntimeError::None;
    case ValueType::Double:
    case ValueType::Date:
        *result = value.asDouble();
        return RuntimeError::None;
    case ValueType::Currency:
        *result = double(value.asCurrency()) / currencyScale;
        return RuntimeError::None;
    case ValueType::String:
        return NumberText::parse(value.asString(), result) ? RuntimeError::None
                                                           : RuntimeError::TypeMismatch;
    case ValueType::Reference:
        return toDouble(value.target(), result);
    default:
        return RuntimeError::TypeMismatch;
    }
}

int Conversion::toLong(const Value &value, int *result)
{
    switch (value.type()) {
    case ValueType::Byte:
        *result = value.asByte();
        return RuntimeError::None;
    case ValueType::Integer:
        *result = value.asInteger();
        return RuntimeError::None;
    case ValueType::Long:
        *result = value.asLong();
        return RuntimeError::None;
    case ValueType::Boolean:
        *result = value.asBoolean() ? -1 : 0;
        return RuntimeError::None;
    default:
        break;
    }
    double number = 0;
    if (const int error = toDouble(value, &number)) {
        return error;
    }
    return wholeInRange(number, -2147483648.0, 2147483647.0, result);
}

int Conversion::toInteger(const Value &value, short *result)
{
    double number = 0;
    if (const int error = toDouble(value, &number)) {
        return error;
    }
    return wholeInRange(number, -32768.0, 32767.0, result);
}

int Conversion::toByte(const Value &value, unsigned char *result)
{
    double number = 0;
    if (const int error = toDouble(value, &number)) {
        return error;
    }
    return wholeInRange(number, 0.0, 255.0, result);
}

int Conversion::toSingle(const Value &value, float *result)
{
    double number = 0;
    if (const int error = toDouble(value, &number)) {
        return error;
    }
    if (std::fabs(number) > 3.402823466e38) {
        return RuntimeError::Overflow;
    }
    *result = float(number);
    return RuntimeError::None;
}

int Conversion::toCurrency(const Value &value, qint64 *result)
{
    if (value.type() == ValueType::Currency) {
        *result = value.asCurrency();
        return RuntimeError::None;
    }
    double number = 0;
    if (const int error = toDouble(value, &number)) {
        return error;
    }
    if (!(std::fabs(number) <= currencyLimit)) {
        return RuntimeError::Overflow;
    }
    *result = qint64(roundHalfEven(number * currencyScale));
    return RuntimeError::None;
}

int Conversion::toBoolean(const Value &value, bool *result)
{
    switch (value.type()) {
    case ValueType::Boolean:
        *result = value.asBoolean();
        return RuntimeError::None;
    case ValueType::String: {
        const QStringView text = QStringView(value.asString()).trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
            *result = true;
            return RuntimeError::None;
        }
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
            *result = false;
            return RuntimeError::None;
        }
        break;
    }
    case ValueType::Reference:
        return toBoolean(value.target(), result);
    default:
        break;
    }
    double number = 0;
    if (const int error = toDouble(value, &number)) {
        return error;
    }
    *result = number != 0;
    return RuntimeError::None;
}

int Conversion::toDate(const Value &value, double *result)
{
    switch (value.type()) {
    case ValueType::Date:
        *result = value.asDate();
        return RuntimeError::None;
    case ValueType::String:
        return DateText::parseSerial(value.asString(), result) ? RuntimeError::None
                                                               : RuntimeError::TypeMismatch;
    default:
        break;
    }
    double number = 0;
    if (const int error = toDouble(value, &number)) {
        return error;
    }
    if (!SerialDate::isValid(number)) {
        return RuntimeError::Overflow;
    }
    *result = number;
    return RuntimeError::None;
}

int Conversion::toString(const Value &value, QString *result)
{
    switch (value.type()) {
    case ValueType::Empty:
        result->clear();
        return RuntimeError::None;
    case ValueType::Null:
        return RuntimeError::InvalidUseOfNull;
    case ValueType::Boolean:
        *result = value.asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
        return RuntimeError::None;
    case ValueType::Byte:
        *result = QString::number(value.asByte());
        return RuntimeError::None;
    case ValueType::Integer:
        *result = QString::number(value.asInteger());
        return RuntimeError::None;
    case ValueType::Long:
        *result = QString::number(value.asLong());
        return RuntimeError::None;
    case ValueType::Single:
        *result = NumberText::fromSingle(value.asSingle());
        return RuntimeError::None;
    case ValueType::Double:
        *result = NumberText::fromDouble(value.asDouble());
        return RuntimeError::None;
    case ValueType::Currency:
        *result = NumberText::fromCurrency(value.asCurrency());
        return RuntimeError::None;
    case ValueType::Date:
        *result = DateText::format(value.asDate(), DateText::Format::General);
        return RuntimeError::None;
    case ValueType::Error:
        *result = QStringLiteral("Error %1").arg(value.asError());
        return RuntimeError::None;
    case ValueType::String:
        *result = value.asString();
        return RuntimeError::None;
    case ValueType::Reference:
        return toString(value.target(), result);
    default:
        return RuntimeError::TypeMismatch;
    }
}

bool Conversion::isNumeric(const Value &value)
{
    switch (value.type()) {
    case ValueType::Empty:
    case ValueType::Boolean:
        return true;
    case ValueType::String: {
        double number = 0;
        return NumberText::parse(value.asString(), &number);
    }
    case ValueType::Reference:
        return isNumeric(value.target());
    default:
        return value.isNumber();
    }
}

} // namespace VBScript
