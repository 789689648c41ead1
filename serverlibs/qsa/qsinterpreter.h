#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVector>

class QSObjectFactory;

// The JavaScript interpreter of a script project. For now it checks syntax and lists functions;
// neither ever runs the script's code. Scripts may carry QSA type annotations
// ("function f( s : Tavrix )", "var n : Number"), which are removed before the engine sees the
// text. GUI thread only.
class QSInterpreter : public QObject
{
    Q_OBJECT

public:
    enum ErrorMode {
        Notify, // emit error() and show the message in a message box over the active window
        Nothing // only emit error()
    };
    Q_ENUM(ErrorMode)

    enum FunctionFlags {
        FunctionNames = 0,     // "jobArrived"
        FunctionSignatures = 1 // "jobArrived(s, job)"
    };
    Q_ENUM(FunctionFlags)

    explicit QSInterpreter(QObject *parent = nullptr, const char *name = nullptr);
    QSInterpreter(const QSInterpreter &) = delete;
    QSInterpreter &operator=(const QSInterpreter &) = delete;
    ~QSInterpreter() override;

    void setErrorMode(ErrorMode mode);
    ErrorMode errorMode() const { return m_errorMode; }

    // True when `code`, with its type annotations removed, is valid JavaScript. Otherwise emits
    // error() with the engine's message and the line in `code`, keeps line, column and message
    // for lastError...(), and returns false. Compiles without executing anything.
    bool checkSyntax(const QString &code);
    // Of the last failed checkSyntax(); 0 and empty after one that passed.
    int lastErrorLine() const { return m_lastErrorLine; }
    int lastErrorColumn() const { return m_lastErrorColumn; }
    QString lastErrorMessage() const { return m_lastErrorMessage; }

    // The functions declared at the top level of the project's scripts, script by script in the
    // order they were created, each in source order. A script with syntax errors still yields
    // the declarations that can be recognised.
    QStringList functions(FunctionFlags flags = FunctionNames) const;

    // Objects that completion knows: factories by the names of their classes, transient objects
    // by their object names. Neither is owned; an object deleted meanwhile is forgotten.
    void addObjectFactory(QSObjectFactory *factory);
    void addTransientObject(QObject *object);
    QList<QSObjectFactory *> objectFactories() const;
    QList<QObject *> transientObjects() const;

signals:
    void error(const QString &message, const QString &scriptName, int lineNumber);

private:
    friend class QSProject;

    struct Script
    {
        QString name;
        QString code;
    };

    void reportError(const QString &message, int line, int column);

    ErrorMode m_errorMode = Notify;
    QVector<Script> m_scripts;
    QList<QPointer<QSObjectFactory>> m_factories;
    QList<QPointer<QObject>> m_transientObjects;
    int m_lastErrorLine = 0;
    int m_lastErrorColumn = 0;
    QString m_lastErrorMessage;
};
