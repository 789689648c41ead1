#pragma once

#include "variable.h"

#include <QList>
#include <QString>

namespace SRCore {

// A named group of variables ("Job", "Server", ...) in catalogue order. A default-constructed
// group is null.
class VariableGroup
{
public:
    VariableGroup() = default;
    // `description` is the untranslated text of the catalogue.
    VariableGroup(const QString &name, const QString &description);

    bool isNull() const { return m_name.isEmpty(); }
    QString name() const { return m_name; }
    // The translated description.
    QString description() const;
    void setDescription(const QString &description);

    QList<Variable> variables() const { return m_variables; }
    // The variable `name` of this group (without the group); null when there is none.
    Variable variable(const QString &name) const;
    // Appends `variable`; it must belong to this group and not be in it yet.
    void addVariable(const Variable &variable);

private:
    QString m_name;
    QString m_description;
    QList<Variable> m_variables;
};

} // namespace SRCore
