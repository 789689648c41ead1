#include "hostobject.h"

#include "interpreter.h"
#include "runtimeerror.h"
#include "variantconverter.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>

#include <array>

namespace VBScript {

namespace {

// Member ids: properties first, methods (by the index of their first overload) after.
constexpr int methodBase = 1 << 20;
// QMetaMethod::invoke takes ten arguments at most.
constexpr int maxArguments = 10;

bool isCallable(const QMetaMethod &method)
{
    return method.access() == QMetaMethod::Public
           && (method.methodType() == QMetaMethod::Method
               || method.methodType() == QMetaMethod::Slot);
}

} // namespace

HostObject::HostObject(QObject *object)
    : m_object(object)
    , m_metaObject(object->metaObject())
{}

QString HostObject::typeName() const
{
    // Classes may give the name scripts know them by, which need not be the C++ one.
    const int scriptClass = m_metaObject->indexOfClassInfo("ScriptClass");
    if (scriptClass >= 0) {
        return QString::fromLatin1(m_metaObject->classInfo(scriptClass).value());
    }
    const QString name = QString::fromLatin1(m_metaObject->className());
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

int HostObject::memberId(const QString &lowerName) const
{
    const QMetaObject &base = QObject::staticMetaObject;
    for (int i = base.methodCount(); i < m_metaObject->methodCount(); ++i) {
        const QMetaMethod method = m_metaObject->method(i);
        if (isCallable(method)
            && QString::fromLatin1(method.name()).compare(lowerName, Qt::CaseInsensitive) == 0) {
            return methodBase + i;
        }
    }
    for (int i = base.propertyCount(); i < m_metaObject->propertyCount(); ++i) {
        if (QString::fromLatin1(m_metaObject->property(i).name())
                .compare(lowerName, Qt::CaseInsensitive)
            == 0) {
            return 1 + i;
        }
    }
    return noMember;
}

bool HostObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                        const Arguments &arguments, Value &result)
{
    if (!m_object) {
        return interpreter.raise(RuntimeError::ObjectRequired);
    }
    if (member >= methodBase) {
        if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
            return interpreter.raise(RuntimeError::IllegalAssignment);
        }
        return callMethod(interpreter, member - methodBase, arguments, result);
    }
    if (member >= 1) {
        return property(interpreter, member - 1, kind, arguments, result);
    }
    return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
}

bool HostObject::property(Interpreter &interpreter, int propertyIndex, InvokeKind kind,
                          const Arguments &arguments, Value &result)
{
    const QMetaProperty property = m_metaObject->property(propertyIndex);
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
        QVariant value;
        if (arguments.count != 1) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!property.isWritable()) {
            return interpreter.raise(RuntimeError::IllegalAssignment);
        }
        return VariantConverter::toParameter(interpreter, arguments.last(), property.metaType(),
                                             &value)
               && (property.write(m_object, value)
                   || interpreter.raise(RuntimeError::TypeMismatch));
    }
    const Value value = VariantConverter::fromVariant(interpreter, property.read(m_object));
    if (arguments.count == 0) {
        result = value;
        return true;
    }
    return interpreter.callValue(value, arguments, &result);
}

bool HostObject::callMethod(Interpreter &interpreter, int methodIndex, const Arguments &arguments,
                            Value &result)
{
    const QByteArray name = m_metaObject->method(methodIndex).name();
    QMetaMethod chosen;
    for (int i = methodIndex; i < m_metaObject->methodCount(); ++i) {
        const QMetaMethod method = m_metaObject->method(i);
        if (isCallable(method) && method.name() == name
            && method.parameterCount() == arguments.count) {
            chosen = method;
            break;
        }
    }
    if (!chosen.isValid() || arguments.count > maxArguments) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments, QString::fromLatin1(name));
    }
    std::array<QVariant, maxArguments> values;
    std::array<QGenericArgument, maxArguments> generic;
    for (int i = 0; i < arguments.count; ++i) {
        if (!VariantConverter::toParameter(interpreter, arguments[i], chosen.parameterMetaType(i),
                                           &values[size_t(i)])) {
            return false;
        }
        generic[size_t(i)] =
            QGenericArgument(chosen.parameterMetaType(i).name(), values[size_t(i)].constData());
    }
    const QMetaType returnType = chosen.returnMetaType();
    const bool returns = returnType.isValid() && returnType.id() != QMetaType::Void;
    QVariant returned = returns ? QVariant(returnType) : QVariant();
    const QGenericReturnArgument returnArgument =
        returns ? QGenericReturnArgument(returnType.name(), returned.data())
                : QGenericReturnArgument();
    Value keep = Value::object(this); // the method may drop the script's last reference
    QObject *object = m_object;
    if (!chosen.invoke(object, Qt::DirectConnection, returnArgument, generic[0], generic[1],
                       generic[2], generic[3], generic[4], generic[5], generic[6], generic[7],
                       generic[8], generic[9])) {
        return interpreter.raise(RuntimeError::TypeMismatch, QString::fromLatin1(name));
    }
    const QString failure = interpreter.takeHostFailure();
    // A method that gave up because the run was stopped ends it as stopped.
    if (interpreter.isInterrupted()) {
        return interpreter.raiseInterrupt();
    }
    if (!failure.isEmpty()) {
        return interpreter.raiseCustom(RuntimeError::HostObjectFailed, typeName(), failure);
    }
    if (returns && returnType.id() == QMetaType::QVariant) {
        returned = returned.value<QVariant>();
    }
    result = returns ? VariantConverter::fromVariant(interpreter, returned) : Value();
    return true;
}

} // namespace VBScript
