#pragma once

// Reading and writing flow objects as XML, shared by FlowObject and Flow.

#include "flowobject.h"

class QXmlStreamReader;
class QXmlStreamWriter;

namespace SRCore {

struct XmlError;

class FlowXml
{
public:
    FlowXml() = delete;

    // Reads the element the reader stands on: its attributes become the object's properties,
    // the children of its `Fields` element its fields. Other children are skipped, so that
    // later versions may add elements. On failure the reader carries the error.
    static FlowObject readObject(QXmlStreamReader &reader);
    // Reads every child element of the element the reader stands on as a field.
    static QList<FlowObjectField> readFields(QXmlStreamReader &reader);
    static void writeObject(QXmlStreamWriter &writer, const FlowObject &object,
                            const QString &elementName);

    // The object of the first element of `xml`, which must be an `Object`.
    static FlowObject parseObject(const QString &xml, XmlError *error);
    // The fields of the first element of `xml`: those of its `Fields` element when it is an
    // `Object`, else its child elements.
    static bool parseFields(const QString &xml, QList<FlowObjectField> &fields, XmlError *error);

    static void reportError(const QXmlStreamReader &reader, XmlError *error);

private:
    static FlowObjectField readField(QXmlStreamReader &reader);
};

} // namespace SRCore
