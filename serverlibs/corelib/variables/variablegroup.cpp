#include "variablegroup.h"

#include <QCoreApplication>

#include <algorithm>

namespace SRCore {

VariableGroup::VariableGroup(const QString &name, const QString &description)
    : m_name(name)
    , m_description(description)
{}

QString VariableGroup::description() const
{
    return QCoreApplication::translate("SRCore::VariableCatalogue",
                                       m_description.toUtf8().constData());
}

void VariableGroup::setDescription(const QString &description)
{
    m_description = description;
}

Variable VariableGroup::variable(const QString &name) const
{
    const auto found = std::find_if(m_variables.cbegin(), m_variables.cend(),
                                    [&name](const Variable &v) { return v.name() == name; });
    return found != m_variables.cend() ? *found : Variable();
}

void VariableGroup::addVariable(const Variable &variable)
{
    Q_ASSERT(variable.group() == m_name && this->variable(variable.name()).isNull());
    m_variables.append(variable);
}

} // namespace SRCore
