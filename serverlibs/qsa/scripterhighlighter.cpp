#include "scripterhighlighter.h"

#include <QTextEdit>

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isOperator(QChar c)
{
    return QStringLiteral("=<>+-*/\\&^%!|~?:.,;()[]{}").contains(c);
}

} // namespace

ScripterHighlighter::ScripterHighlighter(QTextEdit *textEdit, const QString &name,
                                         const QString &keywords)
    : QSyntaxHighlighter(textEdit->document())
    , m_syntax(name == QLatin1String("VBScriptEditor")      ? Syntax::VBScript
               : name == QLatin1String("AppleScriptEditor") ? Syntax::AppleScript
                                                            : Syntax::CLike)
    , m_styles(Config::readStyles())
{
    for (const QString &keyword : keywords.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        m_keywords.insert(m_syntax == Syntax::CLike ? keyword : keyword.toLower());
    }
}

void ScripterHighlighter::updateStyles()
{
    m_styles = Config::readStyles();
    rehighlight();
}

QTextCharFormat ScripterHighlighter::format(const QString &element) const
{
    QTextCharFormat result;
    const ConfigStyle style = m_styles.value(element, m_styles.value(QStringLiteral("Standard")));
    result.setFont(style.font);
    result.setForeground(style.color);
    return result;
}

bool ScripterHighlighter::startsLineComment(const QString &text, int position) const
{
    const QStringView rest = QStringView(text).mid(position);
    switch (m_syntax) {
    case Syntax::VBScript: {
        if (rest.startsWith(QLatin1Char('\''))) {
            return true;
        }
        // "Rem" starts a comment only as a statement of its own.
        const bool atStatementStart =
            QStringView(text).left(position).trimmed().isEmpty()
            || QStringView(text).left(position).trimmed().endsWith(QLatin1Char(':'));
        const bool isRem = rest.startsWith(QLatin1String("rem"), Qt::CaseInsensitive)
                           && (rest.size() == 3 || !isWordCharacter(rest.at(3)));
        return atStatementStart && isRem;
    }
    case Syntax::AppleScript:
        return rest.startsWith(QLatin1String("--")) || rest.startsWith(QLatin1Char('#'));
    case Syntax::CLike:
        return rest.startsWith(QLatin1String("//"));
    }
    return false;
}

int ScripterHighlighter::blockCommentStartLength(const QString &text, int position) const
{
    const QStringView rest = QStringView(text).mid(position);
    switch (m_syntax) {
    case Syntax::AppleScript:
        return rest.startsWith(QLatin1String("(*")) ? 2 : 0;
    case Syntax::CLike:
        return rest.startsWith(QLatin1String("/*")) ? 2 : 0;
    case Syntax::VBScript:
        return 0;
    }
    return 0;
}

int ScripterHighlighter::continueBlockComment(const QString &text, int position, int &depth)
{
    const QLatin1String open(m_syntax == Syntax::AppleScript ? "(*" : "/*");
    const QLatin1String close(m_syntax == Syntax::AppleScript ? "*)" : "*/");
    int i = position;
    while (i < text.size() && depth > 0) {
        const QStringView rest = QStringView(text).mid(i);
        if (rest.startsWith(close)) {
            --depth;
            i += 2;
        } else if (m_syntax == Syntax::AppleScript && rest.startsWith(open)) {
            // AppleScript block comments nest.
            ++depth;
            i += 2;
        } else {
            ++i;
        }
    }
    setFormat(position, i - position, format(QStringLiteral("Comment")));
    return i;
}

int ScripterHighlighter::stringEnd(const QString &text, int position) const
{
    const QChar quote = text.at(position);
    int i = position + 1;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == quote) {
            // VBScript doubles a quote inside a string.
            if (m_syntax == Syntax::VBScript && i + 1 < text.size() && text.at(i + 1) == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        i += (c == QLatin1Char('\\') && m_syntax != Syntax::VBScript) ? 2 : 1;
    }
    return text.size();
}

void ScripterHighlighter::highlightBlock(const QString &text)
{
    setFormat(0, text.size(), format(QStringLiteral("Standard")));
    int depth = std::max(0, previousBlockState());
    int i = depth > 0 ? continueBlockComment(text, 0, depth) : 0;

    while (i < text.size()) {
        const QChar c = text.at(i);
        if (startsLineComment(text, i)) {
            setFormat(i, text.size() - i, format(QStringLiteral("Comment")));
            break;
        }
        if (const int length = blockCommentStartLength(text, i)) {
            depth = 1;
            const int start = i;
            i = continueBlockComment(text, i + length, depth);
            setFormat(start, length, format(QStringLiteral("Comment")));
            continue;
        }
        if (c == QLatin1Char('"') || (c == QLatin1Char('\'') && m_syntax == Syntax::CLike)) {
            const int end = stringEnd(text, i);
            setFormat(i, end - i, format(QStringLiteral("String")));
            i = end;
        } else if (c.isDigit()) {
            int end = i;
            while (end < text.size()
                   && (isWordCharacter(text.at(end)) || text.at(end) == QLatin1Char('.'))) {
                ++end;
            }
            setFormat(i, end - i, format(QStringLiteral("Number")));
            i = end;
        } else if (isWordCharacter(c)) {
            int end = i;
            while (end < text.size() && isWordCharacter(text.at(end))) {
                ++end;
            }
            const QString word = text.mid(i, end - i);
            if (m_keywords.contains(m_syntax == Syntax::CLike ? word : word.toLower())) {
                setFormat(i, end - i, format(QStringLiteral("Keyword")));
            }
            i = end;
        } else {
            if (isOperator(c)) {
                setFormat(i, 1, format(QStringLiteral("Operator")));
            }
            ++i;
        }
    }
    setCurrentBlockState(depth);
}
