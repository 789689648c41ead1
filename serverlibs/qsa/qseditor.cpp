#include "qseditor.h"

#include "config.h"
#include "jslexer.h"
#include "qscompletionapis.h"
#include "qsinterpreter.h"
#include "scriptingapi.h"

#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qsciscintilla.h>

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

int searchFlags(bool caseSensitive, bool wholeWords)
{
    return (caseSensitive ? QsciScintilla::SCFIND_MATCHCASE : 0)
           | (wholeWords ? QsciScintilla::SCFIND_WHOLEWORD : 0);
}

// Letters typed before completion opens by itself.
constexpr int completionThreshold = 3;

// Keyword set 1 is the language's reserved words, set 2 the class names that scripts use in
// type annotations and constructors, drawn in the "Type" style.
class JavaScriptLexer : public QsciLexerJavaScript
{
public:
    explicit JavaScriptLexer(QObject *parent)
        : QsciLexerJavaScript(parent)
    {}

    const char *keywords(int set) const override
    {
        static const QByteArray reserved = JsLexer::keywords().join(QLatin1Char(' ')).toLatin1();
        static const QByteArray types = [] {
            QStringList names = {QStringLiteral("Array"),  QStringLiteral("Boolean"),
                                 QStringLiteral("Date"),   QStringLiteral("Error"),
                                 QStringLiteral("JSON"),   QStringLiteral("Math"),
                                 QStringLiteral("Number"), QStringLiteral("Object"),
                                 QStringLiteral("RegExp"), QStringLiteral("String")};
            for (const ScriptingApi::Object &object : ScriptingApi::objects()) {
                names.append(QString::fromLatin1(object.className));
            }
            return names.join(QLatin1Char(' ')).toLatin1();
        }();
        switch (set) {
        case 1:
            return reserved.constData();
        case 2:
            return types.constData();
        default:
            return QsciLexerJavaScript::keywords(set);
        }
    }
};

// Hands dropped URLs to a callback instead of inserting them.
class ScriptTextEdit : public QsciScintilla
{
public:
    ScriptTextEdit(QWidget *parent, std::function<void(const QStringList &)> filesDropped)
        : QsciScintilla(parent)
        , m_filesDropped(std::move(filesDropped))
    {}

protected:
    void dragEnterEvent(QDragEnterEvent *event) override
    {
        if (event->mimeData()->hasUrls()) {
            event->acceptProposedAction();
        } else {
            QsciScintilla::dragEnterEvent(event);
        }
    }

    void dragMoveEvent(QDragMoveEvent *event) override
    {
        if (event->mimeData()->hasUrls()) {
            event->acceptProposedAction();
        } else {
            QsciScintilla::dragMoveEvent(event);
        }
    }

    void dropEvent(QDropEvent *event) override
    {
        if (!event->mimeData()->hasUrls()) {
            QsciScintilla::dropEvent(event);
            return;
        }
        event->acceptProposedAction();
        QStringList paths;
        for (const QUrl &url : event->mimeData()->urls()) {
            const QString path = url.toLocalFile();
            if (!path.isEmpty() && QFileInfo::exists(path)) {
                paths.append(path);
            }
        }
        if (!paths.isEmpty()) {
            m_filesDropped(paths);
        }
    }

private:
    std::function<void(const QStringList &)> m_filesDropped;
};

// The lexer's styles that each Config element colours; "Standard" colours all the others.
struct StyleMapping
{
    const char *element;
    QVector<int> styles;
};

const QVector<StyleMapping> &styleMappings()
{
    static const QVector<StyleMapping> mappings = {
        {"Comment",
         {QsciLexerJavaScript::Comment, QsciLexerJavaScript::CommentLine,
          QsciLexerJavaScript::CommentDoc, QsciLexerJavaScript::CommentLineDoc,
          QsciLexerJavaScript::CommentDocKeyword, QsciLexerJavaScript::CommentDocKeywordError}},
        {"Number", {QsciLexerJavaScript::Number}},
        {"String",
         {QsciLexerJavaScript::DoubleQuotedString, QsciLexerJavaScript::SingleQuotedString,
          QsciLexerJavaScript::UnclosedString, QsciLexerJavaScript::RawString,
          QsciLexerJavaScript::VerbatimString, QsciLexerJavaScript::Regex}},
        {"Keyword", {QsciLexerJavaScript::Keyword}},
        {"Type", {QsciLexerJavaScript::KeywordSet2, QsciLexerJavaScript::GlobalClass}},
        {"Operator", {QsciLexerJavaScript::Operator}},
    };
    return mappings;
}

} // namespace

