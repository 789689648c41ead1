#include "fixtureitem.h"

#include "fixture.h"
#include "fixtureexpectations.h"
#include "testinglogging.h"

#include "package/declaration.h"
#include "package/idocumentwindow.h"
#include "package/objecttemplates.h"

#include "guilib/images/deferrediconengine.h"
#include "guilib/images/imagecache.h"
#include "guilib/property/ipropertygroup.h"
#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QBrush>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

QIcon image(const char *name)
{
    return GuiLib::DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/")
                                            + QLatin1String(name));
}

QStringList editorList(const SRCore::FlowObjectField &field)
{
    return field.getProperty(XMLKey::EDITOR).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

bool shows(const GuiLib::PropertiesExplorer *explorer, const GuiLib::IProperty *properties)
{
    return explorer && properties && explorer->propertiesModel()->root() == properties;
}

// A field that gets no property in a property set.
bool hasNoProperty(const SRCore::FlowObjectField &field)
{
    const QString editor = field.getProperty(XMLKey::EDITOR);
    return field.isNull() || editor.isEmpty()
           || editor.compare(XMLValues::HIDE, Qt::CaseInsensitive) == 0;
}

// The value a field has while the user has not set one: its declared default; a yes-no field
// without a usable default is off.
QString defaultValue(const SRCore::FlowObjectField &field)
{
    const QString value = field.getProperty(XMLKey::DEFAULT);
    if (field.getProperty(XMLKey::TYPE) == XMLValues::EDITORTYPE_BOOL && value != XMLValues::YES
        && value != XMLValues::NO) {
        return XMLValues::NO;
    }
    return value;
}

// A value that still equals the default its field was given is the default, not the user's
// choice: it follows the definition when the default changes.
bool isUsersValue(const SRCore::FlowObjectField &field)
{
    return !field.hasProperty(XMLKey::DEFAULT) || field.getValue() != defaultValue(field);
}

void hideField(SRCore::FlowObject &object, const QString &tag)
{
    SRCore::FlowObjectField field = object.getField(tag);
    if (!field.isNull()) {
        field.setProperty(XMLKey::EDITOR, XMLValues::HIDE);
    }
}

} // namespace

FixtureItem::FixtureItem(Fixture *fixture, int kind, QTreeWidgetItem *parent)
    : QTreeWidgetItem(parent, kind)
    , m_fixture(fixture)
{
    switch (kind) {
    case BasicSettings:
        setText(0, QStringLiteral("TavrixScript")
                       + QString::number(m_fixture->window()->documentNumber()));
        setToolTip(0, tr("Basic test settings"));
        m_icon = image("img_ScriptDefault.png");
        break;
    case IncomingGroup:
        setText(0, tr("Incoming jobs"));
        m_icon = image("img_App.png");
        break;
    case OutgoingGroup:
        setText(0, tr("Outgoing connections"));
        m_icon = image("img_Connect.png");
        break;
    case IncomingJob:
        setText(0, tr("FileOrFolder%1").arg(m_fixture->takeItemNumber()));
        m_icon = image("img_FileOrFolder.png");
        break;
    case OutgoingConnection:
        setText(0, tr("Connection%1").arg(m_fixture->takeItemNumber()));
        m_icon = image("img_Connection.png");
        break;
    default:
        setText(0, tr("unknown item"));
        m_icon = image("img_Temp.png");
        break;
    }
    setIcon(0, m_icon);
    if (objectTypeOfKind(kind).isEmpty()) {
        return;
    }
    buildProperties();
    // A new job or connection is known by its name until the user gives it a file or a name.
    if (kind == IncomingJob || kind == OutgoingConnection) {
        const QString tag = kind == IncomingJob ? XMLKey::FILEORFOLDER : XMLKey::CONNECTIONNAME;
        if (GuiLib::IProperty *property = GuiLib::findProperty(m_properties.get(), tag)) {
            property->setValue(text(0), true, false);
        }
        m_object.getField(tag).setValue(text(0));
        setEnabledLook(isEnabledForTest());
    }
}

