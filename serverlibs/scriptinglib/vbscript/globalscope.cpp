#include "globalscope.h"

namespace VBScript {

GlobalEntry &GlobalScope::entry(const QString &name, GlobalEntry::Kind kind)
{
    const QString key = name.toLower();
    GlobalEntry *found = m_entries.value(key);
    if (!found) {
        m_entryStorage.emplace_back();
        found = &m_entryStorage.back();
        m_entries.insert(key, found);
    }
    found->kind = kind;
    found->name = name;
    ++m_version;
    return *found;
}

Value *GlobalScope::variable(const QString &name)
{
    const GlobalEntry *found = find(name.toLower());
    if (found && found->kind == GlobalEntry::Kind::Variable) {
        return found->variable;
    }
    m_variables.emplace_back();
    GlobalEntry &created = entry(name, GlobalEntry::Kind::Variable);
    created.variable = &m_variables.back();
    return created.variable;
}

void GlobalScope::defineConstant(const QString &name, const Value &value)
{
    entry(name, GlobalEntry::Kind::Constant).constant = value;
}

ProcedureCell *GlobalScope::defineProcedure(std::unique_ptr<Procedure> procedure)
{
    GlobalEntry &defined = entry(procedure->name, GlobalEntry::Kind::Procedure);
    if (!defined.procedure) {
        m_cells.emplace_back();
        defined.procedure = &m_cells.back();
    }
    defined.procedure->procedure = procedure.get();
    m_procedures.push_back(std::move(procedure));
    return defined.procedure;
}

const ClassInfo *GlobalScope::defineClass(std::unique_ptr<ClassInfo> classInfo)
{
    GlobalEntry &defined = entry(classInfo->name, GlobalEntry::Kind::Class);
    defined.classInfo = classInfo.get();
    m_classes.push_back(std::move(classInfo));
    return defined.classInfo;
}

QStringList GlobalScope::procedureNames() const
{
    QStringList names;
    for (const GlobalEntry &entry : m_entryStorage) {
        if (entry.kind != GlobalEntry::Kind::Procedure) {
            continue;
        }
        const Procedure *procedure = entry.procedure->procedure;
        if (procedure->isPublic
            && (procedure->type == Procedure::Type::Sub
                || procedure->type == Procedure::Type::Function)) {
            names.append(procedure->name);
        }
    }
    return names;
}

void GlobalScope::clearVariables()
{
    // Bounded: a Class_Terminate that keeps making objects that assign again must not hold the
    // engine's close forever.
    constexpr int maxPasses = 100;
    bool cleared = true;
    for (int pass = 0; cleared && pass < maxPasses; ++pass) {
        cleared = false;
        // The newest first: the host's objects, made before any script ran, stay for the
        // Class_Terminate code of the script's objects.
        for (auto variable = m_variables.rbegin(); variable != m_variables.rend(); ++variable) {
            if (!variable->isEmpty()) {
                variable->clear();
                cleared = true;
            }
        }
    }
}

} // namespace VBScript
