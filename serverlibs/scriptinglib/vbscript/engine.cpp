#include "engine.h"

#include "array.h"
#include "compiler.h"
#include "errobject.h"
#include "globalscope.h"
#include "hostobject.h"
#include "interpreter.h"
#include "outputsink.h"
#include "runtimeerror.h"
#include "variantconverter.h"
#include "wscriptobject.h"

#include <QCoreApplication>

#include <new>
#include <vector>

namespace VBScript {

namespace {

ScriptError outOfMemory()
{
    ScriptError error;
    error.kind = ScriptError::Kind::Runtime;
    error.number = RuntimeError::OutOfMemory;
    error.source = RuntimeError::runtimeSource();
    error.description = RuntimeError::text(RuntimeError::OutOfMemory);
    return error;
}

} // namespace

Engine::Engine()
    : m_globals(std::make_unique<GlobalScope>())
    , m_interpreter(std::make_unique<Interpreter>(*m_globals))
{
    *m_globals->variable(QStringLiteral("Err")) = Value::object(&m_interpreter->err());
}

Engine::~Engine()
{
    close();
    m_interpreter.reset();
}

void Engine::setOutput(OutputSink *output)
{
    m_interpreter->setOutput(output);
}

void Engine::addHostObject(const QString &name, QObject *object)
{
    *m_globals->variable(name) = Value::object(object ? new HostObject(object) : nullptr);
}

void Engine::addWScript()
{
    *m_globals->variable(QStringLiteral("WScript")) = Value::object(new WScriptObject);
}

bool Engine::fail(ScriptError failure, ScriptError *error)
{
    if (OutputSink *output = m_interpreter->output()) {
        output->log(3, failure.toString());
    }
    if (error) {
        *error = std::move(failure);
    }
    return false;
}

bool Engine::load(const QString &source, ScriptError *error)
{
    if (m_interpreter->isInterrupted()) {
        m_interpreter->raiseInterrupt();
        return fail(m_interpreter->takeError(), error);
    }
    // Allocation failures Qt reports by exception end the run; the engine stays usable.
    try {
        ScriptError compileError;
        const std::unique_ptr<CodeUnit> unit =
            Compiler(*m_globals).compileScript(source, &compileError);
        if (!unit) {
            return fail(compileError, error);
        }
        // A stop that came while Class_Terminate code ran shows only here.
        if (!m_interpreter->runTopLevel(*unit)
            || (m_interpreter->isInterrupted() && !m_interpreter->raiseInterrupt())) {
            return fail(m_interpreter->takeError(), error);
        }
    } catch (const std::bad_alloc &) {
        m_interpreter->recover();
        return fail(outOfMemory(), error);
    }
    if (error) {
        *error = ScriptError();
    }
    return true;
}

bool Engine::hasFunction(const QString &name) const
{
    return functionNames().contains(name, Qt::CaseInsensitive);
}

QStringList Engine::functionNames() const
{
    return m_globals->procedureNames();
}

bool Engine::call(const QString &name, const QVariantList &arguments, QVariant *result,
                  ScriptError *error)
{
    const GlobalEntry *entry = m_globals->find(name.toLower());
    if (!entry || entry->kind != GlobalEntry::Kind::Procedure) {
        m_interpreter->raise(RuntimeError::SubOrFunctionNotDefined, name);
        return fail(m_interpreter->takeError(), error);
    }
    try {
        std::vector<Value> values;
        values.reserve(size_t(arguments.size()));
        for (const QVariant &argument : arguments) {
            values.push_back(VariantConverter::fromVariant(*m_interpreter, argument));
        }
        Value returned;
        if (!m_interpreter->callProcedure(*entry->procedure->procedure, nullptr,
                                          Arguments{values.data(), int(values.size())}, &returned)
            || (m_interpreter->isInterrupted() && !m_interpreter->raiseInterrupt())) {
            return fail(m_interpreter->takeError(), error);
        }
        if (result) {
            *result = VariantConverter::toVariant(returned);
        }
    } catch (const std::bad_alloc &) {
        m_interpreter->recover();
        return fail(outOfMemory(), error);
    }
    if (error) {
        *error = ScriptError();
    }
    return true;
}

void Engine::failHostCall(const QString &description)
{
    m_interpreter->failHostCall(description);
}

void Engine::interrupt()
{
    m_interpreter->interrupt();
}

void Engine::close()
{
    m_interpreter->close();
    m_interpreter->interrupt(); // nothing runs after closing
}

} // namespace VBScript