FixtureItem::FixtureItem(Fixture *fixture, const SRCore::FlowObject &object, int kind,
                         QTreeWidgetItem *parent)
    : QTreeWidgetItem(parent, kind)
    , m_fixture(fixture)
    , m_object(object.clone())
{
    Q_ASSERT(kind == IncomingJob || kind == OutgoingConnection);
    buildProperties();
    if (kind == IncomingJob) {
        showPathLook(value(XMLKey::FILEORFOLDER));
    } else {
        setText(0, value(XMLKey::CONNECTIONNAME));
        setItemIcon(image("img_Connection.png"));
    }
    setEnabledLook(isEnabledForTest());
}

FixtureItem::~FixtureItem()
{
    GuiLib::PropertiesExplorer *explorer = m_fixture->window()->propertiesExplorer();
    if (shows(explorer, m_properties.get())) {
        explorer->loadProperties(nullptr);
    }
}

QString FixtureItem::objectTypeOfKind(int kind)
{
    switch (kind) {
    case BasicSettings:
        return XMLKey::SCR_BASICTESTPROPERTIES;
    case IncomingJob:
        return XMLKey::SCR_INCOMMINGJOBS;
    case OutgoingConnection:
        return XMLKey::SCR_OUTGOINGCONNECTIONS;
    default:
        return QString();
    }
}

QString FixtureItem::value(const QString &tag) const
{
    return m_object.getField(tag).getValue();
}

bool FixtureItem::setPropertyValue(const QString &tag, const QString &value)
{
    GuiLib::IProperty *property = GuiLib::findProperty(m_properties.get(), tag);
    if (!property) {
        return false;
    }
    property->setValue(value, false, false);
    return true;
}

bool FixtureItem::isJobOrConnection() const
{
    return kind() == IncomingJob || kind() == OutgoingConnection;
}

bool FixtureItem::isEnabledForTest() const
{
    return value(XMLKey::ENABLED) == XMLValues::YES;
}

void FixtureItem::setObject(const SRCore::FlowObject &object)
{
    m_object = object.clone();
    buildProperties();
}

void FixtureItem::refreshProperties()
{
    if (!objectTypeOfKind(kind()).isEmpty()) {
        buildProperties();
    }
}

void FixtureItem::setEnabledLook(bool enabled)
{
    if (!isJobOrConnection()) {
        return;
    }
    // A job left out of the test stays selectable, so that it can be inspected, moved and
    // removed: only its icon and its text show that it is off.
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setIcon(0, enabled ? m_icon : image("img_Unchecked.png"));
    setForeground(0, enabled ? QBrush() : QBrush(Qt::gray));
}

void FixtureItem::setItemIcon(const QIcon &icon)
{
    m_icon = icon;
    if (!isJobOrConnection() || isEnabledForTest()) {
        setIcon(0, icon);
    }
}

QString FixtureItem::ownerLabel() const
{
    return QString();
}

QObject *FixtureItem::owner() const
{
    return m_fixture;
}

bool FixtureItem::validateProperty(const QString &tag, QString &message) const
{
    Q_UNUSED(tag)
    Q_UNUSED(message)
    return true;
}

QString FixtureItem::objectType() const
{
    return XMLKey::SCRIPTFIXTURE;
}

QString FixtureItem::fieldAttribute(const QString &fieldTag, const QString &attribute) const
{
    return m_object.getField(fieldTag).getProperty(attribute);
}

QStringList FixtureItem::libraryForProperty(const QString &tag)
{
    return m_fixture->window()->libraryForProperty(tag, kind() == OutgoingConnection);
}

QString FixtureItem::presetDescription() const
{
    return QString();
}

void FixtureItem::itemSelected()
{
    if (GuiLib::PropertiesExplorer *explorer = m_fixture->window()->propertiesExplorer()) {
        explorer->loadProperties(m_properties.get());
    }
}

