#pragma once

#include <QExplicitlySharedDataPointer>
#include <QStringList>

namespace SRCore {

class FieldData;

// One field of a flow object: a value text under a tag, with named properties (the attributes of
// the field's element, such as Type, Editor or Tooltip). Like QDomElement, a field is a handle:
// copies refer to the same field, and a change through one is seen through all of them and
// through the object that holds the field. A default-constructed field is null.
class FlowObjectField
{
public:
    FlowObjectField();
    ~FlowObjectField();
    FlowObjectField(const FlowObjectField &other);
    FlowObjectField &operator=(const FlowObjectField &other);

    bool isNull() const;

    QString getName() const;
    QString getValue() const;
    void setValue(const QString &value);

    // Properties keep the order in which they were first set. A missing property reads as empty.
    // "ValueEncoding" is reserved by the flow document and cannot be set.
    QString getProperty(const QString &name) const;
    void setProperty(const QString &name, const QString &value);
    bool hasProperty(const QString &name) const;
    void removeProperty(const QString &name);
    QStringList propertyNames() const;

    // The Subtype property: the editor currently chosen for the value.
    QString getSubType() const;

    // True when both handles refer to the same field.
    bool operator==(const FlowObjectField &other) const { return d == other.d; }
    bool operator!=(const FlowObjectField &other) const { return d != other.d; }

private:
    friend class FlowObject;
    friend class FlowXml;
    explicit FlowObjectField(FieldData *data);

    QExplicitlySharedDataPointer<FieldData> d;
};

} // namespace SRCore
