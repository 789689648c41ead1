#include "declarationitem.h"

#include "declaration.h"
#include "declarationtree.h"
#include "idocumentwindow.h"
#include "objecttemplates.h"

#include "guilib/images/imagecache.h"
#include "guilib/property/genericproperty.h"
#include "guilib/property/ipropertygroup.h"
#include "guilib/property/propertycollection.h"

#include "corelib/common/validation.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomDocument>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMessageBox>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

QString defaultScriptIcon()
{
    return QStringLiteral(":/Images/Ui_scripter/img_ScriptDefault.png");
}

// The language whose editor an include flag shows; empty for other tags.
QString languageOfFlag(const QString &tag)
{
    if (tag == XMLKey::INCLUDEJAVASCRIPT) {
        return XMLValues::JAVASCRIPT;
    }
    if (tag == XMLKey::INCLUDEVBSCRIPT) {
        return XMLValues::VBSCRIPT;
    }
    if (tag == XMLKey::INCLUDEAPPLESCRIPT) {
        return XMLValues::APPLESCRIPT;
    }
    return QString();
}

// The basic script properties that shape the outgoing connections of the fixture.
bool affectsConnections(const QString &tag)
{
    static const QStringList tags = {XMLKey::CONNECTIONTYPE, XMLKey::DATASUCCESS,
                                     XMLKey::DATAWARNING,    XMLKey::DATAERROR,
                                     XMLKey::LOGSUCCESS,     XMLKey::LOGWARNING,
                                     XMLKey::LOGERROR,       XMLKey::INCLUDEEXCLUDEFOLDER};
    return tags.contains(tag);
}

bool isAcceptableIcon(const QString &path)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) != 0) {
        return false;
    }
    const QImage image(path);
    return !image.isNull() && image.size() == QSize(32, 32);
}

// The value texts of `property` and the properties below it by tag; of properties that share a
// tag, the first in pre-order, as findProperty() finds it.
void collectValueTexts(GuiLib::IProperty *property, QHash<QString, QString> &texts)
{
    if (!property) {
        return;
    }
    if (!texts.contains(property->tag())) {
        texts.insert(property->tag(), property->valueText());
    }
    auto *group = qobject_cast<GuiLib::IPropertyGroup *>(property);
    if (!group || !property->isGroup()) {
        return;
    }
    const int count = group->count(false);
    for (int i = 0; i < count; ++i) {
        collectValueTexts(group->child(i, false), texts);
    }
}

} // namespace

DeclarationItem::DeclarationItem(Declaration *declaration, int kind)
    : QTreeWidgetItem(kind)
    , m_declaration(declaration)
{
    if (kind == ScriptKind) {
        buildProperties(ObjectTemplates::defaultObject(XMLKey::SCR_BASICSCRIPTPROPERTIES));
    } else if (isDefinitionKind(kind)) {
        buildProperties(ObjectTemplates::defaultObject(XMLKey::SCR_INJECTEDPROPERTIES));
        const QString tag = declaration->nextDefinitionTag();
        for (const QString &field : {XMLKey::DEF_TAG, XMLKey::NAME}) {
            if (GuiLib::IProperty *p = property(field)) {
                p->setValue(tag, true, false);
            }
        }
    }
    initialize(kind);
}

DeclarationItem::DeclarationItem(Declaration *declaration, int kind,
                                 const SRCore::FlowObject &object, const QString &defaultEditor)
    : QTreeWidgetItem(kind)
    , m_declaration(declaration)
{
    buildProperties(object);
    if (isDefinition()) {
        rebuildDefault(defaultEditor);
    }
    initialize(kind);
}

DeclarationItem::~DeclarationItem()
{
    if (m_properties) {
        m_declaration->releaseProperties(m_properties.get());
    }
}

