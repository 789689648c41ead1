#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringView>
#include <QValidator>

class QRegularExpression;

namespace SRCore {

// Checks and repairs of names and texts that end up in XML files, and the file-name pattern
// compiler shared by the pattern validator and the code that filters files by those patterns.
// Thread-safe; the pattern cache lives until finalize().
class Validation
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::Validation)

public:
    Validation() = delete;

    // True when `name` can be the name of one of our elements: an XML 1.0 name without a colon
    // (no namespace prefix) that does not start with the reserved letters "xml" in any case.
    static bool isValidXmlName(const QString &name);

    // Turns a property tag into an element name: every character that is not a letter or digit
    // becomes "_", a leading "xml" (any case) becomes "___", a first character that is not a
    // letter becomes "_", and an empty tag gives "_". Letters and digits that XML does not allow
    // in names (such as "ª") count as neither. The result always passes isValidXmlName().
    static QString makeValidXmlName(const QString &tag);

    // True when every character of `text` can be written into an XML 1.0 document, directly or
    // as a character reference. C0 controls other than tab, line feed and carriage return,
    // U+FFFE, U+FFFF and unpaired surrogates cannot. On false, `position` (when given) receives
    // the index of the first such UTF-16 unit.
    static bool isValidXmlText(QStringView text, qsizetype *position = nullptr);

    // How far `name` is from a host name (labels of letters, digits and inner hyphens, at most
    // 63 characters each and 253 in all, joined by dots): Invalid when no typing on can make it
    // one, Intermediate while a trailing dot or hyphen is still being typed, else Acceptable.
    static QValidator::State hostNameState(QStringView name);

    // Compiles a file-name pattern into an anchored, case-insensitive regular expression
    // ("*" any run of characters, "?" one character, "[abc]", "[a-z]", "[!abc]" or "[^abc]" one
    // character of or not of a class; a "]" right after the opening "[" or "[!" belongs to the
    // class). A pattern holding "/" or "\\", an unclosed "[" or a reversed range gives an
    // expression that matches no name and, when `errorMessage` is given, the reason (empty for a
    // valid pattern). Compiled patterns are cached.
    static QRegularExpression wildcardExpression(const QString &pattern,
                                                 QString *errorMessage = nullptr);
    static bool isValidWildcard(const QString &pattern, QString *errorMessage = nullptr);
    // False for an invalid pattern.
    static bool matchesWildcard(const QString &pattern, const QString &fileName);

    // Number of patterns held by the cache (for diagnostics).
    static int cachedWildcardCount();

    // Releases the pattern cache; the application calls it at shut-down. Later calls compile
    // and cache again.
    static void finalize();
};

} // namespace SRCore
