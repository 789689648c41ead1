#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace VBScript {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool parseRadix(QStringView text, double *result)
{
    const QChar radix = text.at(1).toLower();
    const int base = radix == QLatin1Char('h') ? 16 : radix == QLatin1Char('o') ? 8 : 0;
    if (base == 0 || text.size() < 3) {
        return false;
    }
    quint64 value = 0;
    for (const QChar c : text.mid(2)) {
        const int digit =
            c.isDigit() ? c.digitValue()
            : (base == 16 && c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'))
                ? c.toLower().unicode() - 'a' + 10
                : -1;
        if (digit < 0 || digit >= base) {
            return false;
        }
        value = value * quint64(base) + quint64(digit);
        if (value > 0xFFFFFFFFu) {
            return false;
        }
    }
    *result = value <= 0xFFFF ? double(qint16(quint16(value))) : double(qint32(quint32(value)));
    return true;
}

QString printed(const char *format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return QString::fromLatin1(buffer);
}

// The decimal digits of |value| rounded half away from zero at `decimals` places: the whole
// part (at least "0") and the fraction (exactly `decimals` digits).
void roundedDigits(double value, int decimals, QString *whole, QString *fraction)
{
    // The value's 15 significant digits as a plain digit string with a decimal exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const QString scientific = QString::fromLatin1(buffer);
    const int e = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.left(e).remove(QLatin1Char('.'));
    int point = scientific.mid(e + 1).toInt() + 1; // digits before the decimal point
    if (value == 0) {
        digits = QStringLiteral("0");
        point = 1;
    }
    // Pad so that the digits reach the rounding place and have a whole part.
    if (point < 1) {
        digits.prepend(QString(1 - point, QLatin1Char('0')));
        point = 1;
    }
    const int keep = point + decimals;
    if (digits.size() < keep + 1) {
        digits.append(QString(keep + 1 - digits.size(), QLatin1Char('0')));
    }
    const bool roundUp = digits.at(keep) >= QLatin1Char('5');
    digits.truncate(keep);
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits.at(i) == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits.at(i).unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(QLatin1Char('1'));
            ++point;
        }
    }
    *whole = digits.left(point);
    while (whole->size() > 1 && whole->startsWith(QLatin1Char('0'))) {
        whole->remove(0, 1);
    }
    *fraction = digits.mid(point);
}

} // namespace

bool NumberText::parse(QStringView text, double *result)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.at(0) == QLatin1Char('&')) {
        return parseRadix(text, result);
    }
    bool negative = false;
    if (text.size() >= 2 && text.front() == QLatin1Char('(') && text.back() == QLatin1Char(')')) {
        negative = true;
        text = text.mid(1, text.size() - 2).trimmed();
    } else if (!text.isEmpty()
               && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1).trimmed();
    } else if (!text.isEmpty()
               && (text.back() == QLatin1Char('-') || text.back() == QLatin1Char('+'))) {
        negative = text.back() == QLatin1Char('-');
        text.chop(1);
        text = text.trimmed();
    }
    if (!text.isEmpty() && text.front() == QLatin1Char('$')) {
        text = text.mid(1).trimmed();
    }
    QString cleaned;
    cleaned.reserve(text.size());
    int i = 0;
    int digits = 0;
    for (; i < text.size() && (isDigit(text.at(i)) || text.at(i) == QLatin1Char(',')); ++i) {
        if (text.at(i) != QLatin1Char(',')) {
            cleaned.append(text.at(i));
            ++digits;
        }
    }
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        cleaned.append(QLatin1Char('.'));
        for (++i; i < text.size() && isDigit(text.at(i)); ++i) {
            cleaned.append(text.at(i));
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && QStringView(u"eEdD").contains(text.at(i))) {
        QString exponent = QStringLiteral("e");
        int j = i + 1;
        if (j < text.size() && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-'))) {
            exponent.append(text.at(j++));
        }
        const int start = j;
        while (j < text.size() && isDigit(text.at(j))) {
            exponent.append(text.at(j++));
        }
        if (j == start) {
            return false;
        }
        cleaned.append(exponent);
        i = j;
    }
    if (i != text.size()) {
        return false;
    }
    bool ok = false;
    const double value = cleaned.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return false;
    }
    *result = negative ? -value : value;
    return true;
}

QString NumberText::fromDouble(double value)
{
    return printed("%.15G", value);
}

QString NumberText::fromSingle(float value)
{
    return printed("%.7G", double(value));
}

QString NumberText::fromCurrency(qint64 tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const quint64 magnitude =
        negative ? quint64(0) - quint64(tenThousandths) : quint64(tenThousandths);
    QString text = QString::number(magnitude / 10000);
    quint64 fraction = magnitude % 10000;
    if (fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0'))) {
            decimals.chop(1);
        }
        text += QLatin1Char('.') + decimals;
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString NumberText::format(double value, const Layout &layout)
{
    QString whole;
    QString fraction;
    roundedDigits(value, std::max(0, layout.decimals), &whole, &fraction);
    // -0.001 shown with two decimals is 0.00, without a sign.
    const bool negative =
        value < 0
        && (whole != QLatin1String("0") || fraction.count(QLatin1Char('0')) != fraction.size());
    if (layout.groupDigits) {
        for (int i = whole.size() - 3; i > 0; i -= 3) {
            whole.insert(i, QLatin1Char(','));
        }
    }
    QString text = whole;
    if (!layout.leadingDigit && whole == QLatin1String("0") && !fraction.isEmpty()) {
        text.clear();
    }
    if (!fraction.isEmpty()) {
        text += QLatin1Char('.') + fraction;
    }
    if (negative) {
        text = layout.parentheses ? QLatin1Char('(') + text + QLatin1Char(')')
                                  : QLatin1Char('-') + text;
    }
    return text;
}

} // namespace VBScript
