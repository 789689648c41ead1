#include "classinstance.h"

#include "array.h"
#include "assignment.h"
#include "classinfo.h"
#include "interpreter.h"
#include "runtimeerror.h"

namespace VBScript {

ClassInstance::ClassInstance(Interpreter &interpreter, const ClassInfo &classInfo)
    : m_interpreter(interpreter)
    , m_class(classInfo)
    , m_fields(classInfo.fields.size())
{
    m_interpreter.track(this);
}

ClassInstance::~ClassInstance()
{
    m_interpreter.untrack(this);
}

ClassInstance *ClassInstance::create(Interpreter &interpreter, const ClassInfo &classInfo)
{
    auto *instance = new ClassInstance(interpreter, classInfo);
    for (size_t i = 0; i < classInfo.fields.size(); ++i) {
        const ClassInfo::Field &field = classInfo.fields[i];
        if (!field.isArray) {
            continue;
        }
        Array *array = Array::create(field.upperBounds);
        if (!array) {
            delete instance;
            return nullptr;
        }
        instance->m_fields[i] = Value::adoptArray(array);
        instance->m_fields[i].setFixedArray(!field.upperBounds.empty());
    }
    return instance;
}

QString ClassInstance::typeName() const
{
    return m_class.name;
}

int ClassInstance::memberId(const QString &lowerName) const
{
    return m_class.memberIds.value(lowerName, noMember);
}

void ClassInstance::dropReferences()
{
    m_terminated = true;
    for (Value &field : m_fields) {
        field.clear();
    }
}

void ClassInstance::finalRelease()
{
    m_interpreter.dispose(this);
}

void ClassInstance::dispose()
{
    if (!m_terminated && m_class.terminate) {
        m_terminated = true;
        addRef(); // alive while Class_Terminate runs
        m_interpreter.runTerminate(*this, *m_class.terminate);
        release(); // goes, unless Class_Terminate kept a reference somewhere
        return;
    }
    delete this;
}

bool ClassInstance::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                           const Arguments &arguments, Value &result)
{
    if (member == defaultMember) {
        member = m_class.defaultMember;
        if (member < 0) {
            return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
        }
    }
    const ClassInfo::Member *info = m_class.member(member);
    if (!info || (!info->isPublic && interpreter.currentClass() != &m_class)) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    switch (info->kind) {
    case ClassInfo::Member::Kind::Field:
        return invokeField(info->field, kind, arguments, result);
    case ClassInfo::Member::Kind::Method:
        if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
            return interpreter.raise(RuntimeError::IllegalAssignment);
        }
        return interpreter.callProcedure(*info->method, this, arguments, &result);
    case ClassInfo::Member::Kind::Property:
        break;
    }
    const Procedure *procedure = kind == InvokeKind::Let   ? info->let
                                 : kind == InvokeKind::Set ? info->set
                                                           : info->get;
    if (!procedure) {
        return interpreter.raise(kind == InvokeKind::Let || kind == InvokeKind::Set
                                     ? RuntimeError::IllegalAssignment
                                     : RuntimeError::ObjectDoesNotSupport);
    }
    // A Property Get without parameters given arguments indexes its value, as for a variable.
    if (kind != InvokeKind::Let && kind != InvokeKind::Set && procedure->parameterCount() == 0
        && arguments.count > 0) {
        Value value;
        return interpreter.callProcedure(*procedure, this, Arguments(), &value)
               && interpreter.callValue(value, arguments, &result);
    }
    return interpreter.callProcedure(*procedure, this, arguments, &result);
}

bool ClassInstance::invokeField(int field, InvokeKind kind, const Arguments &arguments,
                                Value &result)
{
    Value &variable = m_fields[size_t(field)];
    switch (kind) {
    case InvokeKind::Let:
    case InvokeKind::Set:
        if (arguments.count > 1) {
            return Assignment::storeElement(m_interpreter, variable, arguments.withoutLast(),
                                            arguments.last(), kind == InvokeKind::Set);
        }
        return kind == InvokeKind::Set ? Assignment::set(m_interpreter, variable, arguments.last())
                                       : Assignment::let(m_interpreter, variable, arguments.last());
    default:
        if (arguments.count == 0) {
            result = variable;
            return true;
        }
        return m_interpreter.callValue(variable, arguments, &result);
    }
}

} // namespace VBScript