void FixtureItem::propertyChangedHandler()
{
    const auto *property = qobject_cast<const GuiLib::IProperty *>(sender());
    if (!property) {
        return;
    }
    const QString tag = property->tag();
    const QString newValue = property->value().toString();
    SRCore::FlowObjectField field = m_object.getField(tag);
    if (!field.isNull()) {
        field.setValue(newValue);
        if (property->editor().isEmpty()) {
            field.removeProperty(XMLKey::SUBTYPE);
        } else {
            field.setProperty(XMLKey::SUBTYPE, property->editor());
        }
    }
    m_fixture->window()->markModified();

    if (kind() == OutgoingConnection && tag == XMLKey::TRAFFICTYPE) {
        // The traffic type decides which outcome fields show. The set is rebuilt once control
        // is back in the event loop: the property that is still emitting belongs to it.
        if (!m_refreshQueued) {
            m_refreshQueued = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_refreshQueued = false;
                    refreshProperties();
                },
                Qt::QueuedConnection);
        }
    } else if (isJobOrConnection() && tag == XMLKey::ENABLED) {
        setEnabledLook(newValue == XMLValues::YES);
    } else if (kind() == IncomingJob && tag == XMLKey::FILEORFOLDER) {
        showPathLook(newValue);
    } else if (kind() == OutgoingConnection && tag == XMLKey::CONNECTIONNAME) {
        // A connection read from a file is shown by this name, so the tree shows it already.
        setText(0, newValue);
    }
}

SRCore::FlowObject FixtureItem::composeObject() const
{
    SRCore::FlowObject object = ObjectTemplates::defaultObject(objectTypeOfKind(kind()));
    if (object.isNull()) {
        qCCritical(lcTesting) << "no template for" << objectTypeOfKind(kind());
        return object;
    }
    FixtureExpectations::addFields(object);
    if (const Declaration *declaration = m_fixture->window()->declaration()) {
        if (kind() == BasicSettings) {
            object.injectPropertiesFromXML(declaration->elementFieldsXml());
        } else if (kind() == OutgoingConnection) {
            object.injectPropertiesFromXML(declaration->connectionFieldsXml());
            declaration->exportBasicProperties(object, XMLKey::CONNECTIONFIELDS);
        }
    }
    // Values and editors come from the item's object: it holds what the user entered, also
    // for fields that have no property at the moment (a dependent whose master hides it, a
    // mask that the connection type hides); a value the user never changed takes the current
    // default of its definition instead. Fields of definitions that were removed from the
    // declaration are left behind, and the attributes are those of the templates and the
    // current definitions, so a field hidden for one connection type shows for another.
    for (SRCore::FlowObjectField field : object.getFields()) {
        const SRCore::FlowObjectField entered = m_object.getField(field.getName());
        if (!entered.isNull() && isUsersValue(entered)) {
            field.setValue(entered.getValue());
        } else if (field.hasProperty(XMLKey::DEFAULT)) {
            field.setValue(defaultValue(field));
        }
        if (entered.isNull()) {
            continue;
        }
        const QString editor = entered.getSubType();
        if (!editor.isEmpty() && editorList(field).contains(editor)) {
            field.setProperty(XMLKey::SUBTYPE, editor);
        }
    }
    if (kind() == OutgoingConnection) {
        adaptToConnectionType(object);
    }
    return object;
}

