#include "scripterhighlighter.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isOperator(QChar c)
{
    return QStringView(u"=<>+-*/\\&^%!|~?:.,;()[]{}").contains(c);
}

} // namespace

ScripterHighlighter::ScripterHighlighter(QTextEdit *textEdit, const QString &name,
                                         const QString &keywords)
    : QObject(textEdit->document())
    , m_textEdit(textEdit)
    , m_document(textEdit->document())
    , m_syntax(name == QLatin1String("VBScriptEditor")      ? Syntax::VBScript
               : name == QLatin1String("AppleScriptEditor") ? Syntax::AppleScript
                                                            : Syntax::CLike)
    , m_nextSlice(new QTimer(this))
{
    for (const QString &keyword : keywords.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        m_keywords.insert(m_syntax == Syntax::CLike ? keyword : keyword.toLower());
    }
    readFormats();
    m_nextSlice->setSingleShot(true);
    connect(m_nextSlice, &QTimer::timeout, this, &ScripterHighlighter::colourWaitingPart);
    connect(m_document, &QTextDocument::contentsChange, this,
            &ScripterHighlighter::contentsChanged);
    connect(textEdit->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ScripterHighlighter::colourShownLines);
    colour(0, m_document->characterCount());
}

void ScripterHighlighter::updateStyles()
{
    readFormats();
    colour(0, m_document->characterCount());
}

void ScripterHighlighter::readFormats()
{
    static const char *const names[ElementCount] = {"Standard", "Comment", "String",
                                                    "Number",   "Keyword", "Operator"};
    const QMap<QString, ConfigStyle> styles = Config::readStyles();
    const ConfigStyle standard = styles.value(QStringLiteral("Standard"));
    for (int element = 0; element < ElementCount; ++element) {
        const ConfigStyle style = styles.value(QLatin1String(names[element]), standard);
        QTextCharFormat format;
        format.setFont(style.font);
        format.setForeground(style.color);
        m_formats[element] = format;
    }
}

void ScripterHighlighter::contentsChanged(int from, int removed, int added)
{
    if (!m_pending.isEmpty()) {
        // What waits behind the change moved with it.
        const int delta = added - removed;
        if (m_pending.to > from) {
            m_pending.to = qMax(from, m_pending.to + delta);
        }
        if (m_pending.from > from) {
            m_pending.from = qMax(from, m_pending.from + delta);
        }
    }
    // The changed lines are coloured before they are painted; only what does not fit into
    // one slice waits for the event loop. The edit lays out again what it formats.
    colour(from, from + added);
}

void ScripterHighlighter::colourWaitingPart()
{
    if (m_pending.isEmpty()) {
        return;
    }
    const int from = m_pending.from;
    const int to = m_pending.to;
    m_pending.clear();
    colour(from, to);
}

void ScripterHighlighter::markFormattedLines()
{
    if (!m_formatted.isEmpty()) {
        m_document->markContentsDirty(m_formatted.from, m_formatted.to - m_formatted.from);
    }
    m_formatted.clear();
}

void ScripterHighlighter::colourShownLines()
{
    if (m_pending.isEmpty()) {
        return;
    }
    const QRect view = m_textEdit->viewport()->rect();
    QTextBlock block = m_textEdit->cursorForPosition(view.topLeft()).block();
    const int last = m_textEdit->cursorForPosition(view.bottomRight()).block().blockNumber();
    if (block.position() < m_pending.from) {
        block = m_document->findBlock(m_pending.from);
    }
    // The lines above the waiting part hold their states; below it the state of the last line
    // coloured in order is the best guess, put right when the waiting part reaches them.
    const QTextBlock known = m_document->findBlock(m_pending.from).previous();
    int state = known.isValid() ? qMax(0, known.userState()) : 0;
    for (; block.isValid() && block.blockNumber() <= last; block = block.next()) {
        state = colourBlock(block, state, false);
    }
    markFormattedLines();
}

