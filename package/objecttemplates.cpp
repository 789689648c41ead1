#include "objecttemplates.h"

#include "packagelogging.h"

#include "corelib/common/xmlerror.h"
#include "corelib/flow/flow.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

struct TemplateEntry
{
    QString type;
    QString resource;
};

const QList<TemplateEntry> &templateTable()
{
    static const QString property = QStringLiteral(":/Property/");
    static const QString basics = QStringLiteral(":/Designer/Resources/Flow/Basics/");
    static const QString tools = QStringLiteral(":/Designer/Resources/Flow/Tools/");
    static const QList<TemplateEntry> table = {
        {XMLKey::SCR_BASICSCRIPTPROPERTIES,
         property + QStringLiteral("xml_BasicScriptProperties.xml")},
        {XMLKey::SCR_INJECTEDPROPERTIES, property + QStringLiteral("xml_InjectedProperties.xml")},
        {XMLKey::SCR_BASICTESTPROPERTIES, property + QStringLiteral("xml_BasicTestProperties.xml")},
        {XMLKey::SCR_INCOMMINGJOBS, property + QStringLiteral("xml_IncommingJobs.xml")},
        {XMLKey::SCR_OUTGOINGCONNECTIONS, property + QStringLiteral("xml_OutGoingConnections.xml")},
        {XMLValues::FOLDER, basics + QStringLiteral("xml_FolderDefaults.xml")},
        {XMLValues::CONNECTION_FILTER, basics + QStringLiteral("xml_ConnectionFilterDefaults.xml")},
        {XMLValues::CONNECTION_MOVE, basics + QStringLiteral("xml_ConnectionMoveDefaults.xml")},
        // The server has a NoOp connection, but no template of it is embedded: the lookup fails.
        {XMLValues::CONNECTION_NOOP, basics + QStringLiteral("xml_ConnectionNoOpDefaults.xml")},
        {XMLValues::CONNECTION_TRAFFICLIGHT,
         basics + QStringLiteral("xml_ConnectionTrafficLightDefaults.xml")},
        {XMLValues::SCRIPTELEMENT, tools + QStringLiteral("xml_ScriptElementDefaults.xml")},
        {XMLKey::SCR_FILTERINJECTED, property + QStringLiteral("xml_ConnectionFilterInjected.xml")},
        {XMLKey::SCR_EXPECTEDRESULTS, property + QStringLiteral("xml_ExpectedResults.xml")},
    };
    return table;
}

// The parsed templates, keyed by resource path; a null object records a resource that failed,
// so that it is not read again.
struct TemplateCache
{
    QMutex mutex;
    std::unique_ptr<SRCore::Flow> flow = SRCore::Flow::createEmptyFlow(QString());
    QHash<QString, SRCore::FlowObject> objects;
};

TemplateCache &cache()
{
    static TemplateCache instance;
    return instance;
}

} // namespace

QString ObjectTemplates::resourcePath(const QString &type)
{
    for (const TemplateEntry &entry : templateTable()) {
        if (entry.type.compare(type, Qt::CaseInsensitive) == 0) {
            return entry.resource;
        }
    }
    return QString();
}

QString ObjectTemplates::templateXml(const QString &type)
{
    const QString path = resourcePath(type);
    if (path.isEmpty()) {
        return QString();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

SRCore::FlowObject ObjectTemplates::templateObject(const QString &type)
{
    const QString path = resourcePath(type);
    if (path.isEmpty()) {
        return SRCore::FlowObject();
    }
    TemplateCache &templates = cache();
    QMutexLocker locker(&templates.mutex);
    const auto cached = templates.objects.constFind(path);
    if (cached != templates.objects.constEnd()) {
        return *cached;
    }
    SRCore::FlowObject object;
    const QString xml = templateXml(type);
    if (xml.isEmpty()) {
        qCDebug(lcPackage) << "no template resource" << path << "for type" << type;
    } else {
        SRCore::XmlError error;
        object = templates.flow->createFromXml(xml, &error);
        if (object.isNull()) {
            qCWarning(lcPackage) << "template" << path << "is unreadable:" << error.toString();
        }
    }
    templates.objects.insert(path, object);
    return object;
}

SRCore::FlowObject ObjectTemplates::defaultObject(const QString &type)
{
    const SRCore::FlowObject object = templateObject(type);
    if (object.isNull()) {
        return object;
    }
    // The template is shared by every caller; copying it under the lock keeps a concurrent
    // first use from seeing it half built.
    QMutexLocker locker(&cache().mutex);
    return object.clone2();
}

QString ObjectTemplates::defaultDeclarationPath()
{
    return QStringLiteral(":/Property/xml_DefaultDeclaration.xml");
}

QString ObjectTemplates::entryPointsPath()
{
    return QStringLiteral(":/Property/xml_EntryPoints.xml");
}

} // namespace Scripter
