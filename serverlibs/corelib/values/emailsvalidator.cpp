#include "emailsvalidator.h"

namespace SRCore {

namespace {

// Limits of RFC 5321: beyond them no address can become valid by typing on.
constexpr qsizetype kMaxLocalPartLength = 64;
constexpr qsizetype kMaxDomainLength = 253;
constexpr qsizetype kMaxLabelLength = 63;

bool isLocalPartChar(QChar c)
{
    static const QString specials = QStringLiteral("!#$%&'*+/=?^_`{|}~-.");
    return c.isLetterOrNumber() || specials.contains(c);
}

QValidator::State domainState(QStringView domain)
{
    if (domain.isEmpty()) {
        return QValidator::Intermediate;
    }
    if (domain.size() > kMaxDomainLength) {
        return QValidator::Invalid;
    }
    const QList<QStringView> labels = domain.split(QLatin1Char('.'));
    QValidator::State state = labels.size() < 2 ? QValidator::Intermediate : QValidator::Acceptable;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QStringView label = labels.at(i);
        const bool last = i == labels.size() - 1;
        if (label.isEmpty()) {
            // Only a trailing dot is a label still being typed.
            if (!last || i == 0) {
                return QValidator::Invalid;
            }
            state = QValidator::Intermediate;
            continue;
        }
        if (label.size() > kMaxLabelLength || label.startsWith(QLatin1Char('-'))) {
            return QValidator::Invalid;
        }
        for (const QChar c : label) {
            if (!c.isLetterOrNumber() && c != QLatin1Char('-')) {
                return QValidator::Invalid;
            }
        }
        if (label.endsWith(QLatin1Char('-'))) {
            if (!last) {
                return QValidator::Invalid;
            }
            state = QValidator::Intermediate;
        }
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
