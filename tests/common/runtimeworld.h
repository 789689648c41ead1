#pragma once

// A flow as a test run sees it, made in a temporary folder without a fixture: the script element
// "1", an input folder "inFolder2" holding the job "_00001_report.txt" with its ticket, and an
// output folder per outgoing connection. With an entries manager that runs against it and
// records its messages, the scripting objects of one run, and calls of every entry point.

#include "common/testfiles.h"
#include "recordinglog.h"

#include <scriptinglib/baseentriesmanager.h>

#include <supportlib/baseframeworkenvironment.h>
#include <supportlib/connection.h>
#include <supportlib/environment.h>
#include <supportlib/job.h>
#include <supportlib/tavrix.h>
#include <supportlib/userglobaldata.h>

#include <corelib/flow/flow.h>
#include <corelib/jobs/ijt.h>
#include <corelib/metadata/metadatamanager.h>
#include <corelib/vocabulary/xmlkey.h>
#include <corelib/vocabulary/xmlvalues.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

namespace RuntimeTest {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

using RecordingLog = TestLog::RecordingLog;

struct Outgoing
{
    QString name;
    QMap<QString, QString> fields; // TrafficType, Success, ..., declared properties
};

class FlowWorld
{
public:
    explicit FlowWorld(const QString &connectionType = XMLValues::CONNECTION_MOVE,
                       const QList<Outgoing> &outgoing = {{QStringLiteral("A"), {}}},
                       const QByteArray &jobContent = "hello")
        : m_flow(SRCore::Flow::createEmptyFlow(QStringLiteral("1")))
    {
        SRCore::FlowObject header = m_flow->getHeader();
        header.createField(XMLKey::NAME).setValue(QStringLiteral("Test Flow"));
        m_element = add({{XMLKey::TYPE, XMLValues::SCRIPTELEMENT},
                         {XMLKey::NAME, QStringLiteral("Router")},
                         {XMLKey::CONNECTIONTYPE, connectionType}});
        for (const QString &folder : {QStringLiteral("tickets"), QStringLiteral("datasets")}) {
            QDir().mkpath(path(folder));
        }
        SRCore::IJT::setDir(path(QStringLiteral("tickets")));
        SRCore::MetadataManager::instance()->setDatasetFolder(path(QStringLiteral("datasets")));

        const SRCore::FlowObject in = addFolder(QStringLiteral("inFolder"));
        add({{XMLKey::TYPE, XMLValues::CONNECTION_FILTER},
             {XMLKey::NAME, QStringLiteral("In")},
             {XMLKey::SOURCEOBJECT, in.getId()},
             {XMLKey::DESTOBJECT, QStringLiteral("1")}});
        m_jobPath = in.getField(XMLKey::PATH).getValue() + QStringLiteral("/_00001_report.txt");
        TestFiles::writeFile(m_jobPath, jobContent);
        m_ticket = SRCore::IJT::createEmptyIJT();
        m_ticket->setFlowInfo(QStringLiteral("1"), QStringLiteral("Test Flow"));
        m_ticket->setFamilyID(QStringLiteral("_00001_"));
        m_ticket->setActiveFileName(m_jobPath);
        m_ticket->setActiveActionId(QStringLiteral("1"));
        m_ticket->addAction(QStringLiteral("0"), QStringLiteral("1"), m_jobPath,
                            XMLValues::SCRIPTELEMENT, XMLValues::LOW);
        m_ticket->setPrivateData(QStringLiteral("Amount"), QStringLiteral("1250.00"));
        m_ticket->save();

        for (const Outgoing &connection : outgoing) {
            const SRCore::FlowObject out = addFolder(QStringLiteral("outFolder"));
            QMap<QString, QString> fields = connection.fields;
            fields.insert(XMLKey::TYPE, connectionType);
            fields.insert(XMLKey::NAME, connection.name);
            fields.insert(XMLKey::SOURCEOBJECT, QStringLiteral("1"));
            fields.insert(XMLKey::DESTOBJECT, out.getId());
            add(fields);
            m_outFolders.insert(connection.name, out.getField(XMLKey::PATH).getValue());
        }
    }

