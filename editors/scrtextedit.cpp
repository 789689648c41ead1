#include "scrtextedit.h"

#include "qsa/config.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>

#include <functional>

namespace Scripter {

namespace {

// Typing one of these ends a word, so the completion popup closes.
const QString &endOfWordCharacters()
{
    static const QString characters = QStringLiteral("~!@#$%^&*()_+{}|:\"<>?,./;'[]\\-=");
    return characters;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// How many leading characters Shift+Tab removes from a line of a multi-line selection.
int leadingUnindentLength(const QString &text, int tabSize)
{
    if (text.startsWith(QString(tabSize, QLatin1Char(' ')))) {
        return tabSize;
    }
    if (text.startsWith(QLatin1Char(' '))) {
        int length = 0;
        while (length < text.size() && text.at(length) == QLatin1Char(' ')) {
            ++length;
        }
        if (length < text.size() && text.at(length) == QLatin1Char('\t')) {
            ++length;
        }
        return length;
    }
    return text.startsWith(QLatin1Char('\t')) ? 1 : 0;
}

// How many characters Shift+Tab removes from the end of `before`, the line up to the cursor: the
// blanks back to the previous multiple of the tab size, where a tab counts as no width at all.
int trailingUnindentLength(QString before, int tabSize)
{
    const auto width = [&before] {
        return before.size() - before.count(QLatin1Char('\t'));
    };
    int length = 0;
    if (before.endsWith(QLatin1Char(' '))) {
        while (before.endsWith(QLatin1Char(' ')) && length < tabSize) {
            before.chop(1);
            ++length;
            if (before.isEmpty() || width() % tabSize == 0) {
                break;
            }
        }
    } else if (before.endsWith(QLatin1Char('\t'))) {
        before.chop(1);
        length = 1;
        while (before.endsWith(QLatin1Char(' ')) && width() % tabSize != 0) {
            before.chop(1);
            ++length;
        }
    }
    return length;
}

// Applies `edit` at the start of every block that a selection over several blocks covers, as one
// undo step. The block of the selection end is left out when the selection ends at its start.
// Returns false, changing nothing, when the selection does not span several blocks.
bool editSelectedBlocks(QTextCursor cursor,
                        const std::function<void(QTextCursor &, const QString &)> &edit)
{
    const QTextDocument *document = cursor.document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    QTextBlock last = document->findBlock(cursor.selectionEnd());
    if (first == last) {
        return false;
    }
    if (cursor.selectionEnd() == last.position()) {
        last = last.previous();
    }
    cursor.beginEditBlock();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        edit(cursor, block.text());
        if (block == last) {
            break;
        }
    }
    cursor.endEditBlock();
    return true;
}

} // namespace

ScrTextEdit::ScrTextEdit(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    setAcceptDrops(true);
}

QCompleter *ScrTextEdit::completer() const
{
    return m_completer;
}

void ScrTextEdit::setCompletionList(const QString &words, const QString &keywords)
{
    Q_UNUSED(keywords)
    const QStringList list = words.split(QLatin1Char(';'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    delete m_completer;
    m_completer = new QCompleter(this);
    m_completer->setModel(new QStringListModel(list, m_completer));
    m_completer->setModelSorting(QCompleter::UnsortedModel);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setWrapAround(false);
    m_completer->setWidget(this);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this,
            &ScrTextEdit::insertCompletion);
}

void ScrTextEdit::insertCompletion(const QString &completion)
{
    if (!m_completer || m_completer->widget() != this) {
        return;
    }
    const int extra = completion.size() - m_completer->completionPrefix().size();
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Left);
    cursor.movePosition(QTextCursor::EndOfWord);
    cursor.insertText(completion.right(extra));
    setTextCursor(cursor);
}

void ScrTextEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool isReturn = key == Qt::Key_Return || key == Qt::Key_Enter;