QSEditor::QSEditor(QWidget *parent, const char *name)
    : QWidget(parent)
    , m_textEdit(
          new ScriptTextEdit(this, [this](const QStringList &paths) { emit filesDropped(paths); }))
    , m_lexer(new JavaScriptLexer(m_textEdit))
    , m_completion(new QSCompletionApis(m_lexer))
    , m_statusBar(new QStatusBar(this))
    , m_positionLabel(new QLabel(m_statusBar))
{
    if (name) {
        setObjectName(QString::fromUtf8(name));
    }
    m_textEdit->setObjectName(QStringLiteral("editor_textwidget"));
    m_textEdit->setUtf8(true);
    m_lexer->setHighlightBackQuotedStrings(true);
    // The styles reach the lexer before the editor takes it over: the lexer's own default fonts
    // name families that are seldom installed, and the editor would look for substitutes of
    // each only to replace them.
    readSettings();
    m_textEdit->setLexer(m_lexer);
    m_textEdit->setMarginType(0, QsciScintilla::NumberMargin);
    m_textEdit->setMarginLineNumbers(0, true);
    m_textEdit->setAutoCompletionCaseSensitivity(true);
    // A horizontal scroll bar only when a line is wider than the view.
    m_textEdit->SendScintilla(QsciScintilla::SCI_SETSCROLLWIDTH, 1);
    m_textEdit->SendScintilla(QsciScintilla::SCI_SETSCROLLWIDTHTRACKING, true);

    m_positionLabel->setObjectName(QStringLiteral("editor_poslabel"));
    m_positionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->addPermanentWidget(m_positionLabel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_textEdit);
    layout->addWidget(m_statusBar);

    connect(m_textEdit, &QsciScintilla::textChanged, this, [this] {
        if (!m_settingText) {
            emit textChanged();
            updateUndoRedo();
        }
    });
    connect(m_textEdit, &QsciScintilla::textChanged, m_completion,
            &QSCompletionApis::scriptChanged);
    connect(m_textEdit, &QsciScintilla::cursorPositionChanged, this, &QSEditor::updatePosition);
    connect(m_textEdit, &QsciScintilla::linesChanged, this, &QSEditor::updateMarginWidth);

    updatePosition(0, 0);
}

QSEditor::~QSEditor() = default;

QString QSEditor::text() const
{
    return m_textEdit->text();
}

void QSEditor::setText(const QString &text)
{
    // Announced once, after the undo history is gone, so that listeners that read
    // isUndoAvailable() see a fresh document rather than an undoable edit.
    m_settingText = true;
    m_textEdit->setText(text);
    m_textEdit->SendScintilla(QsciScintilla::SCI_EMPTYUNDOBUFFER);
    m_textEdit->setModified(false);
    m_settingText = false;
    emit textChanged();
    updateUndoRedo();
}

bool QSEditor::isUndoAvailable() const
{
    return m_textEdit->isUndoAvailable();
}

bool QSEditor::isRedoAvailable() const
{
    return m_textEdit->isRedoAvailable();
}

void QSEditor::undo()
{
    m_textEdit->undo();
}

void QSEditor::redo()
{
    m_textEdit->redo();
}

void QSEditor::cut()
{
    m_textEdit->cut();
}

void QSEditor::copy()
{
    m_textEdit->copy();
}

void QSEditor::paste()
{
    m_textEdit->paste();
}

std::pair<long, long> QSEditor::search(const QByteArray &needle, long from, long to,
                                       int flags) const
{
    m_textEdit->SendScintilla(QsciScintilla::SCI_SETSEARCHFLAGS, flags);
    m_textEdit->SendScintilla(QsciScintilla::SCI_SETTARGETRANGE, static_cast<unsigned long>(from),
                              to);
    const long start =
        m_textEdit->SendScintilla(QsciScintilla::SCI_SEARCHINTARGET,
                                  static_cast<uintptr_t>(needle.size()), needle.constData());
    return {start, start < 0 ? start : m_textEdit->SendScintilla(QsciScintilla::SCI_GETTARGETEND)};
}

bool QSEditor::find(const QString &expr, bool caseSensitive, bool wholeWords, bool forward,
                    bool startAtCursor)
{
    if (expr.isEmpty()) {
        return false;
    }
    const long length = m_textEdit->SendScintilla(QsciScintilla::SCI_GETLENGTH);
    long from = forward ? 0 : length;
    if (startAtCursor) {
        from = m_textEdit->SendScintilla(forward ? QsciScintilla::SCI_GETSELECTIONEND
                                                 : QsciScintilla::SCI_GETSELECTIONSTART);
    }
    const long to = forward ? length : 0;
    const auto [start, end] =
        search(expr.toUtf8(), from, to, searchFlags(caseSensitive, wholeWords));
    if (start < 0) {
        return false;
    }
    m_textEdit->SendScintilla(QsciScintilla::SCI_SETSEL, static_cast<unsigned long>(start), end);
    return true;
}

