#include "scope.h"

#include "array.h"
#include "builtins.h"
#include "classinfo.h"
#include "classinstance.h"
#include "codebuilder.h"
#include "frame.h"
#include "globalscope.h"
#include "procedure.h"

namespace VBScript {

namespace {

NameMeaning variableAt(VariableKind kind, int index, Value *pointer = nullptr)
{
    NameMeaning meaning;
    meaning.kind = NameMeaning::Kind::Variable;
    meaning.variable = kind;
    meaning.index = index;
    meaning.pointer = pointer;
    return meaning;
}

NameMeaning constantOf(const Value &value)
{
    NameMeaning meaning;
    meaning.kind = NameMeaning::Kind::Constant;
    meaning.constant = value;
    return meaning;
}

// The value a new array variable starts with.
bool newArray(const std::vector<int> &upperBounds, Value *variable)
{
    Array *array = Array::create(upperBounds);
    if (!array) {
        return false;
    }
    *variable = Value::adoptArray(array);
    variable->setFixedArray(!upperBounds.empty());
    return true;
}

} // namespace

Scope::Scope(GlobalScope &globals, CodeBuilder &builder)
    : m_globals(globals)
    , m_builder(builder)
{
    builder.unit().implicitScope = CodeUnit::ImplicitScope::Global;
}

Scope::Scope(GlobalScope &globals, CodeBuilder &builder, Procedure &procedure,
             const ClassInfo *owner)
    : m_globals(globals)
    , m_builder(builder)
    , m_procedure(&procedure)
    , m_class(owner)
{
    builder.unit().implicitScope = CodeUnit::ImplicitScope::Slot;
}

Scope::Scope(GlobalScope &globals, CodeBuilder &builder, Frame &frame)
    : m_globals(globals)
    , m_builder(builder)
    , m_class(frame.me ? &frame.me->classInfo() : frame.procedure->owner)
    , m_frame(&frame)
{
    builder.unit().implicitScope = CodeUnit::ImplicitScope::FrameExtras;
}

NameMeaning Scope::resolve(const QString &name, bool asCallee)
{
    const QString key = name.toLower();
    NameMeaning meaning;
    if (findLocal(key, asCallee, &meaning) || findInFrame(key, asCallee, &meaning)
        || findInClass(key, &meaning) || findGlobal(key, &meaning)) {
        return meaning;
    }
    if (const Builtin *builtin = Builtins::function(key)) {
        meaning.kind = NameMeaning::Kind::Builtin;
        meaning.builtin = builtin;
        return meaning;
    }
    Value constant;
    if (Builtins::constant(key, &constant)) {
        return constantOf(constant);
    }
    return unknown(name);
}

bool Scope::knows(const QString &name) const
{
    const QString key = name.toLower();
    NameMeaning meaning;
    Value constant;
    return findLocal(key, false, &meaning) || findInFrame(key, false, &meaning)
           || findInClass(key, &meaning) || findGlobal(key, &meaning) || Builtins::function(key)
           || Builtins::constant(key, &constant);
}

bool Scope::findLocal(const QString &key, bool asCallee, NameMeaning *meaning) const
{
    if (!m_procedure || m_implicitNames.contains(key)) {
        return false;
    }
    const auto slot = m_procedure->slotsByName.constFind(key);
    if (slot != m_procedure->slotsByName.constEnd()
        && !(asCallee && *slot == m_procedure->resultSlot)) {
        *meaning = variableAt(VariableKind::Local, *slot);
        return true;
    }
    const auto constant = m_constants.constFind(key);
    if (constant != m_constants.constEnd()) {
        *meaning = constantOf(*constant);
        return true;
    }
    return false;
}

bool Scope::findInFrame(const QString &key, bool asCallee, NameMeaning *meaning) const
{
    if (!m_frame) {
        return false;
    }
    const Procedure &procedure = *m_frame->procedure;
    const auto slot = procedure.slotsByName.constFind(key);
    if (slot != procedure.slotsByName.constEnd() && !(asCallee && *slot == procedure.resultSlot)) {
        *meaning = variableAt(VariableKind::Pointer, -1, m_frame->variables[*slot]);
        return true;
    }
    if (const FrameExtras *extras = m_frame->extras.get()) {
        if (const auto variable = extras->variables.value(key)) {
            *meaning = variableAt(VariableKind::Pointer, -1, variable.get());
            return true;
        }
        const auto constant = extras->constants.constFind(key);
        if (constant != extras->constants.constEnd()) {
            *meaning = constantOf(*constant);
            return true;
        }
    }
    return false;
}

bool Scope::findInClass(const QString &key, NameMeaning *meaning) const
{
    if (!m_class) {
        return false;
    }
    const ClassInfo::Member *member = m_class->member(m_class->memberIds.value(key, -1));
    if (!member) {
        return false;
    }
    if (member->kind == ClassInfo::Member::Kind::Field) {
        *meaning = variableAt(VariableKind::Field, member->field);
    } else {
        meaning->kind = NameMeaning::Kind::ClassMember;
    }
    return true;
}

bool Scope::findGlobal(const QString &key, NameMeaning *meaning) const
{
    const GlobalEntry *entry = m_globals.find(key);
    if (!entry) {
        return false;
    }
    switch (entry->kind) {
    case GlobalEntry::Kind::Variable:
        *meaning = variableAt(VariableKind::Pointer, -1, entry->variable);
        return true;
    case GlobalEntry::Kind::Constant:
        *meaning = constantOf(entry->constant);
        return true;
    case GlobalEntry::Kind::Procedure:
        meaning->kind = NameMeaning::Kind::Procedure;
        meaning->procedure = entry->procedure;
        return true;
    case GlobalEntry::Kind::Class:
        break;
    }
    return false;
}

NameMeaning Scope::unknown(const QString &name)
{
    const QString key = name.toLower();
    int cache = m_implicitNames.value(key, -1);
    if (cache < 0) {
        int slot = -1;
        if (m_procedure) {
            // A variable used without Dim is the procedure's own, unless a global of that name
            // exists by the time it runs.
            slot = m_builder.newSlot();
            m_procedure->slotsByName.insert(key, slot);
        }
        cache = m_builder.nameCache(name, slot);
        m_implicitNames.insert(key, cache);
    }
    NameMeaning meaning;
    meaning.kind = NameMeaning::Kind::Unknown;
    meaning.variable = VariableKind::Dynamic;
    meaning.index = cache;
    return meaning;
}

void Scope::declareLocal(const QString &name)
{
    const QString key = name.toLower();
    if (m_procedure) {
        if (!m_procedure->slotsByName.contains(key)) {
            m_procedure->slotsByName.insert(key, m_builder.newSlot());
        }
    } else if (m_frame) {
        NameMeaning existing;
        if (!findInFrame(key, false, &existing)) {
            if (!m_frame->extras) {
                m_frame->extras = std::make_unique<FrameExtras>();
            }
            m_frame->extras->variables.insert(key, std::make_shared<Value>());
        }
    } else {
        m_globals.variable(name);
    }
}

bool Scope::declareArray(const QString &name, const std::vector<int> &upperBounds)
{
    declareLocal(name);
    const QString key = name.toLower();
    if (m_procedure) {
        // Made, or refused, each time the procedure starts.
        m_procedure->arrays.push_back({m_procedure->slotsByName.value(key), upperBounds});
        return true;
    }
    if (Array::elementCount(upperBounds) < 0) {
        return false;
    }
    NameMeaning meaning;
    if (m_frame ? findInFrame(key, false, &meaning) : findGlobal(key, &meaning)) {
        // A variable that exists already (ExecuteGlobal declaring it again) keeps its value.
        if (meaning.kind == NameMeaning::Kind::Variable && meaning.pointer->isEmpty()) {
            return newArray(upperBounds, meaning.pointer);
        }
    }
    return true;
}

void Scope::declareConstant(const QString &name, const Value &value)
{
    const QString key = name.toLower();
    if (m_procedure) {
        m_constants.insert(key, value);
    } else if (m_frame) {
        if (!m_frame->extras) {
            m_frame->extras = std::make_unique<FrameExtras>();
        }
        m_frame->extras->constants.insert(key, value);
    } else {
        m_globals.defineConstant(name, value);
    }
}

} // namespace VBScript
