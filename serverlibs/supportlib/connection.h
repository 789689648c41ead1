#pragma once

#include "tavrixbasic.h"

#include "corelib/flow/flowobject.h"

#include <QPointer>

// A connection of the flow element (`c`): its name, type and properties, and the folder at its
// other end (in a test flow, the output folder of an outgoing connection, the input folder of an
// incoming one).
class Connection : public FrameworkObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Connection")

public:
    // A connection `object` of the flow of `tavrix`, which must outlive it.
    Connection(const SRCore::FlowObject &object, TavrixBasic *tavrix, QObject *parent = nullptr);
    ~Connection() override;

    SRCore::FlowObject object() const { return m_object; }
    bool isOutgoing() const;

    Q_INVOKABLE QString getName() const;
    Q_INVOKABLE QString getPropertyValue(const QString &tag, JobBasic *job = nullptr) const;
    Q_INVOKABLE QStringList getPropertyValueList(const QString &tag, JobBasic *job = nullptr) const;
    Q_INVOKABLE bool isPropertyValueStatic(const QString &tag) const;
    Q_INVOKABLE QString getPropertyEditor(const QString &tag) const;
    Q_INVOKABLE QString getConnectionType() const;
    Q_INVOKABLE QString getTrafficType() const;
    Q_INVOKABLE QString getFolderPath() const;

private:
    QString owner() const;

    SRCore::FlowObject m_object;
    QPointer<TavrixBasic> m_tavrix;
};
