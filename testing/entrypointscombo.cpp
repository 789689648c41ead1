#include "entrypointscombo.h"

#include "entrypointitem.h"
#include "entrypoints.h"
#include "fixture.h"
#include "fixtureitem.h"
#include "fixturetree.h"
#include "itestwindow.h"
#include "testinglogging.h"

#include "package/objecttemplates.h"

#include "corelib/common/xmlerror.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDomDocument>
#include <QFile>
#include <QMenu>
#include <QStandardItemModel>

namespace Scripter {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

EntryPointsCombo::EntryPointsCombo(ITestWindow *window, QWidget *parent)
    : QComboBox(parent)
    , m_window(window)
    , m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    setFrame(false);
    setIconSize(QSize(32, 32));
    QPalette colours = palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, colours.color(group, QPalette::Window));
    }
    setPalette(colours);
    m_availabilityTimer.setInterval(kAvailabilityIntervalMs);
}

EntryPointsCombo::~EntryPointsCombo() = default;

void EntryPointsCombo::populate(QMenu *menu)
{
    const QString resource = ObjectTemplates::entryPointsPath();
    QFile file(resource);
    QDomDocument document;
    SRCore::XmlError error;
    if (!file.open(QIODevice::ReadOnly)
        || !SRCore::parseXmlDocument(file.readAll(), document, &error)) {
        qCWarning(lcTesting) << "The entry point table" << resource
                             << "cannot be read:" << error.toString();
        return;
    }
    for (QDomElement group = document.documentElement().firstChildElement(XMLKey::SCR_GROUP);
         !group.isNull(); group = group.nextSiblingElement(XMLKey::SCR_GROUP)) {
        for (QDomElement entry = group.firstChildElement(XMLKey::SCR_ENTRYPOINT); !entry.isNull();
             entry = entry.nextSiblingElement(XMLKey::SCR_ENTRYPOINT)) {
            auto *item = new EntryPointItem(
                entry.attribute(XMLKey::SCR_NAME), entry.attribute(XMLKey::SCR_FUNCNAME),
                entry.attribute(XMLKey::SCR_ICON), entry.attribute(XMLKey::SCR_SCRIPTTEST),
                entry.attribute(XMLKey::SCR_TOOLTIP),
                entry.attribute(XMLKey::SCR_JOBDEPEND) == XMLValues::YES, this);
            m_model->appendRow(item);
            menu->addAction(item->action());
        }
        menu->addSeparator();
    }
    setMaxVisibleItems(m_model->rowCount());
    connect(this, &QComboBox::currentIndexChanged, this, &EntryPointsCombo::currentItemChanged);
    connect(&m_availabilityTimer, &QTimer::timeout, this,
            qOverload<>(&EntryPointsCombo::updateAvailability));
    m_availabilityTimer.start();
}

void EntryPointsCombo::setRunAction(QAction *action)
{
    m_runAction = action;
}

QList<QAction *> EntryPointsCombo::entryPointActions() const
{
    QList<QAction *> actions;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        actions.append(item(row)->action());
    }
    return actions;
}

EntryPointItem *EntryPointsCombo::item(int row) const
{
    return static_cast<EntryPointItem *>(m_model->item(row));
}

int EntryPointsCombo::currentEntryPoint() const
{
    const EntryPointItem *current = item(currentIndex());
    return current ? current->entryPoint() : int(EntryPoints::Count);
}

bool EntryPointsCombo::isAppleScript() const
{
    return m_window->currentLanguage() == XMLValues::APPLESCRIPT;
}

bool EntryPointsCombo::hasTarget(const EntryPointItem *item) const
{
    if (!item->isJobDependent()) {
        return true;
    }
    return EntryPoints::usesConnection(item->entryPoint()) ? m_hasConnection : m_hasJob;
}

QString EntryPointsCombo::hint() const
{
    // The fixture is gone while the window is being destroyed.
    const Fixture *fixture = m_window->fixture();
    if (!fixture || !fixture->isVisibleTo(m_window->widget())) {
        return tr("Show the fixture pane (View menu) to test entry points");
    }
    const EntryPointItem *current = item(currentIndex());
    if (!m_actionsEnabled || !current) {
        return QString();
    }
    if (isAppleScript()) {
        return tr("Entry points of an AppleScript script can't be tested here");
    }
    if (!current->action()->isEnabled()) {
        if (!hasTarget(current)) {
            return EntryPoints::usesConnection(current->entryPoint())
                       ? tr("Select an enabled outgoing connection in the fixture pane to "
                            "test %1")
                             .arg(current->text())
                       : tr("Select an enabled incoming job in the fixture pane to test %1")
                             .arg(current->text());
        }
        return tr("The script defines no %1 function").arg(current->functionName());
    }
    return current->toolTip();
}

void EntryPointsCombo::setEnabledActions(bool enable)
{
    m_actionsEnabled = enable;
    if (enable) {
        m_updatePending = true;
        updateAvailability(true);
        return;
    }
    disableAll();
}

void EntryPointsCombo::disableAll()
{
    for (QAction *action : entryPointActions()) {
        action->setEnabled(false);
    }
    if (m_runAction) {
        m_runAction->setEnabled(false);
    }
    setToolTip(hint());
}

void EntryPointsCombo::setUpdateItemEnabled()
{
    m_updatePending = true;
    m_availabilityTimer.start();
}

void EntryPointsCombo::updateAvailability()
{
    updateAvailability(false);
}

void EntryPointsCombo::updateAvailability(bool ensureUpdate)
{
    if (!m_updatePending && !ensureUpdate) {
        return;
    }
    m_updatePending = false;
    if (!m_actionsEnabled || isAppleScript()) {
        disableAll();
        return;
    }
    const QStringList functions = m_window->scriptFunctions(m_window->currentLanguage());
    const FixtureTree *tree = m_window->fixture()->tree();
    m_hasJob = tree->hasUsableItem(FixtureItem::IncomingGroup);
    m_hasConnection = tree->hasUsableItem(FixtureItem::OutgoingGroup);
    for (int row = 0; row < m_model->rowCount(); ++row) {
        EntryPointItem *entry = item(row);
        const bool defined =
            entry->functionName().isEmpty() || functions.contains(entry->functionName());
        entry->showDefined(defined);
        entry->action()->setEnabled(defined && hasTarget(entry));
    }
    currentItemChanged(currentIndex());
}

void EntryPointsCombo::currentItemChanged(int index)
{
    setToolTip(hint());
    if (!m_runAction) {
        return;
    }
    const EntryPointItem *current = item(index);
    m_runAction->setEnabled(m_actionsEnabled && !isAppleScript() && current
                            && current->action()->isEnabled());
}

} // namespace Scripter
