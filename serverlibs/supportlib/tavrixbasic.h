#pragma once

#include "jobbasic.h"
#include "propertyvalue.h"

#include "corelib/flow/flowobject.h"

namespace SRCore {
class Flow;
class IJT;
} // namespace SRCore

// The flow element that runs the script, as far as it can be read (`s`): its properties, with
// variables and script expressions resolved for a job, and its names. Tavrix adds what a
// running element does.
class TavrixBasic : public FrameworkObject
{
    Q_OBJECT

public:
    // The element `elementId` of `flow`; `ticket` is the job that property values are resolved
    // for when a script names none (may be null). Nothing is owned.
    TavrixBasic(SRCore::Flow *flow, const QString &elementId, IFrameworkEnvironment *environment,
                SRCore::IJT *ticket, SRCore::ILogInterface *log, QObject *parent = nullptr);
    ~TavrixBasic() override;

    SRCore::Flow *flow() const { return m_flow; }
    QString elementId() const { return m_elementId; }
    SRCore::IJT *ticket() const { return m_ticket; }
    SRCore::FlowObject element() const;

    // The property `tag` of `object` (the element or one of its connections) for `job` (null:
    // the element's own job). An unknown tag or a broken value raises an error; warnings are
    // logged. `owner` names the object in messages.
    PropertyValue::Result readProperty(const SRCore::FlowObject &object, const QString &tag,
                                       const JobBasic *job, const QString &owner) const;
    // The field `tag` of `object`; raises an error and gives a null field when there is none.
    SRCore::FlowObjectField propertyField(const SRCore::FlowObject &object, const QString &tag,
                                          const QString &owner) const;

    Q_INVOKABLE QString getPropertyValue(const QString &tag, JobBasic *job = nullptr) const;
    Q_INVOKABLE QStringList getPropertyValueList(const QString &tag, JobBasic *job = nullptr) const;
    Q_INVOKABLE bool isPropertyValueStatic(const QString &tag) const;
    Q_INVOKABLE QString getPropertyEditor(const QString &tag) const;
    Q_INVOKABLE QString getElementName() const;
    Q_INVOKABLE QString getFlowName() const;
    Q_INVOKABLE void log(int level, const QString &message,
                         const QVariantList &arguments = QVariantList()) const;

private:
    SRCore::Flow *m_flow;
    QString m_elementId;
    SRCore::IJT *m_ticket;
};
