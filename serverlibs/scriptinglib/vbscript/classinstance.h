#pragma once

#include "object.h"

#include <vector>

namespace VBScript {

struct ClassInfo;

// An object of a class of the script. Made by New (which runs Class_Initialize); runs
// Class_Terminate when its last reference goes, unless the engine is closing or stopped.
class ClassInstance final : public Object
{
public:
    // A new object, its fixed arrays made; the caller runs Class_Initialize. Null when an
    // array is too large.
    static ClassInstance *create(Interpreter &interpreter, const ClassInfo &classInfo);

    const ClassInfo &classInfo() const { return m_class; }
    Value &field(int index) { return m_fields[size_t(index)]; }

    QString typeName() const override;
    int memberId(const QString &lowerName) const override;
    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    const void *dispatchClass() const override { return &m_class; }
    void dropReferences() override;

    // Runs Class_Terminate (unless the engine is closing or stopped), then goes, unless
    // Class_Terminate kept a reference somewhere.
    void dispose() override;

protected:
    void finalRelease() override;

private:
    ClassInstance(Interpreter &interpreter, const ClassInfo &classInfo);
    ~ClassInstance() override;

    bool invokeField(int field, InvokeKind kind, const Arguments &arguments, Value &result);

    Interpreter &m_interpreter;
    const ClassInfo &m_class;
    std::vector<Value> m_fields;
    bool m_terminated = false;
};

} // namespace VBScript
