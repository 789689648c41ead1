#include "testflowbuilder.h"

#include "package/objecttemplates.h"

#include "supportlib/userglobaldata.h"

#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"
#include "corelib/jobs/countmanager.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/logrecord.h"
#include "corelib/metadata/metadata.h"
#include "corelib/metadata/metadatamanager.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QThreadPool>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

const QString testFolderSetting = QStringLiteral("General/TestFolderPath");
constexpr int kStep = 50;

QString value(const SRCore::FlowObject &object, const QString &tag)
{
    return object.getField(tag).getValue();
}

void setValue(SRCore::FlowObject &object, const QString &tag, const QString &text)
{
    object.createField(tag).setValue(text);
}

// Takes the value of `tag`, and its editor when asked, from `from` where it has the field.
void copyField(const SRCore::FlowObject &from, SRCore::FlowObject &to, const QString &tag,
               bool withEditor)
{
    const SRCore::FlowObjectField source = from.getField(tag);
    if (source.isNull()) {
        return;
    }
    SRCore::FlowObjectField target = to.createField(tag);
    target.setValue(source.getValue());
    if (withEditor) {
        target.setProperty(XMLKey::SUBTYPE, source.getSubType());
    }
}

bool isSameOrInside(const QString &path, const QString &folder)
{
    const QString cleanPath = QDir::cleanPath(path);
    const QString cleanFolder = QDir::cleanPath(folder);
    return cleanPath == cleanFolder || cleanPath.startsWith(cleanFolder + QLatin1Char('/'));
}

// A path in `folder` named `name` that does not exist yet.
QString freshPath(const QString &folder, const QString &name)
{
    const QFileInfo info(name);
    return SRCore::FileHandler::freshPath(folder, info.completeBaseName(), info.suffix());
}

} // namespace

TestFlowBuilder::TestFlowBuilder(Log log)
    : m_log(std::move(log))
{}

bool TestFlowBuilder::createFolder(const QString &path)
{
    if (QDir().mkpath(path)) {
        return true;
    }
    m_log(SRCore::LogLevel::Error, QT_TRANSLATE_NOOP("LogMessages", "Can't create folder '%1'"),
          path);
    return false;
}

bool TestFlowBuilder::prepareTestFolder(const Input &input, Result &result)
{
    QSettings settings;
    QString base = value(input.basicSettings, XMLKey::TESTFOLDER);
    if (base.isEmpty()) {
        base = settings.value(testFolderSetting, QDir::tempPath()).toString();
    }
    if (!QFileInfo(base).isDir()) {
        base = QDir::tempPath();
    }
    // Writing the settings costs a flush to disk; most runs use the folder of the last one.
    if (settings.value(testFolderSetting).toString() != base) {
        settings.setValue(testFolderSetting, base);
    }

    const QString testFolder =
        QFileInfo(
            base
            + QStringLiteral("/FixtureTest%1").arg(input.documentNumber, 2, 10, QLatin1Char('0')))
            .absoluteFilePath();
    if (QFileInfo(testFolder).isDir()) {
        // The user global data, and damaged copies of it set aside, outlive the rebuild: what
        // one run stores, the next one finds.
        if (!renewTestFolder(testFolder)
            && !SRCore::FileHandler::cleanupFolder(
                testFolder, QStringLiteral("^(?!") + kUserGlobalDataFile + QLatin1Char(')'))) {
            m_log(SRCore::LogLevel::Error,
                  QT_TRANSLATE_NOOP("LogMessages", "Can't cleanup test folder '%1'"), testFolder);
            return false;
        }
    } else if (!createFolder(testFolder)) {
        return false;
    }
    result.testFolderBase = base;
    result.testFolder = testFolder;
    result.datasetsFolder = testFolder + QStringLiteral("/datasets");
    result.ticketsFolder = testFolder + QStringLiteral("/tickets");
    result.flowFolder = testFolder + QStringLiteral("/flow");

    if (!createFolder(result.datasetsFolder)) {
        return false;
    }
    SRCore::MetadataManager::instance()->setDatasetFolder(result.datasetsFolder);
    if (!createFolder(result.ticketsFolder)) {
        return false;
    }
    SRCore::IJT::setDir(result.ticketsFolder);
    return createFolder(result.flowFolder);
}

