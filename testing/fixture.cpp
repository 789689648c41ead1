#include "fixture.h"

#include "fixturearchive.h"
#include "fixtureitem.h"
#include "fixturetree.h"
#include "testinglogging.h"

#include "package/declaration.h"
#include "package/idocumentwindow.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

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

void Fixture::clear()
{
    m_testFlow.reset();
    m_jobTickets.clear();
    for (QString *folder : {&m_testFolderBase, &m_testFolder, &m_ticketsFolder, &m_flowFolder,
                            &m_datasetsFolder, &m_lastTestFolder}) {
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
    m_tree->basicItem()->setItemIcon(QIcon(
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
