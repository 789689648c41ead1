#include "validation.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>

namespace SRCore {

namespace {

// Limits of a host name (RFC 1035).
constexpr qsizetype kMaxHostNameLength = 253;
constexpr qsizetype kMaxLabelLength = 63;

} // namespace

namespace {

// The cache is emptied when it reaches this size, so that typing in a pattern editor, which
// compiles every intermediate text, cannot make it grow without bound.
constexpr int kMaxCachedWildcards = 512;

struct CompiledWildcard
{
    QRegularExpression expression;
    QString error;
};

// What an invalid pattern gives: a default expression would match every name.
CompiledWildcard refused(const QString &error)
{
    static const QRegularExpression matchesNothing(QStringLiteral("(?!)"));
    return {matchesNothing, error};
}

struct WildcardCache
{
    QMutex mutex;
    QHash<QString, CompiledWildcard> patterns;
};

WildcardCache &wildcardCache()
{
    static WildcardCache cache;
    return cache;
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
           || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// NameStartChar of XML 1.0 (fifth edition) without ":".
bool isNameStartChar(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0xD6)
           || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D)
           || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D)
           || (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF)
           || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF)
           || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(char32_t c)
{
    return isNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7
           || (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// Code points of `text` in order; an unpaired surrogate comes out as itself, which no name or
// text rule accepts.
template<typename Function>
void forEachCodePoint(QStringView text, Function function)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            function(QChar::surrogateToUcs4(c, text.at(i + 1)), i, 2);
            ++i;
        } else {
            function(char32_t(c.unicode()), i, 1);
        }
    }
}

bool startsWithXml(const QString &text)
{
    return text.startsWith(QLatin1String("xml"), Qt::CaseInsensitive);
}

CompiledWildcard compileWildcard(const QString &pattern)
{
    if (pattern.contains(QLatin1Char('/')) || pattern.contains(QLatin1Char('\\'))) {
        return refused(Validation::tr("The pattern '%1' contains a path separator").arg(pattern));
    }
    QString expression;
    QString literal;
    const auto flushLiteral = [&] {
        expression += QRegularExpression::escape(literal);
        literal.clear();
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('*') || c == QLatin1Char('?')) {
            flushLiteral();
            expression += c == QLatin1Char('*') ? QLatin1String(".*") : QLatin1String(".");
        } else if (c == QLatin1Char('[')) {
            flushLiteral();
            qsizetype start = i + 1;
            const bool negated =
                start < pattern.size()
                && (pattern.at(start) == QLatin1Char('!') || pattern.at(start) == QLatin1Char('^'));
            if (negated) {
                ++start;
            }
            // A "]" in first place is a member of the class, not its end.
            const qsizetype searchFrom =
                start < pattern.size() && pattern.at(start) == QLatin1Char(']') ? start + 1 : start;
            const qsizetype end = pattern.indexOf(QLatin1Char(']'), searchFrom);
            if (end < 0) {
                return refused(Validation::tr("The pattern '%1' has a '[' without a closing ']'")
                                   .arg(pattern));
            }
            expression += negated ? QLatin1String("[^") : QLatin1String("[");
            for (qsizetype j = start; j < end; ++j) {
                const QChar member = pattern.at(j);
                // Escaping any ASCII punctuation is safe in a class; other characters need none.
                if (member.unicode() < 0x80 && member != QLatin1Char('-')
                    && !member.isLetterOrNumber()) {
                    expression += QLatin1Char('\\');
                }
                expression += member;
            }
            expression += QLatin1Char(']');
            i = end;
        } else {
            literal += c;
        }
    }
    flushLiteral();
    QRegularExpression compiled(QRegularExpression::anchoredPattern(expression),
                                QRegularExpression::CaseInsensitiveOption
                                    | QRegularExpression::DotMatchesEverythingOption);
    if (!compiled.isValid()) {
        return refused(Validation::tr("The pattern '%1' is not valid: %2")
                           .arg(pattern, compiled.errorString()));
    }
    return {compiled, QString()};
}

