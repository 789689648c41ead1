#include "jobbasic.h"

#include "iframeworkentriesmanager.h"
#include "iframeworkenvironment.h"
#include "propertyvalue.h"
#include "runrecorder.h"

#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/logrecord.h"
#include "corelib/metadata/metadata.h"
#include "corelib/metadata/metadatamanager.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Sizes and counts of a job: the file itself, or every file below the folder.
template<typename Add>
void forEachFile(const QString &path, Add add)
{
    const QFileInfo info(path);
    if (info.isFile()) {
        add(info);
        return;
    }
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        add(it.nextFileInfo());
    }
}

} // namespace

JobBasic::JobBasic(SRCore::IJT *ticket, IFrameworkEnvironment *environment,
                   SRCore::ILogInterface *log, QObject *parent)
    : FrameworkObject(environment, log, parent)
    , m_ticket(ticket)
{
    Q_ASSERT(m_ticket);
}

JobBasic::JobBasic(std::unique_ptr<SRCore::IJT> ticket, IFrameworkEnvironment *environment,
                   SRCore::ILogInterface *log, QObject *parent)
    : FrameworkObject(environment, log, parent)
    , m_ownedTicket(std::move(ticket))
    , m_ticket(m_ownedTicket.get())
{
    Q_ASSERT(m_ticket);
}

JobBasic::~JobBasic() = default;

QString JobBasic::jobName() const
{
    return m_ticket->getActiveFileName();
}

QString JobBasic::getPath() const
{
    return m_ticket->getActiveFilePath();
}

QString JobBasic::getName() const
{
    return SRCore::FileManager::fileNameWithoutPrefix(getPath());
}

QString JobBasic::getNameProper() const
{
    const QString name = getName();
    if (isFolder()) {
        return name;
    }
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString JobBasic::getExtension() const
{
    const QString name = getName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return isFolder() || dot <= 0 ? QString() : name.mid(dot + 1);
}

QString JobBasic::getUniqueNamePrefix() const
{
    const QString prefix = SRCore::FileManager::getPrefix(getPath());
    return prefix.isEmpty() ? m_ticket->getFamilyID() : prefix;
}

bool JobBasic::isFile() const
{
    return QFileInfo(getPath()).isFile();
}

bool JobBasic::isFolder() const
{
    return QFileInfo(getPath()).isDir();
}

qint64 JobBasic::getByteCount() const
{
    qint64 bytes = 0;
    forEachFile(getPath(), [&bytes](const QFileInfo &file) { bytes += file.size(); });
    return bytes;
}

int JobBasic::getFileCount() const
{
    int count = 0;
    forEachFile(getPath(), [&count](const QFileInfo &) { ++count; });
    return count;
}

QString JobBasic::getPrivateData(const QString &tag) const
{
    return m_ticket->getPrivateData(tag);
}

void JobBasic::setPrivateData(const QString &tag, const QString &value)
{
    const QString oldValue = m_ticket->getPrivateData(tag);
    m_ticket->setPrivateData(tag, value);
    environment()->recorder().recordChange(RunSummary::DataChange::Scope::PrivateData, jobName(),
                                           tag, oldValue, value);
}

QStringList JobBasic::getPrivateDataTags() const
{
    return m_ticket->getPrivateDataKeys();
}

QStringList JobBasic::getHierarchyPath() const
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    return m_ticket->getLocationPath().split(lineBreak, Qt::SkipEmptyParts);
}

void JobBasic::setHierarchyPath(const QStringList &segments)
{
    m_ticket->setLocationPath(segments.join(QLatin1Char('\n')));
}

QStringList JobBasic::getEmailAddresses() const
{
    QStringList addresses;
    for (const SRCore::IJT::EmailInfo &info : m_ticket->getEmailInfos()) {
        for (const QString &address : info.addresses.split(QLatin1Char(';'))) {
            if (!address.trimmed().isEmpty()) {
                addresses.append(address.trimmed());
            }
        }
    }
    return addresses;
}

void JobBasic::setEmailAddresses(const QStringList &addresses)
{
    m_ticket->setEmailInfos({{addresses.join(QLatin1Char(';')), getEmailBody()}});
}

