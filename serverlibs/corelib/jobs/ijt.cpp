#include "ijt.h"

#include "filemanager.h"

#include "corelib/common/textexcerpt.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldatawriter.h"
#include "corelib/metadata/metadata.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace SRCore {

namespace {

QMutex &dirMutex()
{
    static QMutex mutex;
    return mutex;
}

QString &ticketFolder()
{
    static QString folder;
    return folder;
}

bool fail(QString *errorMessage, const QString &message)
{
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

struct Field
{
    const QString &name;
    QString *value;
};

// Reads the child elements of the current element into `fields`; each must appear once.
bool readFields(XmlDataReader &reader, std::initializer_list<Field> fields)
{
    QSet<QString> seen;
    while (reader.readNextChildElement()) {
        const auto field = std::find_if(fields.begin(), fields.end(), [&reader](const Field &f) {
            return reader.name() == f.name;
        });
        if (field == fields.end()) {
            return reader.raiseUnexpectedElement();
        }
        if (seen.contains(field->name)) {
            return reader.raiseDuplicateElement();
        }
        seen.insert(field->name);
        if (!reader.readText(field->value)) {
            return false;
        }
    }
    if (reader.hasError()) {
        return false;
    }
    for (const Field &field : fields) {
        if (!seen.contains(field.name)) {
            return reader.raiseMissingElement(field.name);
        }
    }
    return true;
}

QString timeText(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace

std::unique_ptr<IJT> IJT::createEmptyIJT()
{
    return std::unique_ptr<IJT>(new IJT);
}

void IJT::setDir(const QString &folder)
{
    const QMutexLocker locker(&dirMutex());
    ticketFolder() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

QString IJT::dir()
{
    const QMutexLocker locker(&dirMutex());
    return ticketFolder();
}

void IJT::setFlowInfo(const QString &flowId, const QString &flowName)
{
    m_flowId = flowId;
    m_flowName = flowName;
}

void IJT::setCopiedForConnection(const QString &connectionId)
{
    m_copiedForConnection = connectionId;
}

void IJT::setState(int state)
{
    m_state = state;
}

void IJT::setActiveFileName(const QString &path)
{
    m_activeFile = path;
}

QString IJT::getActiveFileName() const
{
    return m_activeFile.isEmpty() ? QString() : QFileInfo(QDir::cleanPath(m_activeFile)).fileName();
}

void IJT::setActiveActionId(const QString &actionId)
{
    m_activeActionId = actionId;
}

void IJT::addOccurrence(const QString &kind, const QString &objectId, const QString &objectName,
                        const QString &flowId, const QString &flowName)
{
    m_occurrences.append(
        Occurrence{kind, objectId, objectName, flowId, flowName, QDateTime::currentDateTimeUtc()});
}

void IJT::setArrivalStamp(qint64 stamp)
{
    m_arrivalStamp = stamp;
}

void IJT::setFamilyID(const QString &prefix)
{
    m_familyId = prefix;
}

void IJT::addAction(const QString &parentActionId, const QString &actionId, const QString &path,
                    const QString &elementType, const QString &priority)
{
    m_actions.append(Action{parentActionId, actionId, path, elementType, priority});
}

void IJT::setLocationPath(const QString &hierarchy)
{
    m_locationPath = hierarchy;
}

void IJT::setJobState(const QString &state)
{
    m_jobState = state;
}

void IJT::addEmailInfo(const QString &addresses, const QString &bodyText)
{
    m_emailInfos.append(EmailInfo{addresses, bodyText});
}

void IJT::setEmailInfos(const QList<EmailInfo> &infos)
{
    m_emailInfos = infos;
}

void IJT::setPrivateData(const QString &key, const QString &value)
{
    m_privateData.insert(key, value);
}

bool IJT::setDataset(const QString &name, const QString &model, const QString &backingFilePath)
{
    static const QStringList models{XMLValues::MODEL_XML, XMLValues::MODEL_JDF,
                                    XMLValues::MODEL_XMP, XMLValues::MODEL_OPAQUE};
    if (name.isEmpty() || !models.contains(model)) {
        return false;
    }
    const Dataset dataset{name, model, backingFilePath};
    const auto existing = std::find_if(m_datasets.begin(), m_datasets.end(),
                                       [&name](const Dataset &d) { return d.name == name; });
    if (existing != m_datasets.end()) {
        *existing = dataset;
    } else {
        m_datasets.append(dataset);
    }
    return true;
}

bool IJT::setDataset(const QString &name, const Metadata &metadata)
{
    return setDataset(name, metadata.getModel(), metadata.getPath());
}

bool IJT::getJobDataset(const QString &name, Dataset *dataset) const
{
    const auto found = std::find_if(m_datasets.cbegin(), m_datasets.cend(),
                                    [&name](const Dataset &d) { return d.name == name; });
    if (found == m_datasets.cend()) {
        return false;
    }
    *dataset = *found;
    return true;
}

const std::array<IJT::TextField, 8> &IJT::textFields()
{
    static const std::array<TextField, 8> fields{{
        {&XMLKey::JT_FAMILYID, &IJT::m_familyId},
        {&XMLKey::JT_FLOWID, &IJT::m_flowId},
        {&XMLKey::JT_FLOWNAME, &IJT::m_flowName},
        {&XMLKey::JT_COPIEDFORCONNECTION, &IJT::m_copiedForConnection},
        {&XMLKey::JT_ACTIVEFILE, &IJT::m_activeFile},
        {&XMLKey::JT_ACTIVEACTIONID, &IJT::m_activeActionId},
        {&XMLKey::JT_HIERARCHY, &IJT::m_locationPath},
        {&XMLKey::JT_JOBSTATE, &IJT::m_jobState},
    }};
    return fields;
}

bool IJT::save(QString *errorMessage) const
{
    const QString folder = dir();
    if (folder.isEmpty()) {
        return fail(errorMessage, tr("Can't save the job ticket: no tickets folder is set"));
    }
    if (m_familyId.isEmpty() || FileManager::getPrefix(m_familyId) != m_familyId) {
        return fail(errorMessage,
                    tr("Can't save the job ticket: its family id '%1' is not a unique job "
                       "prefix such as _00001_")
                        .arg(m_familyId));
    }
    XmlDataWriter writer(XMLKey::JOBTICKET, kFormatVersion);
    write(writer);
    return writer.save(QDir(folder).filePath(FileManager::ticketFileName(m_familyId)),
                       errorMessage);
}

void IJT::write(XmlDataWriter &writer) const
{
    for (const auto &[name, member] : textFields()) {
        writer.writeTextElement(*name, this->*member);
    }
    writer.writeIntegerElement(XMLKey::JT_ARRIVALSTAMP, m_arrivalStamp);
    writer.writeIntegerElement(XMLKey::JT_STATE, m_state);

    writer.writeStartElement(XMLKey::JT_OCCURRENCES);
    for (const Occurrence &occurrence : m_occurrences) {
        writer.writeStartElement(XMLKey::JT_OCCURRENCE);
        writer.writeTextElement(XMLKey::JT_KIND, occurrence.kind);
        writer.writeTextElement(XMLKey::JT_OBJECTID, occurrence.objectId);
        writer.writeTextElement(XMLKey::JT_OBJECTNAME, occurrence.objectName);
        writer.writeTextElement(XMLKey::JT_FLOWID, occurrence.flowId);
        writer.writeTextElement(XMLKey::JT_FLOWNAME, occurrence.flowName);
        writer.writeTextElement(XMLKey::JT_TIME, timeText(occurrence.time));
        writer.writeEndElement();
    }
    writer.writeEndElement();

    writer.writeStartElement(XMLKey::JT_ACTIONS);
    for (const Action &action : m_actions) {
        writer.writeStartElement(XMLKey::JT_ACTION);
        writer.writeTextElement(XMLKey::JT_PARENTACTIONID, action.parentActionId);
        writer.writeTextElement(XMLKey::JT_ACTIONID, action.actionId);
        writer.writeTextElement(XMLKey::JT_PATH, action.path);
        writer.writeTextElement(XMLKey::JT_ELEMENTTYPE, action.elementType);
        writer.writeTextElement(XMLKey::JT_PRIORITY, action.priority);
        writer.writeEndElement();
    }
    writer.writeEndElement();

    writer.writeStartElement(XMLKey::JT_EMAILINFOS);
    for (const EmailInfo &info : m_emailInfos) {
        writer.writeStartElement(XMLKey::JT_EMAILINFO);
        writer.writeTextElement(XMLKey::JT_ADDRESSES, info.addresses);
        writer.writeTextElement(XMLKey::JT_BODY, info.body);
        writer.writeEndElement();
    }
    writer.writeEndElement();

    writer.writeStartElement(XMLKey::JT_PRIVATEDATA);
    for (auto it = m_privateData.cbegin(); it != m_privateData.cend(); ++it) {
        writer.writeStartElement(XMLKey::JT_ENTRY);
        writer.writeTextElement(XMLKey::JT_KEY, it.key());
        writer.writeTextElement(XMLKey::JT_VALUE, it.value());
        writer.writeEndElement();
    }
    writer.writeEndElement();

    writer.writeStartElement(XMLKey::JT_DATASETS);
    for (const Dataset &dataset : m_datasets) {
        writer.writeStartElement(XMLKey::JT_DATASET);
        writer.writeTextElement(XMLKey::JT_NAME, dataset.name);
        writer.writeTextElement(XMLKey::JT_MODEL, dataset.model);
        writer.writeTextElement(XMLKey::JT_BACKINGFILE, dataset.backingFile);
        writer.writeEndElement();
    }
    writer.writeEndElement();
}

std::unique_ptr<IJT> IJT::load(const QString &path, QString *errorMessage)
{
    QByteArray data;
    if (!XmlDataReader::readFile(path, &data, errorMessage)) {
        return nullptr;
    }
    XmlDataReader reader(data);
    std::unique_ptr<IJT> ticket(new IJT);
    if (!reader.readRoot(XMLKey::JOBTICKET, kFormatVersion) || !ticket->read(reader)
        || !reader.finish()) {
        fail(errorMessage, XmlDataReader::describeError(path, reader.error()));
        return nullptr;
    }
    return ticket;
}

bool IJT::read(XmlDataReader &reader)
{
    using ItemReader = bool (IJT::*)(XmlDataReader &);
    const auto readList = [this, &reader](const QString &itemName, ItemReader readItem) {
        while (reader.readNextChildElement()) {
            if (reader.name() != itemName) {
                return reader.raiseUnexpectedElement();
            }
            if (!(this->*readItem)(reader)) {
                return false;
            }
        }
        return !reader.hasError();
    };

    QSet<QString> seen;
    while (reader.readNextChildElement()) {
        const QString name = reader.name().toString();
        if (seen.contains(name)) {
            return reader.raiseDuplicateElement();
        }
        seen.insert(name);
        const auto text = std::find_if(textFields().cbegin(), textFields().cend(),
                                       [&name](const TextField &f) { return *f.first == name; });
        bool ok = false;
        if (text != textFields().cend()) {
            ok = reader.readText(&(this->*(text->second)));
        } else if (name == XMLKey::JT_ARRIVALSTAMP) {
            ok = reader.readInteger(&m_arrivalStamp, std::numeric_limits<qint64>::min(),
                                    std::numeric_limits<qint64>::max());
        } else if (name == XMLKey::JT_STATE) {
            qint64 state = 0;
            ok = reader.readInteger(&state, std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max());
            m_state = static_cast<int>(state);
        } else if (name == XMLKey::JT_OCCURRENCES) {
            ok = readList(XMLKey::JT_OCCURRENCE, &IJT::readOccurrence);
        } else if (name == XMLKey::JT_ACTIONS) {
            ok = readList(XMLKey::JT_ACTION, &IJT::readAction);
        } else if (name == XMLKey::JT_EMAILINFOS) {
            ok = readList(XMLKey::JT_EMAILINFO, &IJT::readEmailInfo);
        } else if (name == XMLKey::JT_PRIVATEDATA) {
            ok = readList(XMLKey::JT_ENTRY, &IJT::readPrivateData);
        } else if (name == XMLKey::JT_DATASETS) {
            ok = readList(XMLKey::JT_DATASET, &IJT::readDataset);
        } else {
            ok = reader.raiseUnexpectedElement();
        }
        if (!ok) {
            return false;
        }
    }
    if (reader.hasError()) {
        return false;
    }
    // The lists may be left out; the single values may not.
    for (const auto &[name, member] : textFields()) {
        if (!seen.contains(*name)) {
            return reader.raiseMissingElement(*name);
        }
    }
    for (const QString &name : {XMLKey::JT_ARRIVALSTAMP, XMLKey::JT_STATE}) {
        if (!seen.contains(name)) {
            return reader.raiseMissingElement(name);
        }
    }
    return true;
}

bool IJT::readOccurrence(XmlDataReader &reader)
{
    Occurrence occurrence;
    QString time;
    if (!readFields(reader, {{XMLKey::JT_KIND, &occurrence.kind},
                             {XMLKey::JT_OBJECTID, &occurrence.objectId},
                             {XMLKey::JT_OBJECTNAME, &occurrence.objectName},
                             {XMLKey::JT_FLOWID, &occurrence.flowId},
                             {XMLKey::JT_FLOWNAME, &occurrence.flowName},
                             {XMLKey::JT_TIME, &time}})) {
        return false;
    }
    occurrence.time = QDateTime::fromString(time, Qt::ISODateWithMs);
    if (!occurrence.time.isValid()) {
        return reader.raiseError(tr("Invalid time '%1'").arg(TextExcerpt::of(time)));
    }
    occurrence.time = occurrence.time.toUTC();
    m_occurrences.append(occurrence);
    return true;
}

bool IJT::readAction(XmlDataReader &reader)
{
    Action action;
    if (!readFields(reader, {{XMLKey::JT_PARENTACTIONID, &action.parentActionId},
                             {XMLKey::JT_ACTIONID, &action.actionId},
                             {XMLKey::JT_PATH, &action.path},
                             {XMLKey::JT_ELEMENTTYPE, &action.elementType},
                             {XMLKey::JT_PRIORITY, &action.priority}})) {
        return false;
    }
    m_actions.append(action);
    return true;
}

bool IJT::readEmailInfo(XmlDataReader &reader)
{
    EmailInfo info;
    if (!readFields(reader,
                    {{XMLKey::JT_ADDRESSES, &info.addresses}, {XMLKey::JT_BODY, &info.body}})) {
        return false;
    }
    m_emailInfos.append(info);
    return true;
}

bool IJT::readPrivateData(XmlDataReader &reader)
{
    QString key;
    QString value;
    if (!readFields(reader, {{XMLKey::JT_KEY, &key}, {XMLKey::JT_VALUE, &value}})) {
        return false;
    }
    if (m_privateData.contains(key)) {
        return reader.raiseError(
            tr("Private data key '%1' appears more than once").arg(TextExcerpt::of(key)));
    }
    m_privateData.insert(key, value);
    return true;
}

bool IJT::readDataset(XmlDataReader &reader)
{
    Dataset dataset;
    if (!readFields(reader, {{XMLKey::JT_NAME, &dataset.name},
                             {XMLKey::JT_MODEL, &dataset.model},
                             {XMLKey::JT_BACKINGFILE, &dataset.backingFile}})) {
        return false;
    }
    const bool duplicate =
        std::any_of(m_datasets.cbegin(), m_datasets.cend(),
                    [&dataset](const Dataset &d) { return d.name == dataset.name; });
    if (duplicate) {
        return reader.raiseError(
            tr("Dataset '%1' appears more than once").arg(TextExcerpt::of(dataset.name)));
    }
    if (!setDataset(dataset.name, dataset.model, dataset.backingFile)) {
        return reader.raiseError(
            tr("Invalid dataset '%1' with model '%2'")
                .arg(TextExcerpt::of(dataset.name), TextExcerpt::of(dataset.model)));
    }
    return true;
}

} // namespace SRCore
