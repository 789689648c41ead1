#include "emailsvalidator.h"

#include "corelib/common/validation.h"

namespace SRCore {

namespace {

// Limits of RFC 5321: beyond them no address can become valid by typing on.
constexpr qsizetype kMaxLocalPartLength = 64;

bool isLocalPartChar(QChar c)
{
    static const QString specials = QStringLiteral("!#$%&'*+/=?^_`{|}~-.");
    return c.isLetterOrNumber() || specials.contains(c);
}

// An e-mail domain is a host name with at least two labels.
QValidator::State domainState(QStringView domain)
{
    if (domain.isEmpty()) {
        return QValidator::Intermediate;
    }
    const QValidator::State state = Validation::hostNameState(domain);
    if (state == QValidator::Acceptable && !domain.contains(QLatin1Char('.'))) {
        return QValidator::Intermediate;
    }
    return state;
}

} // namespace

EmailsValidator::EmailsValidator(const QString &separator, QObject *parent)
    : QValidator(parent)
    , m_separator(separator)
{}

QValidator::State EmailsValidator::validateAddress(QStringView address)
{
    if (address.isEmpty()) {
        return Intermediate;
    }
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at != address.lastIndexOf(QLatin1Char('@'))) {
        return Invalid;
    }
    const QStringView local = at < 0 ? address : address.first(at);
    if (local.size() > kMaxLocalPartLength || local.startsWith(QLatin1Char('.'))
        || local.contains(QLatin1String(".."))) {
        return Invalid;
    }
    for (const QChar c : local) {
        if (!isLocalPartChar(c)) {
            return Invalid;
        }
    }
    if (at < 0) {
        return Intermediate;
    }
    if (local.isEmpty() || local.endsWith(QLatin1Char('.'))) {
        return Invalid;
    }
    return domainState(address.sliced(at + 1));
}

QValidator::State EmailsValidator::validate(QString &input, int &) const
{
    if (input.trimmed().isEmpty()) {
        return Acceptable;
    }
    const QList<QStringView> addresses = m_separator.isEmpty()
                                             ? QList<QStringView>{QStringView(input)}
                                             : QStringView(input).split(m_separator);
    State state = Acceptable;
    for (const QStringView address : addresses) {
        const State addressState = validateAddress(address.trimmed());
        if (addressState == Invalid) {
            return Invalid;
        }
        if (addressState == Intermediate) {
            state = Intermediate;
        }
    }
    return state;
}

} // namespace SRCore
