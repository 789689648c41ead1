#include "job.h"

#include "iframeworkentriesmanager.h"
#include "iframeworkenvironment.h"
#include "runrecorder.h"

#include "corelib/jobs/ijt.h"
#include "corelib/logging/logrecord.h"
#include "corelib/metadata/metadatamanager.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

Job::Job(SRCore::IJT *ticket, TavrixBasic *tavrix, QObject *parent)
    : JobBasic(ticket, tavrix->environment(), tavrix->getLogInterface(), parent)
    , m_tavrix(tavrix)
{}

Job::Job(std::unique_ptr<SRCore::IJT> ticket, TavrixBasic *tavrix, QObject *parent)
    : JobBasic(std::move(ticket), tavrix->environment(), tavrix->getLogInterface(), parent)
    , m_tavrix(tavrix)
{}

Job::Job(SRCore::IJT *ticket, IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
         QObject *parent)
    : JobBasic(ticket, environment, log, parent)
{}

Job::~Job() = default;

void Job::setElement(TavrixBasic *tavrix)
{
    m_tavrix = tavrix;
}

QString Job::createPathWithName(const QString &name, bool createFolder) const
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        raiseError(tr("'%1' is not a file or folder name").arg(name));
        return QString();
    }
    IFrameworkEntriesManager *manager = entriesManager();
    const QString folder =
        manager ? manager->getTempFolderForJob(ticket(), QString(), environment()) : QString();
    if (folder.isEmpty()) {
        raiseError(tr("There is no temporary folder for the job '%1'").arg(jobName()));
        return QString();
    }
    // A name already handed out gets a subfolder of its own, so that every path is fresh.
    QString path = folder + QLatin1Char('/') + name;
    for (int n = 1; QFileInfo::exists(path); ++n) {
        path = folder + QLatin1Char('/') + QString::number(n) + QLatin1Char('/') + name;
    }
    const QString parent = createFolder ? path : QFileInfo(path).absolutePath();
    if (!QDir().mkpath(parent)) {
        raiseError(tr("The folder '%1' can't be created").arg(parent));
        return QString();
    }
    return path;
}

std::unique_ptr<JobRouter> Job::router(const char *operation) const
{
    if (m_outcome == Outcome::Failed) {
        raiseError(tr("The job '%1' has failed; %2 can't send it any more")
                       .arg(jobName(), QLatin1String(operation)));
        return nullptr;
    }
    if (!m_tavrix || !m_tavrix->flow()) {
        raiseError(
            tr("%1 is only possible while an element runs the job").arg(QLatin1String(operation)));
        return nullptr;
    }
    return std::make_unique<JobRouter>(*m_tavrix->flow(), m_tavrix->elementId());
}

void Job::sendAlong(const JobRouter &router, const SRCore::FlowObject &connection,
                    const QString &path, const QString &newName)
{
    RunSummary::Output output;
    QString error;
    if (!router.send(*ticket(), path.isEmpty() ? getPath() : path, connection, newName, &output,
                     &error)) {
        raiseError(error);
        return;
    }
    environment()->recorder().recordOutput(output);
    logRunMessage(SRCore::LogLevel::Information,
                  QT_TRANSLATE_NOOP("LogMessages", "Sent to connection '%11' as '%12'"),
                  {output.connection, output.fileName}, jobName());
    m_outcome = Outcome::Sent;
}

void Job::sendTo(Connection *connection, const QString &path, const QString &newName)
{
    if (!connection) {
        raiseError(tr("sendTo needs a Connection, as s.getOutConnections() gives"));
        return;
    }
    if (const std::unique_ptr<JobRouter> r = router("sendTo")) {
        sendAlong(*r, connection->object(), path, newName);
    }
}

void Job::sendToSingle(const QString &path)
{
    const std::unique_ptr<JobRouter> r = router("sendToSingle");
    if (!r) {
        return;
    }
    const QList<SRCore::FlowObject> connections = r->outgoingConnections();
    if (connections.size() != 1) {
        raiseError(tr("sendToSingle needs exactly one outgoing connection; the element has %1")
                       .arg(connections.size()));
        return;
    }
    sendAlong(*r, connections.constFirst(), path, QString());
}

