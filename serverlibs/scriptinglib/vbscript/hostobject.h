#pragma once

#include "object.h"

#include <QPointer>

class QObject;
struct QMetaObject;

namespace VBScript {

// A QObject of the host as a VBScript object: its Q_INVOKABLE methods, public variables and
// properties by name in any letter case (those of QObject itself excepted), called with the
// engine's conventions (`s.log 1, "text"`, `job.getName` without parentheses). Overloads are
// chosen by the number of arguments; arguments and results convert as VariantConverter says.
// Methods run directly on the calling thread; one that fails reports it through
// Interpreter::failHostCall(). TypeName gives the class info "ScriptClass" where the class has one.
// The QObject is not owned; once it is gone, its members raise "Object required".
class HostObject final : public Object
{
public:
    explicit HostObject(QObject *object);

    QObject *object() const { return m_object.data(); }

    QString typeName() const override;
    int memberId(const QString &lowerName) const override;
    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    const void *dispatchClass() const override { return m_metaObject; }

private:
    bool callMethod(Interpreter &interpreter, int methodIndex, const Arguments &arguments,
                    Value &result);
    bool property(Interpreter &interpreter, int propertyIndex, InvokeKind kind,
                  const Arguments &arguments, Value &result);

    QPointer<QObject> m_object;
    const QMetaObject *m_metaObject;
};

} // namespace VBScript