    // While the popup is open these keys choose or dismiss an entry; the completer sees them
    // once this text edit has ignored them.
    if (m_completer && m_completer->popup()->isVisible()
        && (isReturn || key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        event->ignore();
        return;
    }
    if (key == Qt::Key_Tab && indentSelectedBlocks()) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Backtab) {
        if (!unindentSelectedBlocks()) {
            unindentBeforeCursor();
        }
        event->accept();
        return;
    }

    // Ctrl+E asks for the popup without typing anything.
    const bool shortcut = event->modifiers().testFlag(Qt::ControlModifier) && key == Qt::Key_E;
    if (!m_completer || !shortcut) {
        QTextEdit::keyPressEvent(event);
    }
    if (isReturn) {
        indentNewBlock();
    }
    if (m_completer) {
        updateCompletionPopup(event, shortcut);
    }
}

bool ScrTextEdit::indentSelectedBlocks()
{
    return editSelectedBlocks(textCursor(), [](QTextCursor &cursor, const QString &) {
        cursor.insertText(QStringLiteral("\t"));
    });
}

bool ScrTextEdit::unindentSelectedBlocks()
{
    const int tabSize = Config::indentTabSize();
    return editSelectedBlocks(textCursor(), [tabSize](QTextCursor &cursor, const QString &text) {
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor,
                            leadingUnindentLength(text, tabSize));
        cursor.removeSelectedText();
    });
}

void ScrTextEdit::unindentBeforeCursor()
{
    QTextCursor cursor = textCursor();
    const QTextBlock block = document()->findBlock(cursor.selectionStart());
    const QString before = block.text().left(cursor.selectionStart() - block.position());
    if (before.isEmpty() || !isBlank(before.back())) {
        return;
    }
    cursor.beginEditBlock();
    if (cursor.hasSelection()) {
        cursor.movePosition(QTextCursor::StartOfWord);
    }
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor,
                        trailingUnindentLength(before, Config::indentTabSize()));
    cursor.removeSelectedText();
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void ScrTextEdit::indentNewBlock()
{
    QTextCursor cursor = textCursor();
    const QTextBlock previous = cursor.block().previous();
    // A line separator (Shift+Return) or a refused key leaves the cursor inside its block.
    if (!previous.isValid() || !cursor.atBlockStart()) {
        return;
    }
    const QString text = previous.text();
    int length = 0;
    while (length < text.size() && isBlank(text.at(length))) {
        ++length;
    }
    if (length == 0) {
        return;
    }
    // The text cursor sits at the start of the block and moves along with the insertion.
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.insertText(text.left(length));
}

void ScrTextEdit::updateCompletionPopup(const QKeyEvent *event, bool shortcut)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrlOrShift = modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
    if (ctrlOrShift && event->text().isEmpty()) {
        return;
    }
    const bool hasModifier = modifiers != Qt::NoModifier && !ctrlOrShift;

    QTextCursor word = textCursor();
    word.select(QTextCursor::WordUnderCursor);
    const QString prefix = word.selectedText();

    QAbstractItemView *popup = m_completer->popup();
    if (!shortcut
        && (hasModifier || event->text().isEmpty() || prefix.size() < 3
            || endOfWordCharacters().contains(event->text().right(1)))) {
        popup->hide();
        return;
    }
    if (prefix != m_completer->completionPrefix()) {
        m_completer->setCompletionPrefix(prefix);
        popup->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    }
    QRect rectangle = cursorRect();
    rectangle.setWidth(popup->sizeHintForColumn(0)
                       + popup->verticalScrollBar()->sizeHint().width());
    m_completer->complete(rectangle);
}

void ScrTextEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        QTextEdit::dragEnterEvent(event);
    }
}

void ScrTextEdit::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        QTextEdit::dragMoveEvent(event);
    }
}

void ScrTextEdit::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls()) {
        QTextEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    for (const QUrl &url : event->mimeData()->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && QFileInfo::exists(path)) {
            emit openFileRequested(path);
        }
    }
}

} // namespace Scripter
