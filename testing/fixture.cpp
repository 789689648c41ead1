#include "fixture.h"

#include "fixturearchive.h"
#include "fixtureexpectations.h"
#include "fixtureitem.h"
#include "fixturetree.h"
#include "scripterentriesmanager.h"
#include "testflowbuilder.h"
#include "testinglogging.h"

#include "package/declaration.h"
#include "package/idocumentwindow.h"
#include "package/objecttemplates.h"

#include "guilib/images/deferrediconengine.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

// An object read from a fixture file is taken only when it has every field the fixture relies
// on; the rest of its fields come from the templates anyway.
bool hasFields(const SRCore::FlowObject &object, const QStringList &required)
{
    if (object.isNull() || !object.hasField(XMLKey::TYPE)) {
        return false;
    }
    for (const QString &tag : required) {
        if (!object.hasField(tag)) {
            return false;
        }
    }
    return true;
}

} // namespace

Fixture::Fixture(IDocumentWindow *window, QWidget *parent)
    : QWidget(parent)
    , m_window(window)
    , m_toolBar(new QToolBar(this))
{
    setMinimumSize(150, 100);
    setFocusPolicy(Qt::ClickFocus);
    m_tree = new FixtureTree(this, this);

    m_toolBar->setOrientation(Qt::Horizontal);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setAllowedAreas(Qt::TopToolBarArea);
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->addAction(m_tree->addItemAction());
    m_toolBar->addAction(m_tree->addFileAction());
    m_toolBar->addAction(m_tree->addFolderAction());
    m_toolBar->addAction(m_tree->removeItemAction());
    auto *spacer = new QLabel(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    m_toolBar->addAction(m_tree->moveUpAction());
    m_toolBar->addAction(m_tree->moveDownAction());

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_tree);
}

Fixture::~Fixture()
{
    // The items reach the window through the fixture while they go, so the tree goes first.
    delete m_tree;
}

bool Fixture::saveToFile(const QString &path, QString *errorMessage)
{
    const Declaration *declaration = m_window->declaration();
    return FixtureArchive::write(path, declaration ? declaration->elementName() : QString(),
                                 *fixtureDocument(), errorMessage);
}

std::unique_ptr<SRCore::Flow> Fixture::fixtureDocument() const
{
    auto flow = SRCore::Flow::createEmptyFlow(QStringLiteral("1"));
    SRCore::FlowObject header = flow->getHeader();
    header.createField(XMLKey::TYPE).setValue(XMLValues::FLOW);
    const QString elementName = m_tree->basicItem()->value(XMLKey::ELEMENTNAME);
    header.createField(XMLKey::NAME)
        .setValue(elementName.isEmpty() ? tr("Test Flow") : elementName);
    header.createField(XMLKey::RUNNING).setValue(XMLValues::NO);
    header.createField(XMLKey::DESCRIPTION).setValue(tr("Flow for testing script package"));

    // Ids in tree order: the basic settings, the jobs, then the connections.
    int id = 1;
    const auto add = [&flow, &id](const FixtureItem *item) {
        SRCore::FlowObject copy = item->object().clone();
        FixtureExpectations::removeUnsetFields(copy);
        copy.setProperty(XMLKey::ID_, QString::number(id++));
        flow->createFlowObject(copy);
    };
    add(m_tree->basicItem());
    for (const FixtureItem *group : {m_tree->incomingGroup(), m_tree->outgoingGroup()}) {
        for (int i = 0; i < group->childCount(); ++i) {
            add(static_cast<const FixtureItem *>(group->child(i)));
        }
    }
    return flow;
}

