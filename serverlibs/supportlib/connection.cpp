#include "connection.h"

#include "corelib/flow/flow.h"
#include "corelib/vocabulary/xmlkey.h"

namespace XMLKey = SRCore::XMLKey;

Connection::Connection(const SRCore::FlowObject &object, TavrixBasic *tavrix, QObject *parent)
    : FrameworkObject(tavrix->environment(), tavrix->getLogInterface(), parent)
    , m_object(object)
    , m_tavrix(tavrix)
{}

Connection::~Connection() = default;

bool Connection::isOutgoing() const
{
    return m_tavrix && m_object.getField(XMLKey::SOURCEOBJECT).getValue() == m_tavrix->elementId();
}

QString Connection::owner() const
{
    return tr("the connection '%1'").arg(getName());
}

QString Connection::getName() const
{
    return m_object.getName();
}

QString Connection::getPropertyValue(const QString &tag, JobBasic *job) const
{
    return m_tavrix ? m_tavrix->readProperty(m_object, tag, job, owner()).value : QString();
}

QStringList Connection::getPropertyValueList(const QString &tag, JobBasic *job) const
{
    return m_tavrix ? m_tavrix->readProperty(m_object, tag, job, owner()).items : QStringList();
}

bool Connection::isPropertyValueStatic(const QString &tag) const
{
    const SRCore::FlowObjectField field =
        m_tavrix ? m_tavrix->propertyField(m_object, tag, owner()) : SRCore::FlowObjectField();
    return !field.isNull() && PropertyValue::isStatic(field);
}

QString Connection::getPropertyEditor(const QString &tag) const
{
    const SRCore::FlowObjectField field =
        m_tavrix ? m_tavrix->propertyField(m_object, tag, owner()) : SRCore::FlowObjectField();
    return field.isNull() ? QString() : PropertyValue::editorOf(field);
}

QString Connection::getConnectionType() const
{
    return m_object.getType();
}

QString Connection::getTrafficType() const
{
    return m_object.getField(XMLKey::TRAFFICTYPE).getValue();
}

QString Connection::getFolderPath() const
{
    if (!m_tavrix || !m_tavrix->flow()) {
        return QString();
    }
    const QString end = isOutgoing() ? XMLKey::DESTOBJECT : XMLKey::SOURCEOBJECT;
    const SRCore::FlowObject folder =
        m_tavrix->flow()->getFlowObject(m_object.getField(end).getValue());
    return folder.getField(XMLKey::PATH).getValue();
}
