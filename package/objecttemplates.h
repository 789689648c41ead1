#pragma once

#include "corelib/flow/flowobject.h"

#include <QString>

namespace Scripter {

// The embedded object templates: the property sets of the declaration and the fixture and the
// objects of the test flow. Each template is parsed once per process into an object of a private
// flow and kept until the process ends; callers work on copies. Thread-safe.
class ObjectTemplates
{
public:
    ObjectTemplates() = delete;

    // The resource that holds the template of `type` (an XMLKey::SCR_... template name, or the
    // XMLValues name of a flow object class or connection type), compared case-insensitively.
    // Empty for a type without a template.
    static QString resourcePath(const QString &type);
    // The XML text of that resource; empty when the type is unknown or its resource is not
    // embedded (the NoOp connection has none).
    static QString templateXml(const QString &type);

    // The cached template object. It is shared: never change it, clone it. Null for an unknown
    // type or a resource that is missing or unreadable.
    static SRCore::FlowObject templateObject(const QString &type);
    // A new, independent object made from the template (without an Id); null as above.
    static SRCore::FlowObject defaultObject(const QString &type);

    // The starting point of every declaration XML document.
    static QString defaultDeclarationPath();
    // The table of the entry points that a test run offers.
    static QString entryPointsPath();
};

} // namespace Scripter