bool Fixture::loadFromFile(const QString &path)
{
    FixtureArchive::Content content;
    if (!FixtureArchive::read(path, content, m_window->logInterface())) {
        log(SRCore::LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP(
                "LogMessages", "Can't read information from fixture '%11' for package '%12'")),
            content.fixtureFileName + QLatin1Char(',') + path);
        return false;
    }

    // The file replaces the jobs and connections; the basic item stays, so that it keeps its
    // values when the file has no usable basic settings.
    for (FixtureItem *group : {m_tree->incomingGroup(), m_tree->outgoingGroup()}) {
        qDeleteAll(group->takeChildren());
    }
    const SRCore::Flow &flow = *content.flow;
    dropMalformedExpectations(flow, path);
    const SRCore::FlowObject basic = flow.getFlowObjects(XMLKey::SCR_BASICTESTPROPERTIES).value(0);
    if (hasFields(basic, {XMLKey::TESTFOLDER, XMLKey::GLOBALDATA, XMLKey::FLOWNAME,
                          XMLKey::ELEMENTNAME})) {
        m_tree->basicItem()->setObject(basic);
    } else {
        log(SRCore::LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP(
                "LogMessages", "Can't read basic test properties from fixture '%11' for package "
                               "'%12'")),
            content.fixtureFileName + QLatin1Char(',') + path);
    }
    // "MetadataDatasets" came later than the other job fields; files without it are fine.
    for (const SRCore::FlowObject &job : flow.getFlowObjects(XMLKey::SCR_INCOMMINGJOBS)) {
        if (hasFields(job, {XMLKey::FILEORFOLDER, XMLKey::ENABLED, XMLKey::CONNECTIONNAME,
                            XMLKey::HIERARCHYINFO, XMLKey::EMAILADDRESSES, XMLKey::EMAILBODYTEXT,
                            XMLKey::JOBSTATE, XMLKey::USERDATA})) {
            new FixtureItem(this, job, FixtureItem::IncomingJob, m_tree->incomingGroup());
        }
    }
    for (const SRCore::FlowObject &connection :
         flow.getFlowObjects(XMLKey::SCR_OUTGOINGCONNECTIONS)) {
        if (hasFields(connection, {XMLKey::CONNECTIONNAME, XMLKey::ENABLED, XMLKey::HOLDFILES})) {
            new FixtureItem(this, connection, FixtureItem::OutgoingConnection,
                            m_tree->outgoingGroup());
        }
    }
    m_tree->setCurrentItem(m_tree->basicItem());
    m_tree->updateSelections();
    m_tree->updateActions();
    return true;
}

void Fixture::dropMalformedExpectations(const SRCore::Flow &document, const QString &path) const
{
    QStringList dropped;
    for (SRCore::FlowObject object : document.getFlowObjects()) {
        FixtureExpectations::sanitize(object, &dropped);
    }
    for (const QString &what : dropped) {
        log(SRCore::LogLevel::Error,
            QStringLiteral(
                QT_TRANSLATE_NOOP("LogMessages", "Expected result dropped from the fixture: %1")),
            tr("%1 (in '%2')").arg(what, QDir::toNativeSeparators(path)));
    }
}

bool Fixture::isCurrentJob(const FixtureItem *item) const
{
    const FixtureItem *group = m_tree->incomingGroup();
    if (item == m_tree->currentFixtureItem() || group->childCount() == 1) {
        return true;
    }
    int enabled = 0;
    const FixtureItem *onlyEnabled = nullptr;
    for (int i = 0; i < group->childCount(); ++i) {
        const auto *job = static_cast<const FixtureItem *>(group->child(i));
        if (job->isEnabledForTest()) {
            ++enabled;
            onlyEnabled = job;
        }
    }
    return enabled == 1 && onlyEnabled == item;
}