void DeclarationItem::initialize(int kind)
{
    switch (kind) {
    case ScriptKind: {
        setText(0, value(XMLKey::NAME));
        const QString icon = value(XMLKey::ICON);
        setIcon(0, QIcon(icon.isEmpty() || !isAcceptableIcon(icon) ? defaultScriptIcon() : icon));
        break;
    }
    case ElementGroupKind:
        setText(0, Declaration::tr("Flow Element Properties"));
        setIcon(0, GuiLib::ImageCache::icon(QStringLiteral(":/Images/Ui_scripter/img_App.png")));
        setToolTip(0, Declaration::tr("Definitions for properties added to script flow element"));
        break;
    case ConnectionGroupKind:
        setText(0, Declaration::tr("Outgoing Connections Properties"));
        setIcon(0,
                GuiLib::ImageCache::icon(QStringLiteral(":/Images/Ui_scripter/img_Connect.png")));
        setToolTip(0, Declaration::tr("Definitions for properties added to outgoing connections"));
        break;
    case ElementDefinitionKind:
    case ConnectionDefinitionKind:
        setText(0, value(XMLKey::DEF_TAG));
        setIcon(0,
                GuiLib::ImageCache::icon(QStringLiteral(":/Images/Ui_scripter/img_BallGreen.png")));
        break;
    default:
        setText(0, Declaration::tr("unknown item"));
        setIcon(0, GuiLib::ImageCache::icon(QStringLiteral(":/Images/Ui_scripter/img_Temp.png")));
        break;
    }
}

void DeclarationItem::buildProperties(const SRCore::FlowObject &object)
{
    if (object.isNull()) {
        // The templates are part of the program; this only happens to a broken build.
        QMessageBox::warning(m_declaration->window()->widget(), Declaration::tr("Create Object"),
                             Declaration::tr("Can't create injected properties object!"));
        return;
    }
    m_object = object;
    m_properties = std::make_unique<GuiLib::PropertyCollection>(
        m_object, object.getProperty(XMLKey::LOCALIZEDTAGNAME), this);
    connectChanges(m_properties.get());
}

void DeclarationItem::connectChanges(GuiLib::IProperty *property)
{
    // Connected by member function: a definition has some thirty properties, and connecting
    // each by its signature's text costs more than building it.
    connect(property, &GuiLib::IProperty::propertyChanged, this,
            &DeclarationItem::propertyChangedHandler);
    auto *group = qobject_cast<GuiLib::IPropertyGroup *>(property);
    if (!group || !property->isGroup()) {
        return;
    }
    const int count = group->count(false);
    for (int i = 0; i < count; ++i) {
        connectChanges(group->child(i, false));
    }
}

bool DeclarationItem::isDefinitionKind(int kind)
{
    return kind == ElementDefinitionKind || kind == ConnectionDefinitionKind;
}

bool DeclarationItem::isDefinition() const
{
    return isDefinitionKind(type());
}

int DeclarationItem::definitionKindOf(int groupKind)
{
    return groupKind == ConnectionGroupKind ? ConnectionDefinitionKind : ElementDefinitionKind;
}

Declaration *DeclarationItem::declaration() const
{
    return m_declaration;
}

GuiLib::PropertyCollection *DeclarationItem::properties() const
{
    return m_properties.get();
}

GuiLib::IProperty *DeclarationItem::property(const QString &tag) const
{
    return m_properties ? GuiLib::findProperty(m_properties.get(), tag) : nullptr;
}

QString DeclarationItem::value(const QString &tag) const
{
    if (const GuiLib::IProperty *p = property(tag)) {
        return p->valueText();
    }
    return m_object.getField(tag).getValue();
}

DefinitionEditors::Values DeclarationItem::values() const
{
    // One walk of the property set: looking up each field would search it once per field.
    QHash<QString, QString> shown;
    collectValueTexts(m_properties.get(), shown);
    DefinitionEditors::Values result;
    for (const SRCore::FlowObjectField &field : m_object.getFields()) {
        const auto it = shown.constFind(field.getName());
        result.insert(field.getName(), it != shown.cend() ? *it : field.getValue());
    }
    return result;
}

SRCore::FlowObject DeclarationItem::currentObject() const
{
    SRCore::FlowObject copy = m_object.clone2();
    for (SRCore::FlowObjectField field : copy.getFields()) {
        if (const GuiLib::IProperty *p = property(field.getName())) {
            field.setValue(p->valueText());
            field.setProperty(XMLKey::SUBTYPE, p->editor());
        }
    }
    return copy;
}

