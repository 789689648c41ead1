#include "conversion.h"

#include "datetext.h"
#include "number.h"
#include "numbertext.h"
#include "runtimeerror.h"
#include "serialdate.h"

#include <cmath>

namespace VBScript {

namespace {

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
    Number number;
    if (Number::read(value, &number)) {
        *result = number.toDouble();
        return RuntimeError::None;
    }
    switch (value.type()) {
    case ValueType::Null:
        return RuntimeError::InvalidUseOfNull;
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
    Number number;
    if (Number::read(value, &number) && number.isWhole()) {
        *result = int(number.whole);
        return RuntimeError::None;
    }
    double real = 0;
    if (const int error = toDouble(value, &real)) {
        return error;
    }
    return wholeInRange(real, -2147483648.0, 2147483647.0, result);
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
    *result = qint64(roundHalfEven(number * Number::currencyScale));
    return RuntimeError::None;
}

int Conversion::toRoundedLong(const Value &value, Number *result)
{
    int whole = 0;
    if (const int error = toLong(value, &whole)) {
        return error;
    }
    *result = {Number::Kind::Long, whole, 0};
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
    case ValueType::Error:
        *result = QStringLiteral("Error %1").arg(value.asError());
        return RuntimeError::None;
    case ValueType::String:
        *result = value.asString();
        return RuntimeError::None;
    case ValueType::Reference:
        return toString(value.target(), result);
    default:
        break;
    }
    Number number;
    if (!Number::read(value, &number)) {
        return RuntimeError::TypeMismatch;
    }
    *result = number.toText();
    return RuntimeError::None;
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
