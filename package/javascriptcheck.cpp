#include "javascriptcheck.h"

#include "qsa/qsinterpreter.h"

#include <QtConcurrent>

namespace Scripter {

JavaScriptCheck::JavaScriptCheck(const QString &program)
    : m_result(QtConcurrent::run([program] {
        // The interpreter and its engine belong to the worker thread.
        QSInterpreter interpreter;
        interpreter.setErrorMode(QSInterpreter::Nothing);
        Result result;
        result.passed = interpreter.checkSyntax(program);
        if (!result.passed) {
            result.message = interpreter.lastErrorMessage();
            result.line = interpreter.lastErrorLine();
            result.column = interpreter.lastErrorColumn();
        }
        return result;
    }))
{}

JavaScriptCheck::~JavaScriptCheck()
{
    m_result.waitForFinished();
}

JavaScriptCheck::Result JavaScriptCheck::result()
{
    return m_result.result();
}

} // namespace Scripter
