#include "variable.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace SRCore {

namespace {

using TypeName = std::pair<Variable::DataType, const QString *>;

const std::array<TypeName, 5> &typeNames()
{
    static const std::array<TypeName, 5> names{{
        {Variable::DataType::Text, &XMLValues::VARTYPE_TEXT},
        {Variable::DataType::Boolean, &XMLValues::VARTYPE_BOOLEAN},
        {Variable::DataType::Integer, &XMLValues::VARTYPE_INTEGER},
        {Variable::DataType::Rational, &XMLValues::VARTYPE_RATIONAL},
        {Variable::DataType::Date, &XMLValues::VARTYPE_DATE},
    }};
    return names;
}

} // namespace

Variable::Variable(const QString &group, const QString &name, DataType dataType,
                   const QString &description)
    : m_group(group)
    , m_name(name)
    , m_dataType(dataType)
    , m_description(description)
{}

QString Variable::fullName() const
{
    return isNull() ? QString() : m_group + QLatin1Char('.') + m_name;
}

QString Variable::description() const
{
    // The catalogue is data, so its texts are translated by content; translators find them in
    // the "SRCore::VariableCatalogue" context (docs/variables.md).
    return QCoreApplication::translate("SRCore::VariableCatalogue",
                                       m_description.toUtf8().constData());
}

QString Variable::dataTypeName(DataType dataType)
{
    for (const auto &[type, name] : typeNames()) {
        if (type == dataType) {
            return *name;
        }
    }
    return QString();
}

bool Variable::dataTypeFromName(const QString &name, DataType *dataType)
{
    for (const auto &[type, typeName] : typeNames()) {
        if (*typeName == name) {
            *dataType = type;
            return true;
        }
    }
    return false;
}

} // namespace SRCore
