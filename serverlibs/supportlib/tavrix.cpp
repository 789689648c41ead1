#include "tavrix.h"

#include "iframeworkentriesmanager.h"
#include "iframeworkenvironment.h"

#include "corelib/env/envmanager.h"
#include "corelib/flow/flow.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QStandardPaths>

namespace XMLKey = SRCore::XMLKey;

Tavrix::Tavrix(SRCore::Flow *flow, const QString &elementId, IFrameworkEnvironment *environment,
               SRCore::IJT *ticket, SRCore::ILogInterface *log, QObject *parent)
    : TavrixBasic(flow, elementId, environment, ticket, log, parent)
{}

Tavrix::~Tavrix() = default;

QVariantList Tavrix::connections(const QString &end)
{
    QVariantList result;
    if (!flow()) {
        return result;
    }
    for (const SRCore::FlowObject &object : flow()->getFlowObjects()) {
        if (!object.hasField(XMLKey::SOURCEOBJECT) || !object.hasField(XMLKey::DESTOBJECT)
            || object.getField(end).getValue() != elementId()) {
            continue;
        }
        QPointer<Connection> &connection = m_connections[object.getId()];
        if (!connection) {
            connection = new Connection(object, this, runScope());
        }
        result.append(QVariant::fromValue<QObject *>(connection.data()));
    }
    return result;
}

QVariantList Tavrix::getOutConnections()
{
    return connections(XMLKey::SOURCEOBJECT);
}

QVariantList Tavrix::getInConnections()
{
    return connections(XMLKey::DESTOBJECT);
}

int Tavrix::getTimerInterval() const
{
    IFrameworkEntriesManager *manager = entriesManager();
    if (!manager || !flow()) {
        raiseError(tr("The timer interval is only known while the element runs"));
        return 0;
    }
    return manager->getTimerInterval(flow()->getId(), elementId());
}

void Tavrix::setTimerInterval(int seconds)
{
    IFrameworkEntriesManager *manager = entriesManager();
    if (!manager || !flow()) {
        raiseError(tr("The timer interval can only be set while the element runs"));
        return;
    }
    if (seconds < 1) {
        raiseError(tr("The timer interval must be at least 1 second, not %1").arg(seconds));
        return;
    }
    manager->setTimerInterval(flow()->getId(), elementId(), seconds);
}

QVariantList Tavrix::getJobs()
{
    QVariantList jobs;
    for (const QVariant &item : getInConnections()) {
        const auto *connection = qobject_cast<Connection *>(item.value<QObject *>());
        const QDir folder(connection->getFolderPath());
        const QFileInfoList entries =
            folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &entry : entries) {
            // The ticket that the job brought along, or a fresh one for a file put there by
            // hand.
            const QString ticketPath = SRCore::FileManager::getFileIJTByPrefix(
                SRCore::FileManager::getPrefix(entry.fileName()));
            std::unique_ptr<SRCore::IJT> ticket =
                ticketPath.isEmpty() ? nullptr : SRCore::IJT::load(ticketPath);
            if (!ticket) {
                ticket = SRCore::IJT::createEmptyIJT();
                ticket->setFlowInfo(flow()->getId(), getFlowName());
            }
            ticket->setActiveFileName(entry.absoluteFilePath());
            jobs.append(
                QVariant::fromValue<QObject *>(new Job(std::move(ticket), this, runScope())));
        }
    }
    return jobs;
}

Job *Tavrix::createNewJob(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        raiseError(tr("'%1' is not a file or folder name").arg(name));
        return nullptr;
    }
    IFrameworkEntriesManager *manager = entriesManager();
    if (!manager || !flow()) {
        raiseError(tr("New jobs can only be made while the element runs"));
        return nullptr;
    }
    std::unique_ptr<SRCore::IJT> ticket = SRCore::IJT::createEmptyIJT();
    ticket->setFlowInfo(flow()->getId(), getFlowName());
    const QString folder = manager->getTempFolderForJob(ticket.get(), name, environment());
    if (folder.isEmpty()) {
        raiseError(tr("There is no temporary folder for the new job '%1'").arg(name));
        return nullptr;
    }
    ticket->setActiveFileName(folder + QLatin1Char('/') + name);
    return new Job(std::move(ticket), this, runScope());
}

QString Tavrix::getGlobalData(const QString &scope, const QString &tag) const
{
    return globalData(scope, tag);
}

void Tavrix::setGlobalData(const QString &scope, const QString &tag, const QString &value)
{
    storeGlobalData(scope, tag, value);
}

QString Tavrix::getSpecialFolderPath(const QString &kind) const
{
    const IFrameworkEnvironment::AdditionalServerData data = environment()->additionalServerData();
    const QList<QPair<QString, QString>> folders = {
        {QStringLiteral("ApplicationData"), SRCore::EnvManager::applicationDataPath()},
        {QStringLiteral("Documents"),
         QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)},
        {QStringLiteral("Desktop"),
         QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)},
        {QStringLiteral("Home"), QDir::homePath()},
        {QStringLiteral("Temp"), QDir::tempPath()},
        {QStringLiteral("TestFolder"), data.testFolder},
        {QStringLiteral("PackageFolder"), data.packageFolder},
    };
    QStringList kinds;
    for (const auto &[name, path] : folders) {
        if (kind.compare(name, Qt::CaseInsensitive) == 0) {
            return path;
        }
        kinds.append(name);
    }
    raiseError(
        tr("'%1' is no special folder; known are %2").arg(kind, kinds.join(QLatin1String(", "))));
    return QString();
}
