#include "interpreter.h"

#include "array.h"
#include "classinstance.h"
#include "compiler.h"
#include "conversion.h"
#include "errobject.h"
#include "framerunner.h"
#include "globalscope.h"
#include "outputsink.h"
#include "runtimeerror.h"

#include <QCoreApplication>
#include <QVarLengthArray>

#include <vector>

namespace VBScript {

Interpreter::Interpreter(GlobalScope &globals)
    : m_globals(globals)
    , m_err(new ErrObject)
{
    m_err->addRef();
}

Interpreter::~Interpreter()
{
    close();
    m_err->release();
}

// --- Running -----------------------------------------------------------------------------------

bool Interpreter::checkDepth()
{
    if (isInterrupted()) {
        return raiseInterrupt();
    }
    if (m_depth >= maxCallDepth) {
        return raise(RuntimeError::OutOfStackSpace);
    }
    if (!m_stack) {
        m_stack = std::make_unique<Value[]>(stackSize);
        m_slotPointers = std::make_unique<Value *[]>(stackSize);
        m_top = m_stack.get();
    }
    return true;
}

bool Interpreter::enter(const CodeUnit &unit, Frame &frame, Value *locals)
{
    if (locals + unit.localCount + unit.maxStack > m_stack.get() + stackSize) {
        return raise(RuntimeError::OutOfStackSpace);
    }
    frame.unit = &unit;
    frame.variables = m_slotPointers.get() + (locals - m_stack.get());
    frame.stackBase = locals + unit.localCount;
    frame.caller = m_frame;
    // The frame keeps room for its deepest evaluation: code run from within it (a call, or a
    // Class_Terminate while a value goes) starts above.
    m_top = frame.stackBase + unit.maxStack;
    m_frame = &frame;
    ++m_depth;
    return true;
}

void Interpreter::leave(Frame &frame, Value *locals, int localCount)
{
    m_frame = frame.caller;
    --m_depth;
    // Locals go in order; Class_Terminate code run meanwhile still finds m_top above them.
    for (int i = 0; i < localCount; ++i) {
        locals[i].clear();
    }
    frame.extras.reset();
    m_top = locals;
}

bool Interpreter::runUnit(const CodeUnit &unit, Frame &frame)
{
    if (!checkDepth()) {
        return false;
    }
    Value *locals = m_top;
    if (!enter(unit, frame, locals)) {
        return false;
    }
    for (int i = 0; i < unit.localCount; ++i) {
        frame.variables[i] = &locals[i];
    }
    const bool ok = FrameRunner(*this, frame).run();
    leave(frame, locals, unit.localCount);
    return ok;
}

bool Interpreter::runTopLevel(const CodeUnit &unit)
{
    Frame frame;
    return runUnit(unit, frame);
}

bool Interpreter::callProcedure(const Procedure &procedure, ClassInstance *me,
                                const Arguments &arguments, Value *result)
{
    if (arguments.count != procedure.parameterCount()) {
        return raise(RuntimeError::WrongNumberOfArguments, procedure.name);
    }
    if (!checkDepth()) {
        return false;
    }
    const CodeUnit &unit = procedure.code;
    Value *locals = m_top;
    Frame frame;
    frame.procedure = &procedure;
    frame.me = me;
    if (!enter(unit, frame, locals)) {
        return false;
    }
    Value **variables = frame.variables;
    for (int i = 0; i < arguments.count; ++i) {
        Value &argument = arguments.values[i];
        if (!argument.isReference()) {
            // A value computed for the call: the procedure may use it as its own.
            variables[i] = &argument;
        } else if (procedure.byValue[size_t(i)]) {
            locals[i] = argument.target();
            variables[i] = &locals[i];
        } else {
            variables[i] = &argument.target();
        }
    }
    for (int i = arguments.count; i < unit.localCount; ++i) {
        variables[i] = &locals[i];
    }
    bool ok = true;
    for (const Procedure::LocalArray &declared : procedure.arrays) {
        Array *array = Array::create(declared.upperBounds);
        if (!array) {
            ok = raise(RuntimeError::OutOfMemory);
            break;
        }
        locals[declared.slot] = Value::adoptArray(array);
        locals[declared.slot].setFixedArray(!declared.upperBounds.empty());
    }
    ok = ok && FrameRunner(*this, frame).run();
    if (ok && result) {
        *result = procedure.returnsValue() ? std::move(*variables[procedure.resultSlot]) : Value();
    }
    leave(frame, locals, unit.localCount);
    return ok;
}

bool Interpreter::executeText(const QString &text, bool global)
{
    Frame *scope = nullptr;
    if (!global && m_frame) {
        scope = m_frame->procedure ? m_frame : m_frame->scope;
    }
    ScriptError error;
    Compiler compiler(m_globals);
    const std::unique_ptr<CodeUnit> unit = scope ? compiler.compileInFrame(text, *scope, &error)
                                                 : compiler.compileScript(text, &error);
    if (!unit) {
        return raiseCompilation(error);
    }
    Frame frame;
    frame.scope = scope;
    frame.me = scope ? scope->me : nullptr;
    return runUnit(*unit, frame);
}

bool Interpreter::evaluateText(const QString &text, Value *result)
{
    Frame *scope = m_frame ? (m_frame->procedure ? m_frame : m_frame->scope) : nullptr;
    ScriptError error;
    Compiler compiler(m_globals);
    const std::unique_ptr<CodeUnit> unit = compiler.compileExpression(text, scope, &error);
    if (!unit) {
        return raiseCompilation(error);
    }
    Frame frame;
    frame.scope = scope;
    frame.me = scope ? scope->me : nullptr;
    frame.result = result;
    return runUnit(*unit, frame);
}

const ClassInfo *Interpreter::currentClass() const
{
    for (const Frame *frame = m_frame; frame; frame = frame->scope) {
        if (frame->me) {
            return &frame->me->classInfo();
        }
        if (frame->procedure) {
            return frame->procedure->owner;
        }
    }
    return nullptr;
}

// --- Errors ------------------------------------------------------------------------------------

bool Interpreter::raiseInterrupt()
{
    m_errorPlaced = false;
    m_error = ScriptError();
    m_error.kind = ScriptError::Kind::Interrupted;
    m_error.description =
        QCoreApplication::translate("VBScript::Interpreter", "The script was stopped");
    return false;
}

bool Interpreter::raiseCompilation(const ScriptError &error)
{
    m_errorPlaced = false;
    m_error = error;
    return false;
}

bool Interpreter::raise(int number, const QString &detail)
{
    m_errorPlaced = false;
    m_error = ScriptError();
    m_error.kind = ScriptError::Kind::Runtime;
    m_error.number = number;
    m_error.description = RuntimeError::text(number);
    m_error.source = RuntimeError::runtimeSource();
    m_error.detail = detail;
    return false;
}

bool Interpreter::raiseCustom(int number, const QString &source, const QString &description)
{
    if (number == 0) {
        return raise(RuntimeError::InvalidProcedureCall);
    }
    raise(number);
    if (!source.isEmpty()) {
        m_error.source = source;
    }
    if (!description.isEmpty()) {
        m_error.description = description;
    }
    return false;
}

void Interpreter::placeError(const Frame &frame, int pc)
{
    if (m_errorPlaced) {
        return;
    }
    m_errorPlaced = true;
    if (m_error.kind == ScriptError::Kind::Compilation) {
        // An error in a text given to Execute, ExecuteGlobal or Eval: the script sees it at
        // the call, with the checker's message.
        m_error.kind = ScriptError::Kind::Runtime;
        m_error.number = RuntimeError::SyntaxError;
        m_error.source = RuntimeError::compilationSource();
    }
    m_error.position = frame.unit->positions[size_t(pc)];
}

bool Interpreter::handleError(Frame &frame, int pc)
{
    placeError(frame, pc);
    if (!frame.resumeNext || m_error.kind == ScriptError::Kind::Interrupted || m_closing) {
        return false;
    }
    copyErrorToErr();
    m_error = ScriptError();
    m_errorPlaced = false;
    return true;
}

void Interpreter::copyErrorToErr()
{
    m_err->set(m_error.number, m_error.source, m_error.description);
}

void Interpreter::discardError()
{
    m_error = ScriptError();
    m_errorPlaced = false;
}

ScriptError Interpreter::takeError()
{
    if (m_error.kind == ScriptError::Kind::Runtime) {
        copyErrorToErr();
    }
    ScriptError error = m_error;
    m_error = ScriptError();
    m_errorPlaced = false;
    return error;
}

// --- Values ------------------------------------------------------------------------------------

bool Interpreter::defaultValue(const Value &value, Value *result)
{
    const Value &target = value.target();
    if (!target.isObject()) {
        *result = target;
        return true;
    }
    Object *object = target.asObject();
    if (!object) {
        return raise(RuntimeError::ObjectVariableNotSet);
    }
    Value keep = target; // the object must outlive its own default member's code
    Value resolved;
    if (!object->invoke(*this, Object::defaultMember, InvokeKind::Get, Arguments(), resolved)) {
        return false;
    }
    if (resolved.isObject()) {
        return raise(RuntimeError::ObjectDoesNotSupport);
    }
    *result = std::move(resolved);
    return true;
}

bool Interpreter::toDouble(const Value &value, double *result)
{
    Value plain;
    return defaultValue(value, &plain) && check(Conversion::toDouble(plain, result));
}

bool Interpreter::toLong(const Value &value, int *result)
{
    Value plain;
    return defaultValue(value, &plain) && check(Conversion::toLong(plain, result));
}

bool Interpreter::toBoolean(const Value &value, bool *result)
{
    Value plain;
    return defaultValue(value, &plain) && check(Conversion::toBoolean(plain, result));
}

bool Interpreter::toString(const Value &value, QString *result)
{
    const Value &target = value.target();
    if (target.isString()) {
        *result = target.asString();
        return true;
    }
    Value plain;
    return defaultValue(target, &plain) && check(Conversion::toString(plain, result));
}

bool Interpreter::toDate(const Value &value, double *result)
{
    Value plain;
    return defaultValue(value, &plain) && check(Conversion::toDate(plain, result));
}

bool Interpreter::invoke(const Value &object, int member, InvokeKind kind,
                         const Arguments &arguments, Value *result)
{
    const Value &target = object.target();
    if (!target.isObject()) {
        return raise(RuntimeError::ObjectRequired);
    }
    if (!target.asObject()) {
        return raise(RuntimeError::ObjectVariableNotSet);
    }
    Value keep = target;
    Value ignored;
    return target.asObject()->invoke(*this, member, kind, arguments, result ? *result : ignored);
}

bool Interpreter::callValue(const Value &callee, const Arguments &arguments, Value *result)
{
    const Value &target = callee.target();
    if (target.isArray()) {
        QVarLengthArray<int, 4> indices(arguments.count);
        for (int i = 0; i < arguments.count; ++i) {
            if (!toLong(arguments[i], &indices[i])) {
                return false;
            }
        }
        const Array *array = target.asArray();
        const qint64 index = array->flatIndex(indices.data(), arguments.count);
        if (index < 0) {
            return raise(RuntimeError::SubscriptOutOfRange);
        }
        *result = array->at(index);
        return true;
    }
    if (target.isObject()) {
        return invoke(target, Object::defaultMember, InvokeKind::Get, arguments, result);
    }
    if (arguments.count == 0) {
        *result = target;
        return true;
    }
    return raise(RuntimeError::TypeMismatch);
}

// --- Objects -----------------------------------------------------------------------------------

void Interpreter::runTerminate(ClassInstance &instance, const Procedure &terminate)
{
    if (!canRunScript()) {
        return;
    }
    // Terminate runs while anything may be under way, even an error on its way up: keep that
    // error, and ignore Terminate's own.
    const ScriptError pending = m_error;
    const bool placed = m_errorPlaced;
    m_error = ScriptError();
    callProcedure(terminate, &instance, Arguments(), nullptr);
    m_error = pending;
    m_errorPlaced = placed;
}

void Interpreter::dispose(Object *object)
{
    m_disposals.push_back(object);
    if (m_disposing) {
        return;
    }
    m_disposing = true;
    while (!m_disposals.empty()) {
        Object *next = m_disposals.back();
        m_disposals.pop_back();
        next->dispose();
    }
    m_disposing = false;
}

void Interpreter::recover()
{
    m_frame = nullptr;
    m_depth = 0;
    m_disposing = false;
    discardError();
    if (m_stack) {
        for (Value *value = m_stack.get(); value < m_top; ++value) {
            value->clear();
        }
        m_top = m_stack.get();
    }
    if (!m_disposals.empty()) {
        Object *first = m_disposals.back();
        m_disposals.pop_back();
        dispose(first); // and the others waiting
    }
}

void Interpreter::close()
{
    if (m_closing) {
        return;
    }
    m_globals.clearVariables();
    m_closing = true;
    // What is left lives in reference cycles: break them without running script code.
    std::vector<Object *> left(m_tracked.begin(), m_tracked.end());
    for (Object *object : left) {
        object->addRef();
    }
    for (Object *object : left) {
        object->dropReferences();
    }
    for (Object *object : left) {
        object->release();
    }
}

} // namespace VBScript