bool QSEditor::replace(const QString &expr, const QString &replacement, bool caseSensitive,
                       bool wholeWords, bool forward, bool startAtCursor, bool replaceAll)
{
    if (expr.isEmpty()) {
        m_textEdit->setFocus();
        return true;
    }
    if (!replaceAll) {
        if (find(expr, caseSensitive, wholeWords, forward, startAtCursor)) {
            m_textEdit->replaceSelectedText(replacement);
        }
        m_textEdit->setFocus();
        return true;
    }

    const QByteArray needle = expr.toUtf8();
    const QByteArray text = replacement.toUtf8();
    const int flags = searchFlags(caseSensitive, wholeWords);
    long position = 0;
    bool replaced = false;
    m_textEdit->beginUndoAction();
    for (;;) {
        const long length = m_textEdit->SendScintilla(QsciScintilla::SCI_GETLENGTH);
        const auto [start, end] = search(needle, position, length, flags);
        if (start < 0) {
            break;
        }
        m_textEdit->SendScintilla(QsciScintilla::SCI_SETTARGETRANGE,
                                  static_cast<unsigned long>(start), end);
        m_textEdit->SendScintilla(QsciScintilla::SCI_REPLACETARGET,
                                  static_cast<uintptr_t>(text.size()), text.constData());
        position = start + text.size();
        replaced = true;
    }
    m_textEdit->endUndoAction();
    if (replaced) {
        m_textEdit->SendScintilla(QsciScintilla::SCI_GOTOPOS, position);
    }
    m_textEdit->setFocus();
    return true;
}

bool QSEditor::gotoLine(int line)
{
    if (line < 1 || line > m_textEdit->lines()) {
        return false;
    }
    m_textEdit->setFocus();
    m_textEdit->setCursorPosition(line - 1, 0);
    m_textEdit->ensureLineVisible(line - 1);
    return true;
}

void QSEditor::readSettings()
{
    const QMap<QString, ConfigStyle> styles = Config::readStyles();
    const ConfigStyle standard = styles.value(
        QStringLiteral("Standard"), Config::defaultStyles().value(QStringLiteral("Standard")));
    m_lexer->setDefaultFont(standard.font);
    m_lexer->setDefaultColor(standard.color);
    m_lexer->setFont(standard.font);
    m_lexer->setColor(standard.color);
    for (const StyleMapping &mapping : styleMappings()) {
        const auto it = styles.constFind(QLatin1String(mapping.element));
        if (it == styles.constEnd()) {
            continue;
        }
        for (int style : mapping.styles) {
            m_lexer->setFont(it->font, style);
            m_lexer->setColor(it->color, style);
        }
    }
    m_textEdit->setMarginsFont(standard.font);
    updateMarginWidth();

    m_textEdit->setTabWidth(Config::indentTabSize());
    m_textEdit->setIndentationWidth(Config::indentIndentSize());
    m_textEdit->setIndentationsUseTabs(Config::indentKeepTabs());
    m_textEdit->setAutoIndent(Config::indentAutoIndent());
    m_textEdit->setBraceMatching(Config::parenMatching() ? QsciScintilla::SloppyBraceMatch
                                                         : QsciScintilla::NoBraceMatch);
    const bool completion = Config::completion();
    m_textEdit->setAutoCompletionSource(completion ? QsciScintilla::AcsAPIs
                                                   : QsciScintilla::AcsNone);
    m_textEdit->setAutoCompletionThreshold(completion ? completionThreshold : -1);
    m_textEdit->setCallTipsStyle(completion ? QsciScintilla::CallTipsNoContext
                                            : QsciScintilla::CallTipsNone);
    m_textEdit->setWrapMode(Config::wordWrap() ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
}

QSInterpreter *QSEditor::interpreter() const
{
    return m_interpreter;
}

void QSEditor::setInterpreter(QSInterpreter *interpreter, QObject *context)
{
    m_interpreter = interpreter;
    m_completion->setInterpreter(interpreter, context);
}

void QSEditor::updateUndoRedo()
{
    const bool undo = isUndoAvailable();
    const bool redo = isRedoAvailable();
    if (undo != m_undoAvailable) {
        m_undoAvailable = undo;
        emit undoAvailable(undo);
    }
    if (redo != m_redoAvailable) {
        m_redoAvailable = redo;
        emit redoAvailable(redo);
    }
}

void QSEditor::updatePosition(int line, int index)
{
    m_positionLabel->setText(tr(" Line: %1 Col: %2").arg(line + 1).arg(index + 1));
}

void QSEditor::updateMarginWidth()
{
    // Room for four digits at least, so that the text does not shift while a script grows.
    const int digits = std::max(4, int(QString::number(m_textEdit->lines()).size()));
    m_textEdit->setMarginWidth(0, QString(digits + 1, QLatin1Char('0')));
}
