#pragma once

#include "jslexer.h"

#include <Qsci/qsciabstractapis.h>

#include <QFutureWatcher>
#include <QMultiMap>
#include <QPointer>

class QSInterpreter;
class QTimer;

// What the JavaScript editor offers while the user types: after "s.", "job.", "e." and "c." the
// methods of the scripting objects (ScriptingApi), after the name of an object known to the
// interpreter its methods, otherwise the language's keywords, the functions that the edited
// script declares and the names of the interpreter's objects and classes. Call tips show the
// signatures of those methods and functions. The script's functions are read again in the
// background when typing pauses rather than at every keystroke: reading a script of ten thousand
// lines takes longer than a keystroke may, and one of megabytes longer than the window may stop.
class QSCompletionApis : public QsciAbstractAPIs
{
    Q_OBJECT

public:
    // Attaches itself to `lexer`, its parent; the words come from the lexer's editor.
    explicit QSCompletionApis(QsciLexer *lexer);
    ~QSCompletionApis() override;

    // Neither is owned; the interpreter's objects and classes and the context's methods and
    // properties become known. Null forgets them.
    void setInterpreter(QSInterpreter *interpreter, QObject *context);

    // The edited script changed: its functions are read again, on another thread, once typing
    // pauses for ReadDelayMs.
    void scriptChanged();
    static constexpr int ReadDelayMs = 400;

    // `context` is the words before the cursor, the last one partial.
    void updateAutoCompletionList(const QStringList &context, QStringList &list) override;
    // `context` ends with the function's name and an empty word.
    QStringList callTips(const QStringList &context, int commas, QsciScintilla::CallTipsStyle style,
                         QList<int> &shifts) override;

private:
    QStringList topLevelWords();
    // The functions the edited script declares, read now when they were never read.
    const QList<JsLexer::Function> &scriptFunctions();
    void startReading();
    // Method name → signatures, of the object the script calls `objectName`.
    QMultiMap<QString, QString> members(const QString &objectName) const;

    QPointer<QSInterpreter> m_interpreter;
    QPointer<QObject> m_context;
    QTimer *m_readTimer;
    QFutureWatcher<QList<JsLexer::Function>> m_reading;
    QList<JsLexer::Function> m_scriptFunctions;
    bool m_scriptFunctionsRead = false;
};
