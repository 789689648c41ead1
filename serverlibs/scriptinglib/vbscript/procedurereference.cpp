#include "procedurereference.h"

#include "interpreter.h"
#include "procedure.h"
#include "runtimeerror.h"

namespace VBScript {

ProcedureReference::ProcedureReference(const ProcedureCell &cell)
    : m_cell(cell)
{}

QString ProcedureReference::typeName() const
{
    return QStringLiteral("Object");
}

int ProcedureReference::memberId(const QString &) const
{
    return noMember;
}

const void *ProcedureReference::dispatchClass() const
{
    static const char tag = 0;
    return &tag;
}

bool ProcedureReference::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                                const Arguments &arguments, Value &result)
{
    if (member != defaultMember || kind == InvokeKind::Let || kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    return interpreter.callProcedure(*m_cell.procedure, nullptr, arguments, &result);
}

} // namespace VBScript
