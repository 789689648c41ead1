#include "urlvalidator.h"

#include "corelib/common/validation.h"

#include <QUrl>

namespace SRCore {

namespace {

using State = QValidator::State;

constexpr int kMaxPort = 65535;

// Invalid < Intermediate < Acceptable.
State worse(State left, State right)
{
    return left < right ? left : right;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isValidScheme(QStringView scheme)
{
    if (scheme.isEmpty() || !isAsciiLetter(scheme.at(0))) {
        return false;
    }
    for (const QChar c : scheme) {
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != QLatin1Char('+') && c != QLatin1Char('-')
            && c != QLatin1Char('.')) {
            return false;
        }
    }
    return true;
}

State portState(QStringView port)
{
    if (port.isEmpty()) {
        return QValidator::Intermediate;
    }
    if (port.size() > 5) {
        return QValidator::Invalid;
    }
    for (const QChar c : port) {
        if (!isAsciiDigit(c)) {
            return QValidator::Invalid;
        }
    }
    const int number = port.toInt();
    if (number > kMaxPort) {
        return QValidator::Invalid;
    }
    return number == 0 ? QValidator::Intermediate : QValidator::Acceptable;
}

State ipv4State(QStringView host)
{
    const QList<QStringView> parts = host.split(QLatin1Char('.'));
    if (parts.size() > 4) {
        return QValidator::Invalid;
    }
    State state = parts.size() < 4 ? QValidator::Intermediate : QValidator::Acceptable;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QStringView part = parts.at(i);
        if (part.isEmpty()) {
            if (i == 0 || i != parts.size() - 1) {
                return QValidator::Invalid;
            }
            state = QValidator::Intermediate;
        } else if (part.size() > 3 || part.toInt() > 255) {
            return QValidator::Invalid;
        }
    }
    return state;
}

State hostState(QStringView host)
{
    if (host.isEmpty()) {
        return QValidator::Intermediate;
    }
    for (const QChar c : host) {
        if (!isAsciiDigit(c) && c != QLatin1Char('.')) {
            return Validation::hostNameState(host);
        }
    }
    return ipv4State(host);
}

// An IPv6 address without brackets; `complete` tells whether more of it may still follow.
State ipv6State(QStringView address, bool complete)
{
    for (const QChar c : address) {
        const bool hexDigit = isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                              || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!hexDigit && c != QLatin1Char(':') && c != QLatin1Char('.')) {
            return QValidator::Invalid;
        }
    }
    QUrl url;
    url.setHost(address.toString(), QUrl::StrictMode);
    if (url.isValid() && !url.host().isEmpty()) {
        return QValidator::Acceptable;
    }
    return complete ? QValidator::Invalid : QValidator::Intermediate;
}

State hostAndPortState(QStringView text)
{
    if (text.isEmpty()) {
        return QValidator::Intermediate;
    }
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype end = text.indexOf(QLatin1Char(']'));
        if (end < 0) {
            return worse(QValidator::Intermediate, ipv6State(text.sliced(1), false));
        }
        const State address = ipv6State(text.sliced(1, end - 1), true);
        const QStringView rest = text.sliced(end + 1);
        if (rest.isEmpty()) {
            return address;
        }
        if (!rest.startsWith(QLatin1Char(':'))) {
            return QValidator::Invalid;
        }
        return worse(address, portState(rest.sliced(1)));
    }
    const qsizetype colons = text.count(QLatin1Char(':'));
    if (colons > 1) {
        return ipv6State(text, false);
    }
    if (colons == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (colon == 0) {
            return ipv6State(text, false);
        }
        return worse(hostState(text.first(colon)), portState(text.sliced(colon + 1)));
    }
    return hostState(text);
}

State urlState(QStringView text)
{
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    if (schemeEnd >= 0) {
        if (!isValidScheme(text.first(schemeEnd))) {
            return QValidator::Invalid;
        }
        QStringView authority = text.sliced(schemeEnd + 3);
        for (qsizetype i = 0; i < authority.size(); ++i) {
            const QChar c = authority.at(i);
            if (c == QLatin1Char('/') || c == QLatin1Char('?') || c == QLatin1Char('#')) {
                authority = authority.first(i);
                break;
            }
        }
        return hostAndPortState(authority.sliced(authority.lastIndexOf(QLatin1Char('@')) + 1));
    }
    // "ftp:" is also a host with a port to come; "ftp:/" can only be a scheme being typed.
    if (text.endsWith(QLatin1String(":/")) && isValidScheme(text.first(text.size() - 2))) {
        return QValidator::Intermediate;
    }
    return hostAndPortState(text);
}

} // namespace

URLValidator::URLValidator(QObject *parent)
    : QValidator(parent)
{}

QValidator::State URLValidator::validate(QString &input, int &) const
{
    if (input.isEmpty()) {
        return Acceptable;
    }
    const QStringView trimmed = QStringView(input).trimmed();
    for (const QChar c : trimmed) {
        if (c.isSpace()) {
            return Invalid;
        }
    }
    const State state = urlState(trimmed);
    return trimmed.size() == input.size() ? state : worse(state, Intermediate);
}

void URLValidator::fixup(QString &input) const
{
    input = input.trimmed();
}

} // namespace SRCore