QString JobBasic::getEmailBody() const
{
    return m_ticket->getEmailInfos().value(0).body;
}

void JobBasic::setEmailBody(const QString &body)
{
    QList<SRCore::IJT::EmailInfo> infos = m_ticket->getEmailInfos();
    if (infos.isEmpty()) {
        infos.append(SRCore::IJT::EmailInfo());
    }
    infos.first().body = body;
    m_ticket->setEmailInfos(infos);
}

QString JobBasic::getJobState() const
{
    return m_ticket->getJobState();
}

void JobBasic::setJobState(const QString &state)
{
    m_ticket->setJobState(state);
}

Dataset *JobBasic::wrap(std::unique_ptr<SRCore::Metadata> metadata) const
{
    return new Dataset(std::move(metadata), environment(), getLogInterface(), runScope());
}

Dataset *JobBasic::getDataset(const QString &name) const
{
    QString error;
    std::unique_ptr<SRCore::Metadata> metadata =
        SRCore::MetadataManager::instance()->openDataset(*m_ticket, name, &error);
    if (!metadata) {
        raiseError(error);
        return nullptr;
    }
    return wrap(std::move(metadata));
}

QStringList JobBasic::getDatasetTags() const
{
    QStringList names;
    for (const SRCore::IJT::Dataset &dataset : m_ticket->getJobDatasets()) {
        names.append(dataset.name);
    }
    return names;
}

QString JobBasic::datasetsFolder()
{
    return SRCore::MetadataManager::instance()->datasetFolder();
}

void JobBasic::setDataset(const QString &name, Dataset *dataset)
{
    if (!dataset) {
        raiseError(tr("setDataset needs a Dataset, as getDataset or createDataset give"));
        return;
    }
    if (name.isEmpty()) {
        raiseError(tr("A dataset needs a name"));
        return;
    }
    // A backing file made by the script lies in the run's temporary folder, which goes when the
    // run ends; the datasets folder keeps it for the jobs that carry it.
    QString path = dataset->getPath();
    const QString folder = datasetsFolder();
    if (!folder.isEmpty()
        && QFileInfo(path).absolutePath() != QFileInfo(folder).absoluteFilePath()) {
        // The name is the script's text; only harmless characters reach the file name.
        static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
        const QString fileName =
            QString(getUniqueNamePrefix() + name).replace(unsafe, QStringLiteral("_"));
        const QString copy =
            SRCore::FileHandler::freshPath(folder, fileName, QFileInfo(path).suffix());
        QString error;
        if (!SRCore::FileHandler::copy(path, copy, nullptr, &error)) {
            raiseError(tr("The dataset '%1' can't be kept: %2").arg(name, error));
            return;
        }
        path = copy;
    }
    m_ticket->setDataset(name, dataset->getModel(), path);
}

Dataset *JobBasic::createDataset(const QString &model, const QString &path) const
{
    QString error;
    std::unique_ptr<SRCore::Metadata> metadata = SRCore::MetadataManager::instance()->open(
        model, QFileInfo(path).absoluteFilePath(), &error);
    if (!metadata) {
        raiseError(error);
        return nullptr;
    }
    return wrap(std::move(metadata));
}

QString JobBasic::getVariableAsString(const QString &text) const
{
    IFrameworkEntriesManager *manager = entriesManager();
    const SRCore::Flow *flow = manager ? manager->getFlow(QString()) : nullptr;
    const PropertyValue::Result result =
        PropertyValue::evaluateText(text, {flow, QStringLiteral("1"), QString(), m_ticket});
    for (const QString &warning : result.warnings) {
        logRunMessage(SRCore::LogLevel::Warning,
                      QT_TRANSLATE_NOOP("LogMessages", "Variable without a value: %1"), {warning},
                      jobName());
    }
    if (!result.ok()) {
        raiseError(result.errorMessage);
    }
    return result.value;
}

void JobBasic::log(int level, const QString &message, const QVariantList &arguments) const
{
    logScriptMessage(level, message, arguments, jobName());
}
