#pragma once

#include "classinfo.h"
#include "procedure.h"
#include "value.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace VBScript {

// What a global name stands for.
struct GlobalEntry
{
    enum class Kind { Variable, Constant, Procedure, Class };

    Kind kind = Kind::Variable;
    QString name;                       // as defined
    Value *variable = nullptr;          // Variable
    Value constant;                     // Constant
    ProcedureCell *procedure = nullptr; // Procedure
    const ClassInfo *classInfo = nullptr;
};

// The names of the script level: variables (host objects among them), constants, procedures
// and classes, found ignoring case. Entries, variables and cells never move or go away while
// the scope lives, so that compiled code may point at them; a name defined again (by
// ExecuteGlobal) keeps its entry and changes what it stands for.
class GlobalScope
{
public:
    GlobalScope() = default;
    GlobalScope(const GlobalScope &) = delete;
    GlobalScope &operator=(const GlobalScope &) = delete;

    const GlobalEntry *find(const QString &lowerName) const { return m_entries.value(lowerName); }
    // Grows whenever a name is added or changes meaning.
    int version() const { return m_version; }

    // The variable of that name; a new Empty one when the name is not a variable yet.
    Value *variable(const QString &name);
    void defineConstant(const QString &name, const Value &value);
    ProcedureCell *defineProcedure(std::unique_ptr<Procedure> procedure);
    const ClassInfo *defineClass(std::unique_ptr<ClassInfo> classInfo);

    // The public Sub and Function procedures, as defined.
    QStringList procedureNames() const;

    // Empties every variable, newest first, again while that runs Class_Terminate code that
    // assigns some.
    void clearVariables();

private:
    GlobalEntry &entry(const QString &name, GlobalEntry::Kind kind);

    QHash<QString, GlobalEntry *> m_entries;
    std::deque<GlobalEntry> m_entryStorage;
    std::deque<Value> m_variables;
    std::deque<ProcedureCell> m_cells;
    std::vector<std::unique_ptr<Procedure>> m_procedures;
    std::vector<std::unique_ptr<ClassInfo>> m_classes;
    int m_version = 0;
};

} // namespace VBScript
