#include "tavrixbasic.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/logrecord.h"

TavrixBasic::TavrixBasic(SRCore::Flow *flow, const QString &elementId,
                         IFrameworkEnvironment *environment, SRCore::IJT *ticket,
                         SRCore::ILogInterface *log, QObject *parent)
    : FrameworkObject(environment, log, parent)
    , m_flow(flow)
    , m_elementId(elementId)
    , m_ticket(ticket)
{}

TavrixBasic::~TavrixBasic() = default;

SRCore::FlowObject TavrixBasic::element() const
{
    return m_flow ? m_flow->getFlowObject(m_elementId) : SRCore::FlowObject();
}

SRCore::FlowObjectField TavrixBasic::propertyField(const SRCore::FlowObject &object,
                                                   const QString &tag, const QString &owner) const
{
    const SRCore::FlowObjectField field = object.getField(tag);
    if (field.isNull()) {
        raiseError(tr("%1 has no property '%2'").arg(owner, tag));
    }
    return field;
}

PropertyValue::Result TavrixBasic::readProperty(const SRCore::FlowObject &object,
                                                const QString &tag, const JobBasic *job,
                                                const QString &owner) const
{
    const SRCore::FlowObjectField field = propertyField(object, tag, owner);
    if (field.isNull()) {
        return {};
    }
    const SRCore::IJT *ticket = job ? job->ticket() : m_ticket;
    const PropertyValue::Result result =
        PropertyValue::resolve(field, {m_flow, m_elementId, getElementName(), ticket});
    const QString jobName = ticket ? ticket->getActiveFileName() : QString();
    for (const QString &warning : result.warnings) {
        logRunMessage(SRCore::LogLevel::Warning,
                      QT_TRANSLATE_NOOP("LogMessages", "Property '%11' without a full value: %12"),
                      {tag, warning}, jobName);
    }
    if (!result.ok()) {
        raiseError(tr("The value of property '%1' of %2 can't be computed: %3")
                       .arg(tag, owner, result.errorMessage));
    }
    return result;
}

QString TavrixBasic::getPropertyValue(const QString &tag, JobBasic *job) const
{
    return readProperty(element(), tag, job, tr("the element")).value;
}

QStringList TavrixBasic::getPropertyValueList(const QString &tag, JobBasic *job) const
{
    return readProperty(element(), tag, job, tr("the element")).items;
}

bool TavrixBasic::isPropertyValueStatic(const QString &tag) const
{
    const SRCore::FlowObjectField field = propertyField(element(), tag, tr("the element"));
    return !field.isNull() && PropertyValue::isStatic(field);
}

QString TavrixBasic::getPropertyEditor(const QString &tag) const
{
    const SRCore::FlowObjectField field = propertyField(element(), tag, tr("the element"));
    return field.isNull() ? QString() : PropertyValue::editorOf(field);
}

QString TavrixBasic::getElementName() const
{
    return element().getName();
}

QString TavrixBasic::getFlowName() const
{
    return m_flow ? m_flow->getFlowName() : QString();
}

void TavrixBasic::log(int level, const QString &message, const QVariantList &arguments) const
{
    logScriptMessage(level, message, arguments);
}