    bool isValid() const { return m_dir.isValid(); }
    SRCore::Flow *flow() const { return m_flow.get(); }
    SRCore::IJT *ticket() const { return m_ticket.get(); }
    QString jobPath() const { return m_jobPath; }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString outFolder(const QString &connection) const { return m_outFolders.value(connection); }
    // The names of the files in the folder of `connection`.
    QStringList outputs(const QString &connection) const
    {
        return QDir(outFolder(connection))
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    // A property of the element with its value and chosen editor.
    void setElementProperty(const QString &tag, const QString &value,
                            const QString &editor = XMLValues::EDITOR_INLINE)
    {
        SRCore::FlowObjectField field = m_element.createField(tag);
        field.setValue(value);
        field.setProperty(XMLKey::SUBTYPE, editor);
    }

private:
    SRCore::FlowObject add(const QMap<QString, QString> &fields)
    {
        SRCore::FlowObject object = SRCore::FlowObject::create();
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            object.createField(it.key()).setValue(it.value());
        }
        return m_flow->createFlowObject(object);
    }
    SRCore::FlowObject addFolder(const QString &prefix)
    {
        SRCore::FlowObject folder = add({{XMLKey::TYPE, XMLValues::FOLDER}});
        const QString name = prefix + folder.getId();
        folder.createField(XMLKey::NAME).setValue(name);
        folder.createField(XMLKey::PATH).setValue(path(name));
        QDir().mkpath(path(name));
        return folder;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SRCore::Flow> m_flow;
    SRCore::FlowObject m_element;
    std::unique_ptr<SRCore::IJT> m_ticket;
    QString m_jobPath;
    QMap<QString, QString> m_outFolders;
};

// An entries manager whose flow is the world's and whose messages are recorded.
class WorldManager : public BaseEntriesManager
{
public:
    explicit WorldManager(FlowWorld &world)
        : BaseEntriesManager(world.path(QStringLiteral("temp")), &log)
        , m_world(world)
    {}
    SRCore::Flow *getFlow(const QString &) override { return m_world.flow(); }
    using BaseEntriesManager::setUserGlobalData;

    RecordingLog log;

private:
    FlowWorld &m_world;
};

// The scripting objects of one run against the world, as the runner makes them.
class RunObjects
{
public:
    explicit RunObjects(FlowWorld &world, SRCore::ILogInterface *log)
        : tavrix(world.flow(), QStringLiteral("1"), &environment, world.ticket(), log)
        , job(world.ticket(), &environment, log)
        , e(&environment, log)
    {}