void FixtureItem::adaptToConnectionType(SRCore::FlowObject &object) const
{
    const Declaration *declaration = m_fixture->window()->declaration();
    const QString connectionType =
        declaration ? declaration->basicValue(XMLKey::CONNECTIONTYPE) : QString();
    if (connectionType == XMLValues::CONNECTION_TRAFFICLIGHT) {
        SRCore::FlowObjectField trafficType = object.getField(XMLKey::TRAFFICTYPE);
        trafficType.setProperty(XMLKey::EDITOR, XMLValues::EDITOR_INLINE + QLatin1Char(';')
                                                    + XMLValues::EDITOR_POPUP);
        const QString current =
            trafficType.getValue().isEmpty() ? XMLKey::DATA : trafficType.getValue();
        for (const QString &tag : {XMLKey::SUCCESS, XMLKey::WARNING, XMLKey::ERROR_}) {
            const SRCore::FlowObjectField outcome = object.getField(tag);
            if (!outcome.isNull() && outcome.hasProperty(XMLKey::AVAILABLEFOR)
                && outcome.getProperty(XMLKey::AVAILABLEFOR) != current) {
                hideField(object, tag);
            }
        }
        hideField(object, XMLKey::INCLUDEMASK);
        hideField(object, XMLKey::EXCLUDEMASK);
    } else if (connectionType == XMLValues::CONNECTION_FILTER) {
        hideField(object, XMLKey::TRAFFICTYPE);
    } else {
        hideField(object, XMLKey::TRAFFICTYPE);
        hideField(object, XMLKey::INCLUDEMASK);
        hideField(object, XMLKey::EXCLUDEMASK);
    }
    // A dependent of a hidden field (the dataset name of the traffic type) is hidden with it,
    // rather than dropped as an orphan when the property set is built.
    for (bool changed = true; changed;) {
        changed = false;
        for (SRCore::FlowObjectField field : object.getFields()) {
            const QString master = field.getProperty(XMLKey::DEPENDENCY);
            if (!master.isEmpty() && !hasNoProperty(field)
                && hasNoProperty(object.getField(master))) {
                field.setProperty(XMLKey::EDITOR, XMLValues::HIDE);
                changed = true;
            }
        }
    }
}

void FixtureItem::buildProperties()
{
    m_object = composeObject();
    auto properties = std::make_unique<GuiLib::PropertyCollection>(m_object, text(0), this);
    groupExpectations(*properties);
    connectChanges(properties.get());

    // The explorer may show the old set: it gets the new one before the old one goes.
    GuiLib::PropertiesExplorer *explorer = m_fixture->window()->propertiesExplorer();
    const bool shown = shows(explorer, m_properties.get());
    std::swap(m_properties, properties);
    if (shown) {
        explorer->loadProperties(m_properties.get());
    }
    if (kind() == OutgoingConnection) {
        setEnabledLook(isEnabledForTest());
    }
}

void FixtureItem::groupExpectations(GuiLib::PropertyCollection &properties) const
{
    auto group = std::make_unique<GuiLib::PropertyCollection>(tr("Expected results"));
    for (const QString &tag : FixtureExpectations::fieldsOf(objectTypeOfKind(kind()))) {
        if (GuiLib::IProperty *property = GuiLib::findProperty(&properties, tag)) {
            properties.remove(property);
            group->append(property);
        }
    }
    if (group->count(false) > 0) {
        properties.append(group.release());
    }
}

void FixtureItem::connectChanges(GuiLib::IProperty *property)
{
    const auto *group = qobject_cast<const GuiLib::IPropertyGroup *>(property);
    if (!group) {
        return;
    }
    for (int i = 0; i < group->count(false); ++i) {
        GuiLib::IProperty *child = group->child(i, false);
        connect(child, &GuiLib::IProperty::propertyChanged, this,
                &FixtureItem::propertyChangedHandler);
        connectChanges(child);
    }
}

QIcon FixtureItem::pathIcon(const QFileIconProvider *provider, const QFileInfo &info)
{
    const QIcon icon = provider ? provider->icon(info) : QIcon();
    if (!icon.pixmap(16).isNull()) {
        return icon;
    }
    return GuiLib::ImageCache::icon(info.isDir() ? QStringLiteral(":/Images/img_Folder_Small")
                                                 : QStringLiteral(":/Images/img_File_Small"));
}

void FixtureItem::showPathLook(const QString &path)
{
    const QFileInfo info(QDir::cleanPath(path));
    setText(0, info.fileName());
    setItemIcon(pathIcon(m_fixture->window()->fileIconProvider(), info));
}

} // namespace Scripter