DefinitionRecord DeclarationItem::record() const
{
    DefinitionRecord definition;
    definition.tag = text(0);
    definition.values = values();
    if (const auto *master = dynamic_cast<const DeclarationItem *>(parent());
        master && master->isDefinition()) {
        definition.masterTag = master->text(0);
    }
    if (const auto *defaultValue =
            qobject_cast<const GuiLib::GenericProperty *>(property(XMLKey::DEFAULT))) {
        definition.defaultEditor = defaultValue->editor();
        definition.defaultIsSpecial = defaultValue->hasSpecialValue();
    }
    return definition;
}

bool DeclarationItem::setPropertyValue(const QString &tag, const QString &value, bool silent)
{
    GuiLib::IProperty *p = property(tag);
    if (!p) {
        return false;
    }
    p->setValue(value, silent, false);
    return true;
}

QString DeclarationItem::ownerLabel() const
{
    return QString();
}

QObject *DeclarationItem::owner() const
{
    return m_declaration;
}

bool DeclarationItem::validateProperty(const QString &tag, QString &message) const
{
    Q_UNUSED(tag)
    Q_UNUSED(message)
    return true;
}

QString DeclarationItem::objectType() const
{
    return XMLKey::SCRIPTDECLARATION;
}

QString DeclarationItem::fieldAttribute(const QString &fieldTag, const QString &attribute) const
{
    Q_UNUSED(fieldTag)
    return isDefinition() ? DefinitionEditors::editorAttribute(values(), attribute) : QString();
}

QStringList DeclarationItem::libraryForProperty(const QString &tag)
{
    return m_declaration->window()->libraryForProperty(tag, type() == ConnectionDefinitionKind);
}

QString DeclarationItem::presetDescription() const
{
    return QString();
}

void DeclarationItem::restoreValue(GuiLib::IProperty *property, const QString &value)
{
    property->setValue(value, true, false);
    m_declaration->refreshProperty(m_properties.get(), property);
}

void DeclarationItem::propertyChangedHandler()
{
    auto *changed = qobject_cast<GuiLib::IProperty *>(sender());
    if (!changed) {
        return;
    }
    const QString tag = changed->tag();
    IDocumentWindow *window = m_declaration->window();

    if (isDefinition()) {
        if (tag == XMLKey::DEF_TAG) {
            tagChanged(changed);
        } else if (DefinitionEditors::affectsEditing(tag)) {
            rebuildDefault(QString());
        } else if (tag == XMLKey::DEF_DEPENDSONMASTER) {
            dependsOnMasterChanged(changed);
        }
        // Whatever changed, the fixture's copy of the definition is now out of date.
        refreshFixture();
    } else if (type() == ScriptKind) {
        const QString value = changed->valueText();
        if (tag == XMLKey::NAME) {
            setText(0, value);
            window->elementNameChanged(value);
        } else if (tag == XMLKey::ICON) {
            iconChanged(changed);
        } else if (affectsConnections(tag)) {
            window->refreshFixtureProperties(false, true);
        } else if (tag == XMLKey::PASSWORD) {
            m_refusedVerification.clear();
            if (GuiLib::IProperty *verify = property(XMLKey::VERIFYPASSWORD)) {
                restoreValue(verify, QString());
            }
        } else if (tag == XMLKey::VERIFYPASSWORD) {
            verifyPassword(changed);
        } else if (const QString language = languageOfFlag(tag); !language.isEmpty()) {
            window->setLanguageIncluded(language, value == XMLValues::YES);
        }
    }
    window->markModified();
}

void DeclarationItem::tagChanged(GuiLib::IProperty *property)
{
    const QString tag = SRCore::Validation::makeValidXmlName(property->valueText());
    if (tag != text(0) && m_declaration->isTagUsed(tag, this)) {
        restoreValue(property, text(0));
        // The explorer commits an open editor on every change and again when it is left; one
        // message per refused name is enough.
        if (tag != m_refusedTag) {
            m_declaration->log(SRCore::LogLevel::Warning,
                               QT_TRANSLATE_NOOP("LogMessages", "Tag name '%1' is already used"),
                               tag);
        }
        m_refusedTag = tag;
        return;
    }
    m_refusedTag.clear();
    setText(0, tag);
    if (property->valueText() != tag) {
        restoreValue(property, tag);
    }
}

