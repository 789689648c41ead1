#include "environment.h"

#include "iframeworkentriesmanager.h"
#include "iframeworkenvironment.h"

#include "corelib/flow/flow.h"

#include <QSysInfo>

Environment::Environment(IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
                         QObject *parent)
    : FrameworkObject(environment, log, parent)
{}

Environment::~Environment() = default;

void Environment::log(int level, const QString &message, const QVariantList &arguments) const
{
    logScriptMessage(level, message, arguments);
}

QString Environment::getFlowName() const
{
    IFrameworkEntriesManager *manager = entriesManager();
    const SRCore::Flow *flow = manager ? manager->getFlow(QString()) : nullptr;
    return flow ? flow->getFlowName() : QString();
}

QString Environment::getElementName() const
{
    IFrameworkEntriesManager *manager = entriesManager();
    const SRCore::Flow *flow = manager ? manager->getFlow(QString()) : nullptr;
    return flow ? flow->getFlowObject(QStringLiteral("1")).getName() : QString();
}

QString Environment::getApplicationPath() const
{
    return environment()->additionalServerData().applicationPath;
}

QString Environment::getApplicationLicensing() const
{
    return environment()->additionalServerData().applicationLicensing;
}

QString Environment::getServerName() const
{
    return QSysInfo::machineHostName();
}

QString Environment::getTempFolder() const
{
    IFrameworkEntriesManager *manager = entriesManager();
    const QString folder =
        manager ? manager->getTempFolderForJob(nullptr, QString(), environment()) : QString();
    if (folder.isEmpty()) {
        raiseError(tr("There is no temporary folder outside a run"));
    }
    return folder;
}

QString Environment::getGlobalData(const QString &scope, const QString &tag) const
{
    return globalData(scope, tag);
}

void Environment::setGlobalData(const QString &scope, const QString &tag, const QString &value)
{
    storeGlobalData(scope, tag, value);
}
