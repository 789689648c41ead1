#pragma once

#include "flowobjectfield.h"

#include <QExplicitlySharedDataPointer>
#include <QList>
#include <QStringList>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace SRCore {

class ObjectData;
struct XmlError;

// An object of a flow (a folder, a connection, the script element, a property template): object
// properties (Class, LocalizedTagName, Icon, Id) and an ordered list of fields named by tag.
// Like QDomElement, an object is a handle: copies refer to the same object, so an object taken
// from a flow is changed in place. clone() and clone2() make independent copies.
// A default-constructed object is null; operations on a null object do nothing and read empty.
class FlowObject
{
public:
    FlowObject();
    ~FlowObject();
    FlowObject(const FlowObject &other);
    FlowObject &operator=(const FlowObject &other);

    // An object read from the XML text of an `Object` element; null with `error` filled when the
    // text is not well-formed or its root is not an `Object`.
    static FlowObject fromXml(const QString &xml, XmlError *error = nullptr);
    // An empty object that belongs to no flow yet.
    static FlowObject create();

    bool isNull() const;

    QString getProperty(const QString &name) const;
    void setProperty(const QString &name, const QString &value);
    bool hasProperty(const QString &name) const;
    QStringList propertyNames() const;

    QString getId() const;   // the Id property
    QString getName() const; // the value of the Name field
    QString getType() const; // the value of the Type field

    // The field named `name`, appended when there is none yet; null when `name` is not a valid
    // element name (fields are stored as elements; Validation::isValidXmlName).
    FlowObjectField createField(const QString &name);
    FlowObjectField getField(const QString &name) const; // null when missing
    QList<FlowObjectField> getFields() const;            // in document order
    bool hasField(const QString &name) const;
    bool removeField(const QString &name);

    // An exact, independent copy, Id included.
    FlowObject clone() const;
    // An independent copy without the Id property: a new object, ready to be added to a flow.
    FlowObject clone2() const;

    // Merges the fields of an XML text into this object: the fields of an `Object` element, or
    // the child elements of any other root. A field that exists takes the injected value and
    // properties; a new one is appended. On a parse error nothing changes.
    bool injectPropertiesFromXML(const QString &xml, XmlError *error = nullptr);

    // The object as the XML text of an `Object` element.
    QString toXml() const;

    // True when both handles refer to the same object.
    bool operator==(const FlowObject &other) const { return d == other.d; }
    bool operator!=(const FlowObject &other) const { return d != other.d; }

private:
    friend class Flow;
    friend class FlowXml;
    explicit FlowObject(ObjectData *data);

    QExplicitlySharedDataPointer<ObjectData> d;
};

} // namespace SRCore