// The Default value is edited like the property it is the default of, so its type and editors
// follow the definition's editors.
void DeclarationItem::rebuildDefault(const QString &currentEditor)
{
    auto *old = qobject_cast<GuiLib::GenericProperty *>(property(XMLKey::DEFAULT));
    if (!old) {
        return;
    }
    QDomDocument document;
    QDomElement temp = document.createElement(QStringLiteral("temp"));
    DefinitionEditors::apply(DefinitionEditors::attributes(values()), temp);
    const QString editors = temp.attribute(XMLKey::EDITOR);
    const QStringList keywords = editors.split(QLatin1Char(';'), Qt::SkipEmptyParts);

    // Keep the editor the user chose while the definition still offers it.
    QString editor = currentEditor.isEmpty() ? old->editor() : currentEditor;
    if (!keywords.contains(editor)) {
        editor = keywords.value(0);
    }
    GuiLib::GenericProperty *replacement = GuiLib::createGenericProperty(
        editors, temp.attribute(XMLKey::TYPE), old->valueText(), old->name(), old->tag(),
        QStringLiteral("The default value of the property"), editor, this);
    connectChanges(replacement);

    const int index = m_properties->indexOf(old);
    m_properties->remove(old);
    if (index >= 0 && index < m_properties->count(false)) {
        m_properties->insert(index, replacement);
    } else {
        m_properties->append(replacement);
    }
    // The explorer must not be left showing the old property.
    m_declaration->refreshProperties(m_properties.get());
    delete old;
}

void DeclarationItem::dependsOnMasterChanged(GuiLib::IProperty *property)
{
    QTreeWidgetItem *parentItem = parent();
    if (!parentItem) {
        return;
    }
    DeclarationTree *tree = m_declaration->tree();
    const int index = parentItem->indexOfChild(this);
    const bool parentIsDefinition = isDefinitionKind(parentItem->type());

    if (property->valueText() == XMLValues::YES) {
        if (parentIsDefinition) {
            return;
        }
        if (index == 0) {
            // Nothing above to depend on.
            restoreValue(property, XMLValues::NO);
            return;
        }
        QTreeWidgetItem *master = parentItem->child(index - 1);
        tree->moveItem(this, master, master->childCount());
        master->setExpanded(true);
    } else {
        if (!parentIsDefinition) {
            return;
        }
        QTreeWidgetItem *outer = parentItem->parent();
        tree->moveItem(this, outer, outer->indexOfChild(parentItem) + 1);
    }
}

void DeclarationItem::iconChanged(GuiLib::IProperty *property)
{
    IDocumentWindow *window = m_declaration->window();
    const QString path = property->valueText();
    if (path.isEmpty()) {
        setIcon(0, QIcon(defaultScriptIcon()));
        window->elementIconChanged(QString());
        return;
    }
    if (isAcceptableIcon(path)) {
        setIcon(0, QIcon(path));
        window->elementIconChanged(path);
        return;
    }
    QMessageBox::warning(window->widget(), Declaration::tr("Choose icon file"),
                         Declaration::tr("Your must choose a PNG image file with a size of exactly "
                                         "32x32 pixels in the RGB color space !"));
    setIcon(0, QIcon(defaultScriptIcon()));
    restoreValue(property, QString());
    window->elementIconChanged(QString());
}

void DeclarationItem::verifyPassword(GuiLib::IProperty *property)
{
    const QString verification = property->valueText();
    if (verification == value(XMLKey::PASSWORD)) {
        m_refusedVerification.clear();
        return;
    }
    // The warning takes the focus from the open editor, which commits the same text once more,
    // while the warning is up and when the editor is left: one warning per refused text.
    if (m_warningOfPassword) {
        return;
    }
    if (verification == m_refusedVerification) {
        restoreValue(property, QString());
        return;
    }
    m_refusedVerification = verification;
    m_warningOfPassword = true;
    QMessageBox::warning(
        m_declaration->window()->widget(), Declaration::tr("Password Problem"),
        Declaration::tr("The verification password you typed in is not the same as your "
                        "password.\n")
            + Declaration::tr("Please re-type the password in the 'Verify Password' property"));
    m_warningOfPassword = false;
    restoreValue(property, QString());
}

void DeclarationItem::refreshFixture()
{
    const bool connection = type() == ConnectionDefinitionKind;
    m_declaration->window()->refreshFixtureProperties(!connection, connection);
}

} // namespace Scripter
