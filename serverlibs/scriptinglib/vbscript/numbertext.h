#pragma once

#include <QString>
#include <QStringView>

namespace VBScript {

// Numbers as the engine writes and reads them in the en-US locale.
class NumberText
{
public:
    NumberText() = delete;

    // A number in text: blanks around it, a sign before or after it or parentheses around it,
    // a leading '$', ',' between the digits of the whole part, a decimal point, an exponent
    // (E or D), or &H and &O numbers (whose digits are the bits of an Integer, up to 16 bits,
    // or of a Long). False when the text is not one.
    static bool parse(QStringView text, double *result);

    // CStr of a Double: up to 15 significant digits, in E notation below 1E-4 or from 1E+15.
    static QString fromDouble(double value);
    // CStr of a Single: up to 7 significant digits.
    static QString fromSingle(float value);
    // CStr of a Currency: up to four decimals, without trailing zeros.
    static QString fromCurrency(qint64 tenThousandths);

    struct Layout
    {
        int decimals = 2;
        bool leadingDigit = true; // 0.5 rather than .5
        bool parentheses = false; // (5.00) rather than -5.00
        bool groupDigits = true;  // 1,234.00
    };
    // FormatNumber's text: `value` rounded half away from zero at `decimals` (counted on the
    // value's 15 significant digits, as the engine's decimal conversion does).
    static QString format(double value, const Layout &layout);
};

} // namespace VBScript
