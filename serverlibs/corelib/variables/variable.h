#pragma once

#include <QString>

namespace SRCore {

// One variable of the workflow server, known by its group and name ("Job.Name"). A
// default-constructed variable is null: it stands for "no such variable".
class Variable
{
public:
    // The kinds of value a variable has; conditions offer the comparisons that fit the kind.
    enum class DataType { Text, Boolean, Integer, Rational, Date };

    Variable() = default;
    // `description` is the untranslated text of the catalogue.
    Variable(const QString &group, const QString &name, DataType dataType,
             const QString &description);

    bool isNull() const { return m_name.isEmpty(); }
    QString group() const { return m_group; }
    QString name() const { return m_name; }
    // "Group.Name"
    QString fullName() const;
    DataType dataType() const { return m_dataType; }
    // The translated description.
    QString description() const;

    // "Text", "Boolean", "Integer", "Rational", "Date" (XMLValues::VARTYPE_...).
    static QString dataTypeName(DataType dataType);
    // False when `name` is none of the five names.
    static bool dataTypeFromName(const QString &name, DataType *dataType);

private:
    QString m_group;
    QString m_name;
    DataType m_dataType = DataType::Text;
    QString m_description;
};

} // namespace SRCore
