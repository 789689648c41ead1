#pragma once

#include "number.h"
#include "runtimeerror.h"
#include "value.h"

namespace VBScript {

// Conversions of a value to one subtype, as the C... functions and the operators make them.
// Each returns RuntimeError::None or the number of the error: TypeMismatch, InvalidUseOfNull or
// Overflow. Objects must have been replaced by their default value before; they and arrays do
// not convert.
class Conversion
{
public:
    Conversion() = delete;

    static int toDouble(const Value &value, double *result);
    // Rounded half to even, as the engine rounds to whole numbers.
    static int toLong(const Value &value, int *result);
    static int toInteger(const Value &value, short *result);
    static int toByte(const Value &value, unsigned char *result);
    static int toSingle(const Value &value, float *result);
    static int toCurrency(const Value &value, qint64 *result);
    // The whole number that \, Mod, the logical operators, Hex and Oct work with: Bytes stay
    // Bytes; Integers, Booleans and Empty are Integers; other values are rounded to a Long.
    // Inline for the whole subtypes, which loops count with.
    static int toWhole(const Value &value, Number *result)
    {
        if (Number::read(value, result) && result->isWhole()) {
            return RuntimeError::None;
        }
        return toRoundedLong(value, result);
    }
    // Numbers are True unless zero; texts "True" and "False" in any case, or numbers.
    static int toBoolean(const Value &value, bool *result);
    // A date serial (SerialDate).
    static int toDate(const Value &value, double *result);
    // CStr: Empty gives "", Booleans "True" and "False", numbers and dates their en-US text.
    static int toString(const Value &value, QString *result);
    // What IsNumeric answers: numbers, Booleans, Empty and texts that read as numbers.
    static bool isNumeric(const Value &value);

    static double roundHalfEven(double value);

private:
    static int toRoundedLong(const Value &value, Number *result);
};

} // namespace VBScript
