#include "scripteditor.h"

#include "editors/markerwidget.h"
#include "editors/scriptdocumentlayout.h"
#include "editors/scrtextedit.h"
#include "qsa/config.h"
#include "qsa/scripterhighlighter.h"

#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>

namespace Scripter {

ScriptEditor::ScriptEditor(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(1, 1);
    setAcceptDrops(true);

    m_textEdit = new ScrTextEdit(this);
    m_textEdit->setObjectName(QStringLiteral("editor_textwidget"));
    m_textEdit->setLineWrapMode(QTextEdit::NoWrap);
    m_layout = new ScriptDocumentLayout(m_textEdit->document());
    setFocusProxy(m_textEdit);

    m_markerWidget = new MarkerWidget(this);
    m_markerWidget->setObjectName(QStringLiteral("editor_markerwidget"));
    // U+0014 adds a little room after the widest four-digit number.
    m_markerWidget->setFixedWidth(
        m_textEdit->fontMetrics().horizontalAdvance(QStringLiteral("0000") + QChar(0x14)));

    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    m_positionLabel = new QLabel(m_statusBar);
    m_positionLabel->setObjectName(QStringLiteral("editor_poslabel"));
    m_positionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_positionLabel->setText(tr(" Line: %1 Col: %2").arg(1).arg(1));
    m_positionLabel->setLineWidth(1);
    m_positionLabel->setFixedHeight(m_positionLabel->fontMetrics().height());
    m_statusBar->addPermanentWidget(m_positionLabel);

    auto *layout = new QGridLayout(this);
    layout->setSpacing(6);
    layout->setContentsMargins(9, 9, 9, 9);
    layout->addWidget(m_markerWidget, 0, 0);
    layout->addWidget(m_textEdit, 0, 1);
    layout->addWidget(m_statusBar, 1, 1);

    connect(m_textEdit->verticalScrollBar(), &QScrollBar::valueChanged, m_markerWidget,
            qOverload<>(&QWidget::update));
    connect(m_textEdit, &QTextEdit::cursorPositionChanged, this,
            &ScriptEditor::cursorPositionChanged);
    connect(m_textEdit, &QTextEdit::textChanged, m_markerWidget, qOverload<>(&QWidget::update));
    connect(m_textEdit->document(), &QTextDocument::modificationChanged, this,
            &ScriptEditor::scriptChanged);
    connect(m_textEdit, &ScrTextEdit::openFileRequested, this, &ScriptEditor::openFileRequested);
}

QString ScriptEditor::text() const
{
    return m_textEdit->toPlainText();
}

void ScriptEditor::setText(const QString &text)
{
    m_textEdit->setPlainText(text);
}

ScrTextEdit *ScriptEditor::textEdit() const
{
    return m_textEdit;
}

QStatusBar *ScriptEditor::statusBar() const
{
    return m_statusBar;
}

bool ScriptEditor::hasSelectedText() const
{
    const QTextCursor cursor = m_textEdit->textCursor();
    return cursor.anchor() != cursor.position();
}

void ScriptEditor::cursorPositionChanged()
{
    const QTextCursor cursor = m_textEdit->textCursor();
    m_positionLabel->setText(
        tr(" Line: %1 Col: %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

bool ScriptEditor::find(const QString &expr, bool caseSensitive, bool wholeWords, bool forward,
                        bool startAtCursor)
{
    if (expr.isEmpty()) {
        return false;
    }
    QTextDocument::FindFlags flags;
    flags.setFlag(QTextDocument::FindCaseSensitively, caseSensitive);
    flags.setFlag(QTextDocument::FindWholeWords, wholeWords);
    flags.setFlag(QTextDocument::FindBackward, !forward);

    const QTextCursor current = m_textEdit->textCursor();
    // Without the cursor, a search starts at the end it goes away from.
    int start = forward ? 0 : m_textEdit->document()->characterCount() - 1;
    if (startAtCursor) {
        start = forward ? current.selectionEnd() : current.selectionStart();
    }
    const QTextCursor match = m_textEdit->document()->find(expr, start, flags);
    if (match.isNull()) {
        return false;
    }
    m_textEdit->setTextCursor(match);
    // The view follows the cursor, which stands at the match's end; the match's start is shown
    // too, or a view scrolled to the right by an earlier match would show only its last letters.
    QTextCursor matchStart = match;
    matchStart.setPosition(match.selectionStart());
    if (const int left = m_textEdit->cursorRect(matchStart).left(); left < 0) {
        QScrollBar *bar = m_textEdit->horizontalScrollBar();
        bar->setValue(bar->value() + left);
    }
    return true;
}

bool ScriptEditor::replace(const QString &expr, const QString &replacement, bool caseSensitive,
                           bool wholeWords, bool forward, bool startAtCursor, bool replaceAll)
{
    // All replacements form one undo step.
    QTextCursor editBlock(m_textEdit->document());
    editBlock.beginEditBlock();
    QTextCursor last = m_textEdit->textCursor();
    // The text that the first replacement inserted, which the walk below must not search again.
    int insertedStart = 0;
    int insertedEnd = 0;
    if (find(expr, caseSensitive, wholeWords, forward, startAtCursor)) {
        last = m_textEdit->textCursor();
        insertedStart = last.selectionStart();
        last.insertText(replacement);
        insertedEnd = last.position();
    }
    if (replaceAll && !expr.isEmpty()) {
        // Walk the document once from the top, continuing after each inserted text, so that a
        // replacement that itself matches is not replaced again.
        QTextDocument::FindFlags flags;
        flags.setFlag(QTextDocument::FindCaseSensitively, caseSensitive);
        flags.setFlag(QTextDocument::FindWholeWords, wholeWords);
        int position = 0;
        for (;;) {
            QTextCursor match = m_textEdit->document()->find(expr, position, flags);
            if (match.isNull()) {
                break;
            }
            if (insertedStart < insertedEnd && match.selectionStart() < insertedEnd
                && match.selectionEnd() > insertedStart) {
                position = insertedEnd;
                continue;
            }
            const int delta =
                int(replacement.size()) - (match.selectionEnd() - match.selectionStart());
            if (match.selectionStart() < insertedStart) {
                insertedStart += delta;
                insertedEnd += delta;
            }
            match.insertText(replacement);
            position = match.position();
            last = match;
        }
    }
    editBlock.endEditBlock();
    m_textEdit->setTextCursor(last);
    m_textEdit->setFocus();
    return true;
}

bool ScriptEditor::gotoLine(int line)
{
    if (line < 1) {
        return false;
    }
    const QTextBlock block = m_textEdit->document()->findBlockByNumber(line - 1);
    if (!block.isValid()) {
        return false;
    }
    m_textEdit->setFocus();
    QTextCursor cursor = m_textEdit->textCursor();
    cursor.setPosition(block.position());
    m_textEdit->setTextCursor(cursor);
    return true;
}

QString ScriptEditor::entryPointSignatures()
{
    return QStringLiteral(
        "jobArrived( s, job );timerFired( s );initializeProcessing( e );finalizeProcessing( e );"
        "cleanupAfterAbort( e );isPropertyValid( s, tag, value );getLibraryForProperty( s, tag );"
        "findApplicationPath( e, startup );getApplicationLicensing( e );"
        "licenseApplication( e, license );isConnectionPropertyValid( s, c, tag, value );"
        "getLibraryForConnectionProperty( s, c, tag )");
}

void ScriptEditor::layOutBehind(ScripterHighlighter *highlighter)
{
    m_layout->setWaitingFrom([highlighter = QPointer<const ScripterHighlighter>(highlighter)] {
        return highlighter ? highlighter->waitingFrom() : -1;
    });
}

void ScriptEditor::applyTabStopWidth()
{
    const QMap<QString, ConfigStyle> styles = Config::readStyles();
    const auto standard = styles.constFind(QStringLiteral("Standard"));
    const QFont font = standard != styles.constEnd() ? standard->font : QFont();
    m_textEdit->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char('x'))
                                   * Config::indentTabSize());
}

} // namespace Scripter
