#include "qsinterpreter.h"

#include "jslexer.h"
#include "qsobjectfactory.h"

#include <QApplication>
#include <QJSEngine>
#include <QMessageBox>

namespace {

// Evaluated before the script, on a line of its own: it throws before any statement of the
// script runs, while the engine has already compiled the whole text and so reported its syntax
// errors. QJSEngine reports where a syntax error is only when it evaluates a program; its
// Function constructor gives no position at all.
const QString guardLine = QStringLiteral("throw 0;\n");
constexpr int guardLineCount = 1;

template<typename T>
QList<T *> alive(const QList<QPointer<T>> &objects)
{
    QList<T *> result;
    for (const QPointer<T> &object : objects) {
        if (object) {
            result.append(object.data());
        }
    }
    return result;
}

} // namespace

QSInterpreter::QSInterpreter(QObject *parent, const char *name)
    : QObject(parent)
{
    if (name) {
        setObjectName(QString::fromUtf8(name));
    }
}

QSInterpreter::~QSInterpreter() = default;

void QSInterpreter::setErrorMode(ErrorMode mode)
{
    m_errorMode = mode;
}

bool QSInterpreter::checkSyntax(const QString &code)
{
    m_lastErrorLine = 0;
    m_lastErrorColumn = 0;
    m_lastErrorMessage.clear();

    // A fresh engine for every check: compiling binds the script's declarations in the global
    // scope, so that a second text declaring the same "let" would fail in a reused one.
    QJSEngine engine;
    QStringList stackTrace;
    const QJSValue result = engine.evaluate(guardLine + JsLexer(code).withoutTypeAnnotations(),
                                            QString(), 1, &stackTrace);
    if (!result.isError()) {
        return true; // the guard's exception: everything compiled
    }

    // Frames read "function:line:column:file"; the syntax error is the only one.
    int line = result.property(QStringLiteral("lineNumber")).toInt();
    int column = 0;
    if (!stackTrace.isEmpty()) {
        const QStringList parts = stackTrace.constFirst().split(QLatin1Char(':'));
        if (parts.size() >= 3) {
            line = parts.at(1).toInt();
            column = std::max(0, parts.at(2).toInt());
        }
    }
    reportError(result.property(QStringLiteral("message")).toString(),
                std::max(1, line - guardLineCount), column);
    return false;
}

void QSInterpreter::reportError(const QString &message, int line, int column)
{
    m_lastErrorLine = line;
    m_lastErrorColumn = column;
    m_lastErrorMessage = message;
    emit error(message, QString(), line);

    if (m_errorMode != Notify || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
        return;
    }
    // Not exec(): the caller's event handling goes on, and the box deletes itself when closed.
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Script error"),
                                tr("Syntax error in line %1: %2").arg(line).arg(message),
                                QMessageBox::Ok, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

QStringList QSInterpreter::functions(FunctionFlags flags) const
{
    QStringList result;
    for (const Script &script : m_scripts) {
        for (const JsLexer::Function &function : JsLexer(script.code).topLevelFunctions()) {
            result.append(flags == FunctionSignatures ? function.signature : function.name);
        }
    }
    return result;
}

void QSInterpreter::addObjectFactory(QSObjectFactory *factory)
{
    if (factory && !m_factories.contains(factory)) {
        m_factories.append(factory);
    }
}

void QSInterpreter::addTransientObject(QObject *object)
{
    if (object && !m_transientObjects.contains(object)) {
        m_transientObjects.append(object);
    }
}

QList<QSObjectFactory *> QSInterpreter::objectFactories() const
{
    return alive(m_factories);
}

QList<QObject *> QSInterpreter::transientObjects() const
{
    return alive(m_transientObjects);
}
