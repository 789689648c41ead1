#pragma once

#include <Qsci/qsciabstractapis.h>

#include <QMultiMap>
#include <QPointer>

class QSInterpreter;

// What the JavaScript editor offers while the user types: after "s.", "job.", "e." and "c." the
// methods of the scripting objects (ScriptingApi), after the name of an object known to the
// interpreter its methods, otherwise the language's keywords, the functions that the edited
// script declares and the names of the interpreter's objects and classes. Call tips show the
// signatures of those methods and functions. Answers on the spot from the current text, so
// nothing is prepared in the background.
class QSCompletionApis : public QsciAbstractAPIs
{
    Q_OBJECT

public:
    // Attaches itself to `lexer`, its parent; the words come from the lexer's editor.
    explicit QSCompletionApis(QsciLexer *lexer);

    // Neither is owned; the interpreter's objects and classes and the context's methods and
    // properties become known. Null forgets them.
    void setInterpreter(QSInterpreter *interpreter, QObject *context);

    // `context` is the words before the cursor, the last one partial.
    void updateAutoCompletionList(const QStringList &context, QStringList &list) override;
    // `context` ends with the function's name and an empty word.
    QStringList callTips(const QStringList &context, int commas, QsciScintilla::CallTipsStyle style,
                         QList<int> &shifts) override;

private:
    QStringList topLevelWords() const;
    // Method name → signatures, of the object the script calls `objectName`.
    QMultiMap<QString, QString> members(const QString &objectName) const;

    QPointer<QSInterpreter> m_interpreter;
    QPointer<QObject> m_context;
};