void ScripterHighlighter::colour(int from, int to)
{
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = m_document->findBlock(from);
    bool stateChanged = false;
    // A new state goes on to the next line, unless the waiting part takes that line in order.
    const auto goesOn = [&] {
        const int position = block.position();
        return position <= to || (stateChanged && !m_pending.contains(position));
    };
    while (block.isValid() && goesOn()) {
        const QTextBlock previous = block.previous();
        const int before = block.userState();
        const int after =
            colourBlock(block, previous.isValid() ? qMax(0, previous.userState()) : 0);
        stateChanged = after != before;
        block = block.next();
        if (block.isValid() && clock.elapsed() >= SliceMs && goesOn()) {
            wait(block.position(), qMax(to, block.position()));
            break;
        }
    }
    markFormattedLines();
}

void ScripterHighlighter::wait(int from, int to)
{
    m_pending.add(from, to);
    m_nextSlice->start(0);
}

int ScripterHighlighter::colourBlock(QTextBlock block, int state, bool keepState)
{
    const QString text = block.text();
    int depth = state;
    QList<QTextLayout::FormatRange> ranges;
    int covered = 0;
    Element last = ElementCount;
    const auto add = [&](int start, int length, Element element) {
        if (length <= 0) {
            return;
        }
        if (element == last) {
            ranges.last().length += length;
        } else {
            ranges.append({start, length, m_formats[element]});
            last = element;
        }
        covered = start + length;
    };
    for (const Run &run : runs(text, &depth)) {
        add(covered, run.start - covered, Standard);
        add(run.start, run.length, run.element);
    }
    add(covered, int(text.size()) - covered, Standard);

    if (block.layout()->formats() != ranges) {
        applyFormats(block, ranges);
    }
    if (keepState) {
        block.setUserState(depth);
    }
    return depth;
}

void ScripterHighlighter::applyFormats(const QTextBlock &block,
                                       const QList<QTextLayout::FormatRange> &ranges)
{
    block.layout()->setFormats(ranges);
    m_formatted.add(block.position(), block.position() + block.length());
}

QList<ScripterHighlighter::Run> ScripterHighlighter::runs(const QString &text, int *depth) const
{
    QList<Run> result;
    const auto add = [&result](int start, int end, Element element) {
        if (end > start) {
            result.append({start, end - start, element});
        }
    };
    int i = 0;
    if (*depth > 0) {
        i = blockCommentEnd(text, 0, *depth);
        add(0, i, Comment);
    }
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (startsLineComment(text, i)) {
            add(i, int(text.size()), Comment);
            break;
        }
        if (const int length = blockCommentStartLength(text, i)) {
            *depth = 1;
            const int end = blockCommentEnd(text, i + length, *depth);
            add(i, end, Comment);
            i = end;
            continue;
        }
        if (c == QLatin1Char('"') || (c == QLatin1Char('\'') && m_syntax == Syntax::CLike)) {
            const int end = stringEnd(text, i);
            add(i, end, String);
            i = end;
        } else if (c.isDigit()) {
            int end = i;
            while (end < text.size()
                   && (isWordCharacter(text.at(end)) || text.at(end) == QLatin1Char('.'))) {
                ++end;
            }
            add(i, end, Number);
            i = end;
        } else if (isWordCharacter(c)) {
            int end = i;
            while (end < text.size() && isWordCharacter(text.at(end))) {
                ++end;
            }
            const QString word = text.mid(i, end - i);
            if (m_keywords.contains(m_syntax == Syntax::CLike ? word : word.toLower())) {
                add(i, end, Keyword);
            }
            i = end;
        } else {
            if (isOperator(c)) {
                add(i, i + 1, Operator);
            }
            ++i;
        }
    }
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
        const bool isRem = rest.startsWith(QLatin1String("rem"), Qt::CaseInsensitive)
                           && (rest.size() == 3 || !isWordCharacter(rest.at(3)));
        if (!isRem) {
            return false;
        }
        // "Rem" starts a comment only as a statement of its own.
        const QStringView before = QStringView(text).left(position).trimmed();
        return before.isEmpty() || before.endsWith(QLatin1Char(':'));
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

int ScripterHighlighter::blockCommentEnd(const QString &text, int position, int &depth) const
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
    return int(text.size());
}