CompiledWildcard cachedWildcard(const QString &pattern)
{
    WildcardCache &cache = wildcardCache();
    QMutexLocker locker(&cache.mutex);
    const auto found = cache.patterns.constFind(pattern);
    if (found != cache.patterns.constEnd()) {
        return found.value();
    }
    if (cache.patterns.size() >= kMaxCachedWildcards) {
        cache.patterns.clear();
    }
    return cache.patterns.insert(pattern, compileWildcard(pattern)).value();
}

} // namespace

bool Validation::isValidXmlName(const QString &name)
{
    if (name.isEmpty() || startsWithXml(name)) {
        return false;
    }
    bool valid = true;
    forEachCodePoint(name, [&valid](char32_t c, qsizetype index, int) {
        valid = valid && (index == 0 ? isNameStartChar(c) : isNameChar(c));
    });
    return valid;
}

QString Validation::makeValidXmlName(const QString &tag)
{
    QString name;
    name.reserve(tag.size());
    forEachCodePoint(tag, [&name](char32_t c, qsizetype, int) {
        if ((QChar::isLetter(c) || QChar::isDigit(c)) && isNameChar(c)) {
            name += QStringView(QChar::fromUcs4(c));
        } else {
            name += QLatin1Char('_');
        }
    });
    if (startsWithXml(name)) {
        name.replace(0, 3, QStringLiteral("___"));
    }
    if (name.isEmpty()) {
        return QStringLiteral("_");
    }
    // After the replacements above the name holds no unpaired surrogate.
    const bool pair = name.at(0).isHighSurrogate();
    const char32_t first =
        pair ? QChar::surrogateToUcs4(name.at(0), name.at(1)) : name.at(0).unicode();
    if (!QChar::isLetter(first) || !isNameStartChar(first)) {
        name.replace(0, pair ? 2 : 1, QLatin1Char('_'));
    }
    return name;
}

bool Validation::isValidXmlText(QStringView text, qsizetype *position)
{
    qsizetype invalidAt = -1;
    forEachCodePoint(text, [&invalidAt](char32_t c, qsizetype index, int) {
        if (invalidAt < 0 && !isXmlChar(c)) {
            invalidAt = index;
        }
    });
    if (invalidAt >= 0 && position) {
        *position = invalidAt;
    }
    return invalidAt < 0;
}

QRegularExpression Validation::wildcardExpression(const QString &pattern, QString *errorMessage)
{
    const CompiledWildcard compiled = cachedWildcard(pattern);
    if (errorMessage) {
        *errorMessage = compiled.error;
    }
    return compiled.expression;
}

bool Validation::isValidWildcard(const QString &pattern, QString *errorMessage)
{
    QString error;
    wildcardExpression(pattern, &error);
    if (errorMessage) {
        *errorMessage = error;
    }
    return error.isEmpty();
}

bool Validation::matchesWildcard(const QString &pattern, const QString &fileName)
{
    QString error;
    const QRegularExpression expression = wildcardExpression(pattern, &error);
    return error.isEmpty() && expression.match(fileName).hasMatch();
}

int Validation::cachedWildcardCount()
{
    WildcardCache &cache = wildcardCache();
    QMutexLocker locker(&cache.mutex);
    return int(cache.patterns.size());
}

void Validation::finalize()
{
    WildcardCache &cache = wildcardCache();
    QMutexLocker locker(&cache.mutex);
    cache.patterns = {};
}

QValidator::State Validation::hostNameState(QStringView host)
{
    if (host.size() > kMaxHostNameLength) {
        return QValidator::Invalid;
    }
    const QList<QStringView> labels = host.split(QLatin1Char('.'));
    QValidator::State state = QValidator::Acceptable;
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

} // namespace SRCore
