#include "jobrouter.h"

#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMutex>

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

QString canonical(const QString &path)
{
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    return canonicalPath.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath())
                                   : canonicalPath;
}

bool isSameOrInside(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

qint64 sizeOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir()) {
        return info.size();
    }
    qint64 bytes = 0;
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        bytes += it.nextFileInfo().size();
    }
    return bytes;
}

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

JobRouter::JobRouter(const SRCore::Flow &flow, const QString &elementId)
    : m_flow(flow)
    , m_elementId(elementId)
{}

bool JobRouter::isOutgoing(const SRCore::FlowObject &connection) const
{
    return !connection.isNull() && connection.hasField(XMLKey::DESTOBJECT)
           && connection.getField(XMLKey::SOURCEOBJECT).getValue() == m_elementId
           && !m_flow.getFlowObject(connection.getId()).isNull();
}

QList<SRCore::FlowObject> JobRouter::outgoingConnections() const
{
    QList<SRCore::FlowObject> result;
    for (const SRCore::FlowObject &object : m_flow.getFlowObjects()) {
        if (isOutgoing(object)) {
            result.append(object);
        }
    }
    return result;
}

QString JobRouter::folderOf(const SRCore::FlowObject &connection) const
{
    return m_flow.getFlowObject(connection.getField(XMLKey::DESTOBJECT).getValue())
        .getField(XMLKey::PATH)
        .getValue();
}

QString JobRouter::levelField(int level)
{
    switch (level) {
    case 1:
        return XMLKey::SUCCESS;
    case 2:
        return XMLKey::WARNING;
    case 3:
        return XMLKey::ERROR_;
    default:
        return QString();
    }
}

QList<SRCore::FlowObject> JobRouter::trafficLightConnections(Traffic traffic, int level) const
{
    const QString field = levelField(level);
    QList<SRCore::FlowObject> result;
    for (const SRCore::FlowObject &connection : outgoingConnections()) {
        const QString type = connection.getField(XMLKey::TRAFFICTYPE).getValue();
        const bool carries = traffic == Traffic::Data
                                 ? type == XMLValues::DATA || type == XMLValues::DATAWITHLOG
                                 : type == XMLValues::LOG;
        if (connection.getType() == XMLValues::CONNECTION_TRAFFICLIGHT && carries
            && connection.getField(field).getValue() == XMLValues::YES) {
            result.append(connection);
        }
    }
    return result;
}

bool JobRouter::isInOutputFolder(const QString &path) const
{
    const QString target = canonical(path);
    for (const SRCore::FlowObject &connection : outgoingConnections()) {
        const QString folder = folderOf(connection);
        if (!folder.isEmpty() && isSameOrInside(target, canonical(folder))) {
            return true;
        }
    }
    return false;
}

QString JobRouter::reservePrefix(QString *errorMessage)
{
    // Scanning from the last prefix handed out keeps many sends of one run cheap; when that
    // ticket is gone (a new test flow) the scan starts again from the first prefix.
    static QMutex mutex;
    static int last = 0;
    const QMutexLocker locker(&mutex);
    if (last > 0
        && SRCore::FileManager::getFileIJTByPrefix(SRCore::FileManager::uniqueNamePrefix(last))
               .isEmpty()) {
        last = 0;
    }
    for (int counter = last + 1;; ++counter) {
        const QString prefix = SRCore::FileManager::uniqueNamePrefix(counter);
        if (prefix.isEmpty()) {
            *errorMessage = tr("No unique job prefix is left in the tickets folder");
            return QString();
        }
        if (SRCore::FileManager::getFileIJTByPrefix(prefix).isEmpty()) {
            last = counter;
            return prefix;
        }
    }
}

bool JobRouter::send(const SRCore::IJT &ticket, const QString &path,
                     const SRCore::FlowObject &connection, const QString &name,
                     RunSummary::Output *output, QString *errorMessage) const
{
    const QFileInfo source(path);
    if (path.isEmpty() || !source.exists()) {
        *errorMessage = tr("'%1' does not exist").arg(path);
        return false;
    }
    if (!isOutgoing(connection)) {
        *errorMessage =
            tr("'%1' is not an outgoing connection of this element").arg(connection.getName());
        return false;
    }
    if (isInOutputFolder(path)) {
        *errorMessage =
            tr("'%1' lies in an output folder; only files outside them can be sent").arg(path);
        return false;
    }
    const QString newName =
        name.isEmpty() ? SRCore::FileManager::fileNameWithoutPrefix(source.filePath()) : name;
    if (!isPlainName(newName)) {
        *errorMessage = tr("'%1' is not a file name").arg(newName);
        return false;
    }
    const QString folder = folderOf(connection);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        *errorMessage = tr("The folder '%1' of connection '%2' does not exist")
                            .arg(folder, connection.getName());
        return false;
    }
    const QString prefix = reservePrefix(errorMessage);
    if (prefix.isEmpty()) {
        return false;
    }
    const QString target = folder + QLatin1Char('/') + prefix + newName;
    QString reason;
    if (!SRCore::FileHandler::copy(source.absoluteFilePath(), target, nullptr, &reason)) {
        *errorMessage = tr("'%1' can't be copied to connection '%2': %3")
                            .arg(path, connection.getName(), reason);
        return false;
    }

    SRCore::IJT sent(ticket);
    sent.setFamilyID(prefix);
    sent.setActiveFileName(target);
    sent.setCopiedForConnection(connection.getId());
    const QList<SRCore::IJT::Action> actions = sent.getActions();
    const QString actionId = QString::number(actions.size() + 1);
    sent.addAction(sent.getActiveActionId(), actionId, target, XMLValues::FOLDER,
                   actions.isEmpty() ? XMLValues::LOW : actions.constLast().priority);
    sent.setActiveActionId(actionId);
    if (!sent.save(&reason)) {
        SRCore::FileHandler::remove(target);
        *errorMessage = tr("The ticket of '%1' can't be written: %2").arg(target, reason);
        return false;
    }
    *output = {connection.getName(), QFileInfo(target).fileName(), sizeOf(target), target};
    return true;
}