QString Fixture::folder() const
{
    const QString folder = m_window->packageFolder();
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

QString Fixture::jobPath(const FixtureItem &job) const
{
    const QString path = job.value(XMLKey::FILEORFOLDER);
    return path.isEmpty() ? path : QDir::cleanPath(QDir(folder()).absoluteFilePath(path));
}

bool Fixture::buildTestFlow()
{
    TestFlowBuilder::Input input;
    input.documentNumber = m_window->documentNumber();
    input.packageFilePath = m_window->packageFilePath();
    input.fixtureFolder = folder();
    input.basicSettings = m_tree->basicItem()->object();

    // The script element and its connections carry what the declaration defines for them.
    input.scriptElement = ObjectTemplates::defaultObject(XMLValues::SCRIPTELEMENT);
    if (const Declaration *declaration = m_window->declaration()) {
        input.scriptElement.injectPropertiesFromXML(declaration->elementFieldsXml());
        declaration->exportBasicProperties(input.scriptElement, XMLKey::ELEMENTFIELDS);
        input.connectionTemplate = ObjectTemplates::defaultObject(
            input.scriptElement.getField(XMLKey::CONNECTIONTYPE).getValue());
        if (!input.connectionTemplate.isNull()) {
            input.connectionTemplate.injectPropertiesFromXML(declaration->connectionFieldsXml());
            declaration->exportBasicProperties(input.connectionTemplate, XMLKey::CONNECTIONFIELDS);
        }
        input.elementPropertyTags = declaration->elementPropertyTags();
        input.connectionPropertyTags = declaration->connectionPropertyTags();
    }
    const FixtureItem *jobs = m_tree->incomingGroup();
    for (int i = 0; i < jobs->childCount(); ++i) {
        const auto *item = static_cast<const FixtureItem *>(jobs->child(i));
        input.jobs.append({item->object(), item->text(0), isCurrentJob(item)});
    }
    const FixtureItem *connections = m_tree->outgoingGroup();
    for (int i = 0; i < connections->childCount(); ++i) {
        const auto *item = static_cast<const FixtureItem *>(connections->child(i));
        input.connections.append(
            {item->object(), item->text(0), item == m_tree->currentFixtureItem()});
    }

    TestFlowBuilder builder([this](int level, const char *message, const QString &argument) {
        log(level, QString::fromLatin1(message), argument);
    });
    TestFlowBuilder::Result result;
    const bool built = builder.build(input, result);

    m_testFlow = std::move(result.flow);
    m_jobTickets.clear();
    if (result.currentTicket) {
        m_jobTickets[true] = std::move(result.currentTicket);
    }
    if (result.otherTicket) {
        m_jobTickets[false] = std::move(result.otherTicket);
    }
    // The selected connection is only replaced when the build finds one.
    if (!result.currentConnection.isNull()) {
        m_connections.insert(true, result.currentConnection);
    }
    m_testFolderBase = result.testFolderBase;
    m_testFolder = result.testFolder;
    m_ticketsFolder = result.ticketsFolder;
    m_flowFolder = result.flowFolder;
    m_datasetsFolder = result.datasetsFolder;
    m_createdFolders = result.createdFolders;
    if (!m_testFolderBase.isEmpty()) {
        m_tree->basicItem()->setPropertyValue(XMLKey::TESTFOLDER, m_testFolderBase);
    }
    if (!m_testFolder.isEmpty()) {
        if (ScripterEntriesManager *manager = ScripterEntriesManager::instance()) {
            manager->reloadUserGlobalData(m_testFolder);
        }
    }
    return built;
}

FixtureExpectations Fixture::expectations() const
{
    return FixtureExpectations::read(*fixtureDocument());
}

QMap<QString, QString> Fixture::outgoingFolders() const
{
    QMap<QString, QString> folders;
    if (!m_testFlow) {
        return folders;
    }
    const QString elementId = QStringLiteral("1");
    for (const SRCore::FlowObject &object : m_testFlow->getFlowObjects()) {
        if (object.getField(XMLKey::SOURCEOBJECT).getValue() != elementId) {
            continue;
        }
        const SRCore::FlowObject folder =
            m_testFlow->getFlowObject(object.getField(XMLKey::DESTOBJECT).getValue());
        if (!folder.isNull()) {
            folders.insert(object.getName(), folder.getField(XMLKey::PATH).getValue());
        }
    }
    return folders;
}

QMap<QString, QMap<QString, QString>> Fixture::jobPrivateData() const
{
    QMap<QString, QMap<QString, QString>> data;
    for (const auto &[current, ticket] : m_jobTickets) {
        Q_UNUSED(current)
        QMap<QString, QString> values;
        for (const QString &key : ticket->getPrivateDataKeys()) {
            values.insert(key, ticket->getPrivateData(key));
        }
        const QString name = QFileInfo(ticket->getActiveFileName()).fileName();
        data.insert(SRCore::FileManager::fileNameWithoutPrefix(name), values);
    }
    return data;
}

void Fixture::showRunOutputs(const RunSummary &summary)
{
    m_tree->showRunOutputs(summary);
}

SRCore::IJT *Fixture::currentJobTicket() const
{
    const auto it = m_jobTickets.find(true);
    return it == m_jobTickets.end() ? nullptr : it->second.get();
}

QString Fixture::currentJobName(bool withoutPrefix) const
{
    const SRCore::IJT *ticket = currentJobTicket();
    if (!ticket) {
        return QString();
    }
    const QString name = ticket->getActiveFileName();
    return withoutPrefix ? SRCore::FileManager::fileNameWithoutPrefix(name) : name;
}

void Fixture::clear()
{
    m_testFlow.reset();
    m_jobTickets.clear();
    for (QString *folder :
         {&m_testFolderBase, &m_testFolder, &m_ticketsFolder, &m_flowFolder, &m_datasetsFolder}) {
        folder->clear();
    }
    m_tree->reset();
}

void Fixture::setBasicItemText(const QString &text)
{
    m_tree->basicItem()->setText(0, text);
}

void Fixture::setBasicItemIcon(const QString &path)
{
    m_tree->basicItem()->setItemIcon(GuiLib::DeferredIconEngine::icon(
        path.isEmpty() ? QStringLiteral(":/Images/Ui_scripter/img_ScriptDefault.png") : path));
}

void Fixture::refreshBasicProperties()
{
    m_tree->basicItem()->refreshProperties();
}

void Fixture::refreshConnectionProperties()
{
    const FixtureItem *group = m_tree->outgoingGroup();
    for (int i = 0; i < group->childCount(); ++i) {
        static_cast<FixtureItem *>(group->child(i))->refreshProperties();
    }
}

void Fixture::log(int level, const QString &message, const QString &argument) const
{
    SRCore::ILogInterface *logInterface = m_window->logInterface();
    if (!logInterface) {
        qCWarning(lcTesting).noquote() << "No message pane for:" << message << argument;
        return;
    }
    if (level == SRCore::LogLevel::Refused) {
        logInterface->log(SRCore::LogRecord(
            SRCore::LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP(
                "LogMessages",
                "Log message of level 0 is not allowed; message '%1' is not logged")),
            QString(), QString(), QString(), message));
        return;
    }
    logInterface->log(SRCore::LogRecord(level, message, QString(), QString(), QString(), argument));
}

void Fixture::activate()
{
    if (m_active) {
        return;
    }
    m_window->activatePanel(IDocumentWindow::Panel::Fixture);
    m_tree->updateSelections();
}

void Fixture::updatePreview(bool active)
{
    m_active = active;
    QPalette palette = m_tree->palette();
    const QColor highlight = active ? QColor(Qt::darkBlue) : QColor(Qt::gray);
    const QColor highlightedText = active ? QColor(Qt::white) : QColor(Qt::black);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, highlight);
        palette.setColor(group, QPalette::HighlightedText, highlightedText);
    }
    m_tree->setPalette(palette);
    if (active) {
        m_tree->setFocus();
    }
}

void Fixture::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason) {
        activate();
    }
}

} // namespace Scripter