bool TestFlowBuilder::renewTestFolder(const QString &testFolder)
{
    const QFileInfo info(testFolder);
    // A link stays where the user put it, to the folder it names; only its contents go.
    if (info.isSymLink()) {
        return false;
    }
    const QString parent = info.absolutePath();
    const QString hidden = QLatin1Char('.') + info.fileName();
    // Exact names, so that window 10 never takes what window 100 set aside.
    const QStringList leftovers = QDir(parent).entryList(
        {hidden + QStringLiteral(".discarded"), hidden + QStringLiteral("-*.discarded")},
        QDir::Dirs | QDir::Hidden);
    for (const QString &left : leftovers) {
        discardInBackground(parent + QLatin1Char('/') + left);
    }

    // A new folder takes the user global data; the old one goes aside in one step.
    const QString fresh = freshPath(parent, hidden + QStringLiteral(".new"));
    const QString trash = freshPath(parent, hidden + QStringLiteral(".discarded"));
    if (!QDir().mkdir(fresh)) {
        return false;
    }
    const QStringList kept =
        QDir(testFolder)
            .entryList({kUserGlobalDataFile + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    QStringList moved;
    for (const QString &name : kept) {
        if (!QFile::rename(testFolder + QLatin1Char('/') + name, fresh + QLatin1Char('/') + name)) {
            break;
        }
        moved.append(name);
    }
    const bool aside = moved.size() == kept.size() && QDir().rename(testFolder, trash);
    if (aside && QDir().rename(fresh, testFolder)) {
        discardInBackground(trash);
        return true;
    }
    // Everything back where it was; the caller empties the folder in place instead.
    if (aside) {
        QDir().rename(trash, testFolder);
    }
    for (const QString &name : moved) {
        QFile::rename(fresh + QLatin1Char('/') + name, testFolder + QLatin1Char('/') + name);
    }
    QDir().rmdir(fresh);
    return false;
}

void TestFlowBuilder::discardInBackground(const QString &folder)
{
    // Removing files costs far more than making them, and a run need not wait for it. A folder
    // that can't be removed now is tried again at the next build.
    QThreadPool::globalInstance()->start([folder] { QDir(folder).removeRecursively(); });
}

bool TestFlowBuilder::build(const Input &input, Result &result)
{
    result = Result();
    m_uniqueNameCounter = 1;
    m_flowName = value(input.basicSettings, XMLKey::FLOWNAME);
    if (m_flowName.isEmpty()) {
        m_flowName = tr("Test Flow");
    }
    QString elementName = value(input.basicSettings, XMLKey::ELEMENTNAME);
    if (elementName.isEmpty()) {
        elementName = tr("Script Element");
    }
    if (!prepareTestFolder(input, result)) {
        return false;
    }

    auto flow = SRCore::Flow::createEmptyFlow(QStringLiteral("1"));
    flow->setFolderName(QStringLiteral("flow"));
    SRCore::FlowObject header = flow->getHeader();
    setValue(header, XMLKey::TYPE, XMLValues::FLOW);
    setValue(header, XMLKey::NAME, m_flowName);
    setValue(header, XMLKey::RUNNING, XMLValues::NO);
    setValue(header, XMLKey::DESCRIPTION, tr("Flow for testing script package"));

    if (input.scriptElement.isNull()) {
        m_log(SRCore::LogLevel::Error,
              QT_TRANSLATE_NOOP("LogMessages", "Can't create Script element object"), QString());
        return false;
    }
    SRCore::FlowObject element = flow->createFlowObject(input.scriptElement.clone2());
    setValue(element, XMLKey::NAME, elementName);
    setValue(element, XMLKey::SCRIPTPACKAGE, input.packageFilePath);
    setValue(element, XMLKey::XPOS, QStringLiteral("120"));
    setValue(element, XMLKey::YPOS, QStringLiteral("60"));
    for (const QString &tag : input.elementPropertyTags) {
        copyField(input.basicSettings, element, tag, true);
    }

    bool failed = false;
    int y = 10;
    for (const Job &job : input.jobs) {
        // A job whose file was never chosen still has its first name.
        if (job.itemText.contains(QLatin1String("FileOrFolder"), Qt::CaseInsensitive)
            || value(job.object, XMLKey::ENABLED) != XMLValues::YES) {
            continue;
        }
        addJob(input, job, y, *flow, result, &failed);
        if (failed) {
            return false;
        }
        y += kStep;
    }
    y = 10;
    for (const OutgoingConnection &connection : input.connections) {
        if (value(connection.object, XMLKey::ENABLED) != XMLValues::YES) {
            continue;
        }
        addConnection(input, connection, y, *flow, result, &failed);
        if (failed) {
            return false;
        }
        y += kStep;
    }
    flow->save(result.flowFolder + QStringLiteral("/flow.xml"), true);
    applyGlobalData(input.basicSettings, result.testFolder);
    result.flow = std::move(flow);
    return true;
}

SRCore::FlowObject TestFlowBuilder::addFolder(SRCore::Flow &flow, const QString &prefix, int x,
                                              int y, Result &result, bool *failed)
{
    SRCore::FlowObject folder =
        flow.createFlowObject(ObjectTemplates::defaultObject(XMLValues::FOLDER));
    if (folder.isNull()) {
        m_log(SRCore::LogLevel::Error,
              QT_TRANSLATE_NOOP("LogMessages", "Can't create Folder object"), QString());
        return folder;
    }
    const QString name = prefix + folder.getId();
    const QString path = result.testFolder + QLatin1Char('/') + name;
    if (!createFolder(path)) {
        *failed = true;
        return SRCore::FlowObject();
    }
    result.createdFolders.append(path);
    setValue(folder, XMLKey::NAME, name);
    setValue(folder, XMLKey::PATH, path);
    setValue(folder, XMLKey::XPOS, QString::number(x));
    setValue(folder, XMLKey::YPOS, QString::number(y));
    return folder;
}

void TestFlowBuilder::addJob(const Input &input, const Job &job, int y, SRCore::Flow &flow,
                             Result &result, bool *failed)
{
    const SRCore::FlowObject folder =
        addFolder(flow, QStringLiteral("inFolder"), 10, y, result, failed);
    if (folder.isNull()) {
        return;
    }
    SRCore::FlowObject connection =
        flow.createFlowObject(ObjectTemplates::defaultObject(XMLValues::CONNECTION_FILTER));
    if (connection.isNull()) {
        m_log(SRCore::LogLevel::Error,
              QT_TRANSLATE_NOOP("LogMessages", "Can't create Connection object"), QString());
    } else {
        setValue(connection, XMLKey::NAME, value(job.object, XMLKey::CONNECTIONNAME));
        setValue(connection, XMLKey::SOURCEOBJECT, folder.getId());
        setValue(connection, XMLKey::DESTOBJECT, QStringLiteral("1"));
        setValue(connection, XMLKey::STRAIGHTLINE, XMLValues::YES);
    }

    // A relative path names a job beside the package, as examples keep their jobs.
    const QString chosen = value(job.object, XMLKey::FILEORFOLDER);
    const QString source = QDir::cleanPath(QDir(input.fixtureFolder).absoluteFilePath(chosen));
    const QString uniqueName =
        SRCore::FileManager::uniqueNamePrefix(m_uniqueNameCounter) + job.itemText;
    const QString destination =
        folder.getField(XMLKey::PATH).getValue() + QLatin1Char('/') + uniqueName;
    if (isSameOrInside(destination, source)) {
        m_log(SRCore::LogLevel::Error,
              QT_TRANSLATE_NOOP("LogMessages", "Can't use folder '%1' as job"), source);
        return;
    }
    ++m_uniqueNameCounter;
    if (!SRCore::FileHandler::copy(source, destination)) {
        m_log(SRCore::LogLevel::Error, QT_TRANSLATE_NOOP("LogMessages", "Can't copy file '%1'"),
              source);
        return;
    }
    std::unique_ptr<SRCore::IJT> ticket =
        createJobTicket(job.object, destination, m_flowName, folder, result.datasetsFolder);
    (job.current ? result.currentTicket : result.otherTicket) = std::move(ticket);
}

void TestFlowBuilder::addConnection(const Input &input, const OutgoingConnection &item, int y,
                                    SRCore::Flow &flow, Result &result, bool *failed)
{
    const SRCore::FlowObject folder =
        addFolder(flow, QStringLiteral("outFolder"), 230, y, result, failed);
    if (folder.isNull()) {
        return;
    }
    if (input.connectionTemplate.isNull()) {
        m_log(SRCore::LogLevel::Error,
              QT_TRANSLATE_NOOP("LogMessages", "Can't create Connection object"), QString());
        return;
    }
    SRCore::FlowObject connection = flow.createFlowObject(input.connectionTemplate.clone2());
    setValue(connection, XMLKey::NAME, item.itemText);
    setValue(connection, XMLKey::SOURCEOBJECT, QStringLiteral("1"));
    setValue(connection, XMLKey::DESTOBJECT, folder.getId());
    setValue(connection, XMLKey::STRAIGHTLINE, XMLValues::YES);
    const QString type = connection.getType();
    if (type == XMLValues::CONNECTION_TRAFFICLIGHT) {
        // The outcomes the fixture's connection carries count as much as its traffic type.
        for (const QString &tag : {XMLKey::TRAFFICTYPE, XMLKey::DATASETNAME, XMLKey::SUCCESS,
                                   XMLKey::WARNING, XMLKey::ERROR_}) {
            if (connection.hasField(tag)) {
                copyField(item.object, connection, tag, false);
            }
        }
    } else if (type == XMLValues::CONNECTION_FILTER) {
        for (const QString &tag : {XMLKey::INCLUDEMASK, XMLKey::EXCLUDEMASK,
                                   XMLKey::INCLUDEFOLDERMASK, XMLKey::EXCLUDEFOLDERMASK}) {
            if (connection.hasField(tag)) {
                copyField(item.object, connection, tag, true);
            }
        }
    }
    for (const QString &tag : input.connectionPropertyTags) {
        copyField(item.object, connection, tag, true);
    }
    if (item.current) {
        result.currentConnection = connection;
    }
}

std::unique_ptr<SRCore::IJT> TestFlowBuilder::createJobTicket(const SRCore::FlowObject &job,
                                                              const QString &jobCopy,
                                                              const QString &flowName,
                                                              const SRCore::FlowObject &inputFolder,
                                                              const QString &datasetsFolder)
{
    std::unique_ptr<SRCore::IJT> ticket = SRCore::IJT::createEmptyIJT();
    ticket->setFlowInfo(QStringLiteral("1"), flowName);
    ticket->setCopiedForConnection(QStringLiteral("1"));
    ticket->setState(3);
    ticket->setActiveFileName(jobCopy);
    ticket->setActiveActionId(QStringLiteral("1"));
    ticket->addOccurrence(XMLKey::OCCURRENCEDETECTED, inputFolder.getId(), inputFolder.getName(),
                          QStringLiteral("1"), flowName);
    if (SRCore::CountManager *counter = SRCore::FileManager::countManager()) {
        ticket->setArrivalStamp(counter->getNextArrivalStamp());
    }
    ticket->setFamilyID(SRCore::FileManager::getPrefix(jobCopy));
    ticket->addAction(QStringLiteral("0"), QStringLiteral("1"), jobCopy, XMLValues::SCRIPTELEMENT,
                      XMLValues::LOW);
    fillFromJob(*ticket, job);
    addDatasets(*ticket, value(job, XMLKey::METADATADATASETS), datasetsFolder);
    QString error;
    if (!ticket->save(&error)) {
        m_log(SRCore::LogLevel::Error,
              QT_TRANSLATE_NOOP("LogMessages", "Can't write the job ticket: %1"), error);
    }
    return ticket;
}

void TestFlowBuilder::fillFromJob(SRCore::IJT &ticket, const SRCore::FlowObject &job)
{
    ticket.setLocationPath(value(job, XMLKey::HIERARCHYINFO));
    ticket.setJobState(value(job, XMLKey::JOBSTATE));
    ticket.addEmailInfo(value(job, XMLKey::EMAILADDRESSES), value(job, XMLKey::EMAILBODYTEXT));
    for (const SRCore::UniversalData &record :
         SRCore::XMLValueProcessor(value(job, XMLKey::USERDATA)).universaldataFields()) {
        ticket.setPrivateData(record.first, record.third);
    }
}

void TestFlowBuilder::addDatasets(SRCore::IJT &ticket, const QString &value,
                                  const QString &datasetsFolder)
{
    for (const SRCore::UniversalData &record :
         SRCore::XMLValueProcessor(value).universaldataFields()) {
        const QString &model = record.second;
        if (!SRCore::MetadataManager::isModel(model)) {
            continue;
        }
        const QString backingFile = record.third;
        if (!QFileInfo(backingFile).isFile()) {
            m_log(SRCore::LogLevel::Error,
                  QT_TRANSLATE_NOOP("LogMessages", "Metadata backing file '%1' does not exist"),
                  backingFile);
            continue;
        }
        // Two datasets may have backing files of the same name; each keeps its own copy.
        const QString copy = freshPath(datasetsFolder, QFileInfo(backingFile).fileName());
        if (!SRCore::FileHandler::copy(backingFile, copy)) {
            m_log(SRCore::LogLevel::Error, QT_TRANSLATE_NOOP("LogMessages", "Can't copy file '%1'"),
                  copy);
            continue;
        }
        std::unique_ptr<SRCore::Metadata> metadata = SRCore::MetadataManager::create(model);
        QString error;
        if (metadata->loadFromFile(copy, &error)) {
            ticket.setDataset(record.first, *metadata);
        } else {
            m_log(SRCore::LogLevel::Error,
                  QT_TRANSLATE_NOOP("LogMessages", "Metadata dataset '%11' can't be used: %12"),
                  record.first + QLatin1Char(',') + error);
        }
    }
}

void TestFlowBuilder::applyGlobalData(const SRCore::FlowObject &basicSettings,
                                      const QString &testFolder)
{
    UserGlobalData data(testFolder + QLatin1Char('/') + kUserGlobalDataFile);
    if (!data.loadError().isEmpty()) {
        m_log(SRCore::LogLevel::Error, QT_TRANSLATE_NOOP("LogMessages", "Damaged global data: %1"),
              data.loadError());
    }
    for (const SRCore::UniversalData &record :
         SRCore::XMLValueProcessor(value(basicSettings, XMLKey::GLOBALDATA))
             .universaldataFields()) {
        QString error;
        if (!data.setGlobalData(record.second, record.first, record.third, &error)) {
            m_log(SRCore::LogLevel::Error,
                  QT_TRANSLATE_NOOP("LogMessages", "Can't store global data: %1"), error);
        }
    }
}

} // namespace Scripter
