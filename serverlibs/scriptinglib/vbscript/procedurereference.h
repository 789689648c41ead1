#pragma once

#include "object.h"

namespace VBScript {

struct ProcedureCell;

// What GetRef gives: a procedure of the script as an object, called through its default
// member (`Set f = GetRef("Handler")`, then `f 1, 2` or `x = f(1)`).
class ProcedureReference final : public Object
{
public:
    // `cell` belongs to the global scope, which outlives every object.
    explicit ProcedureReference(const ProcedureCell &cell);

    QString typeName() const override;
    int memberId(const QString &lowerName) const override;
    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    const void *dispatchClass() const override;

private:
    const ProcedureCell &m_cell;
};

} // namespace VBScript