    BaseFrameworkEnvironment environment;
    Tavrix tavrix;
    Job job;
    Environment e;
};

// A world with two outgoing Move connections: A goes north, B south.
inline std::unique_ptr<FlowWorld> compassWorld()
{
    auto world = std::make_unique<FlowWorld>(
        XMLValues::CONNECTION_MOVE,
        QList<Outgoing>{
            {QStringLiteral("A"), {{QStringLiteral("Route"), QStringLiteral("north")}}},
            {QStringLiteral("B"), {{QStringLiteral("Route"), QStringLiteral("south")}}}});
    world->setElementProperty(QStringLiteral("Direction"), QStringLiteral("north"));
    return world;
}

inline Connection *outConnection(Tavrix &tavrix, int index)
{
    return qobject_cast<Connection *>(tavrix.getOutConnections().value(index).value<QObject *>());
}

// Runs `entryPoint` as the runner would and gives its result as text.
inline QString runEntryPoint(BaseEntriesManager &manager, RunObjects &run,
                             const QString &entryPoint, const ScriptCodeAndLangStruct &code)
{
    if (entryPoint == QLatin1String("jobArrived")) {
        return manager.jobArrived(&run.tavrix, &run.job, code, nullptr);
    }
    if (entryPoint == QLatin1String("timerFired")) {
        return manager.timerFired(&run.tavrix, code, nullptr);
    }
    if (entryPoint == QLatin1String("initializeProcessing")) {
        return manager.initializeProcessing(&run.e, code, nullptr) ? QStringLiteral("true")
                                                                   : QStringLiteral("false");
    }
    if (entryPoint == QLatin1String("finalizeProcessing")) {
        manager.finalizeProcessing(&run.e, code, nullptr);
    } else if (entryPoint == QLatin1String("cleanupAfterAbort")) {
        manager.cleanupAfterAbort(&run.e, code, nullptr);
    } else if (entryPoint == QLatin1String("isPropertyValid")) {
        return QVariant(manager.isPropertyValid(code, &run.tavrix, QStringLiteral("Direction"),
                                                QStringLiteral("north")))
            .toString();
    } else if (entryPoint == QLatin1String("getLibraryForProperty")) {
        return manager.getLibraryForProperty(code, &run.tavrix, QStringLiteral("Direction"))
            .join(QLatin1Char(';'));
    } else if (entryPoint == QLatin1String("isConnectionPropertyValid")) {
        return QVariant(manager.isConnectionPropertyValid(
                            code, &run.tavrix, outConnection(run.tavrix, 0),
                            QStringLiteral("Route"), QStringLiteral("north")))
            .toString();
    } else if (entryPoint == QLatin1String("getLibraryForConnectionProperty")) {
        return manager
            .getLibraryForConnectionProperty(code, &run.tavrix, outConnection(run.tavrix, 1),
                                             QStringLiteral("Route"))
            .join(QLatin1Char(';'));
    } else if (entryPoint == QLatin1String("findApplicationPath")) {
        return manager.findApplicationPath(code, &run.e, true);
    } else if (entryPoint == QLatin1String("getApplicationLicensing")) {
        return manager.getApplicationLicensing(code, &run.e);
    } else if (entryPoint == QLatin1String("licenseApplication")) {
        manager.licenseApplication(code, &run.e, QStringLiteral("K-1"));
    }
    return QString();
}

// "connection/file" for every file in the world's output folders.
inline QStringList allOutputs(const FlowWorld &world, const QStringList &connections)
{
    QStringList result;
    for (const QString &connection : connections) {
        for (const QString &name : world.outputs(connection)) {
            result << connection + QLatin1Char('/') + name;
        }
    }
    return result;
}

// What one entry point run on the compass world, with user global data, gave: its result, the
// files it sent, its messages, and whether finishing the run left no temporary file behind.
struct CompassRun
{
    QString result;
    QStringList outputs;
    QStringList logLines;
    bool tempLeftEmpty = false;

    // The `messages` that no logged line holds.
    QStringList missing(const QStringList &messages) const
    {
        QStringList absent;
        for (const QString &message : messages) {
            if (logLines.filter(message).isEmpty()) {
                absent << message;
            }
        }
        return absent;
    }
};

inline CompassRun runOnCompassWorld(const QString &entryPoint, const ScriptCodeAndLangStruct &code)
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    manager.setUserGlobalData(
        std::make_unique<UserGlobalData>(world->path(QStringLiteral("UserGlobalData.xml"))));
    RunObjects run(*world, &manager.log);
    CompassRun outcome;
    outcome.result = runEntryPoint(manager, run, entryPoint, code);
    outcome.outputs = allOutputs(*world, {QStringLiteral("A"), QStringLiteral("B")});
    outcome.logLines = manager.log.lines();
    manager.finishEntryPoint(&run.environment, world->flow(), &manager.log);
    outcome.tempLeftEmpty = QDir(world->path(QStringLiteral("temp"))).isEmpty();
    return outcome;
}

// The user of a running script, on a thread of its own: once `file` exists (the script writes it
// to show where it is, so that no step depends on timing) it stops the script in `mode`, then
// writes `thenWrite` if one is given. Waits for its thread when it goes.
class StoppingUser
{
public:
    StoppingUser(BaseEntriesManager &manager, const QString &file, int mode,
                 const QString &thenWrite = QString())
        : m_thread(QThread::create([&manager, file, mode, thenWrite] {
            while (!QFileInfo::exists(file)) {
                QThread::msleep(1);
            }
            manager.stopScript(mode);
            if (!thenWrite.isEmpty()) {
                TestFiles::writeFile(thenWrite, QByteArray());
            }
        }))
    {
        m_thread->start();
    }
    ~StoppingUser() { m_thread->wait(); }

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace RuntimeTest