bool Job::checkTrafficLight(const JobRouter &router, int level, const char *operation) const
{
    if (JobRouter::levelField(level).isEmpty()) {
        raiseError(tr("Traffic-light level %1 is none of 1 (success), 2 (warning) and 3 (error)")
                       .arg(level));
        return false;
    }
    const QList<SRCore::FlowObject> connections = router.outgoingConnections();
    if (std::none_of(connections.cbegin(), connections.cend(), [](const SRCore::FlowObject &c) {
            return c.getType() == XMLValues::CONNECTION_TRAFFICLIGHT;
        })) {
        raiseError(tr("%1 needs traffic-light connections; the element has none")
                       .arg(QLatin1String(operation)));
        return false;
    }
    return true;
}

void Job::sendToData(int level, const QString &path)
{
    const std::unique_ptr<JobRouter> r = router("sendToData");
    if (!r || !checkTrafficLight(*r, level, "sendToData")) {
        return;
    }
    const QList<SRCore::FlowObject> connections =
        r->trafficLightConnections(JobRouter::Traffic::Data, level);
    if (connections.isEmpty()) {
        logRunMessage(
            SRCore::LogLevel::Warning,
            QT_TRANSLATE_NOOP("LogMessages", "No outgoing connection carries data of level %1"),
            {QString::number(level)}, jobName());
        m_outcome = Outcome::Sent;
        return;
    }
    for (const SRCore::FlowObject &connection : connections) {
        sendAlong(*r, connection, path, QString());
    }
}

void Job::sendToLog(int level, const QString &path)
{
    const std::unique_ptr<JobRouter> r = router("sendToLog");
    if (!r || !checkTrafficLight(*r, level, "sendToLog")) {
        return;
    }
    const QString log = path.isEmpty() ? getPath() : path;
    if (!QFileInfo(log).isFile()) {
        raiseError(tr("The log '%1' is not a file").arg(log));
        return;
    }
    // Connections that carry data with log take the log along with the data sent later.
    const QString field = JobRouter::levelField(level);
    for (const SRCore::FlowObject &connection : r->outgoingConnections()) {
        if (connection.getField(XMLKey::TRAFFICTYPE).getValue() == XMLValues::DATAWITHLOG
            && connection.getField(field).getValue() == XMLValues::YES) {
            attachLog(connection, log);
        }
    }
    const QList<SRCore::FlowObject> connections =
        r->trafficLightConnections(JobRouter::Traffic::Log, level);
    for (const SRCore::FlowObject &connection : connections) {
        sendAlong(*r, connection, log, QString());
    }
}

void Job::attachLog(const SRCore::FlowObject &connection, const QString &path)
{
    QString error;
    std::unique_ptr<SRCore::Metadata> metadata =
        SRCore::MetadataManager::instance()->open(XMLValues::MODEL_XML, path, &error);
    if (!metadata) {
        metadata = SRCore::MetadataManager::instance()->open(XMLValues::MODEL_OPAQUE, path, &error);
    }
    if (!metadata) {
        raiseError(error);
        return;
    }
    Dataset dataset(std::move(metadata), environment(), getLogInterface());
    setDataset(connection.getField(XMLKey::DATASETNAME).getValue(), &dataset);
}

void Job::sendToNull(const QString &path)
{
    if (!router("sendToNull")) {
        return;
    }
    logRunMessage(SRCore::LogLevel::Information, QT_TRANSLATE_NOOP("LogMessages", "Discarded: %1"),
                  {QFileInfo(path.isEmpty() ? getPath() : path).fileName()}, jobName());
    if (m_outcome == Outcome::None) {
        m_outcome = Outcome::Discarded;
    }
}

void Job::fail(const QString &message, const QVariantList &arguments)
{
    if (m_outcome == Outcome::Failed) {
        raiseError(tr("The job '%1' has failed already").arg(jobName()));
        return;
    }
    logScriptMessage(SRCore::LogLevel::Error, message, arguments, jobName());
    m_outcome = Outcome::Failed;
}
