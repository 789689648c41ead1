#include "iproperty.h"

#include "ipropertygroup.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QValidator>

namespace GuiLib {

IProperty::IProperty(const QString &name, const QString &tag, IPropertyParent *propertyParent)
    : m_name(name)
    , m_tag(tag)
    , m_propertyParent(propertyParent)
    , m_dependencyCondition(SRCore::XMLValues::CONDITION_EQUALS)
{}

IProperty::~IProperty()
{
    if (auto *group = qobject_cast<IPropertyGroup *>(m_parent)) {
        group->remove(this);
    }
}

IProperty *IProperty::parent() const
{
    return m_parent;
}

void IProperty::setParent(IProperty *parent)
{
    m_parent = parent;
}

QString IProperty::name() const
{
    return m_name;
}

void IProperty::setName(const QString &name)
{
    m_name = name;
}

QVariant IProperty::previousValue() const
{
    return {};
}

QVariant IProperty::dependencyValue() const
{
    return {};
}

void IProperty::setDependencyValue(const QVariant &)
{}

bool IProperty::isDependent() const
{
    return m_dependent;
}

void IProperty::setDependent(bool dependent)
{
    m_dependent = dependent;
}

QString IProperty::dependencyCondition() const
{
    return m_dependencyCondition;
}

void IProperty::setDependencyCondition(const QString &condition)
{
    m_dependencyCondition = condition;
}

void IProperty::setEditorData(QWidget *)
{}

void IProperty::setModelData(QWidget *)
{}

QString IProperty::tag() const
{
    return m_tag;
}

QVariant IProperty::decoration() const
{
    return {};
}

void IProperty::connectPropertyChanged(QObject *receiver, const char *member, bool)
{
    connect(this, SIGNAL(propertyChanged()), receiver, member, Qt::UniqueConnection);
}

bool IProperty::hasDisplayText() const
{
    return m_hasDisplayText;
}

QString IProperty::displayText() const
{
    return m_displayText;
}

bool IProperty::isEditable() const
{
    return true;
}

bool IProperty::isValid() const
{
    return m_valid;
}

void IProperty::setValid(bool valid)
{
    m_valid = valid;
}

QValidator *IProperty::validator() const
{
    return m_validator;
}

void IProperty::setValidator(QValidator *validator)
{
    if (validator == m_validator) {
        return;
    }
    delete m_validator;
    m_validator = validator;
    if (m_validator) {
        m_validator->setParent(this);
    }
}

void IProperty::setTooltip(const QString &tooltip)
{
    m_tooltip = tooltip;
}

QString IProperty::tooltip() const
{
    return m_tooltip;
}

QString IProperty::editor() const
{
    return m_editor;
}

void IProperty::setEditor(const QString &editor)
{
    m_previousEditor = m_editor;
    m_editor = editor;
}

QString IProperty::previousEditor() const
{
    return m_previousEditor;
}

bool IProperty::hasEditorChoice() const
{
    return false;
}

bool IProperty::usesPluginEditor() const
{
    return false;
}

PropertyAttributes IProperty::attributes() const
{
    return m_attributes;
}

void IProperty::setAttributes(const PropertyAttributes &attributes)
{
    m_attributes = attributes;
}

bool IProperty::isBool() const
{
    return false;
}

bool IProperty::isEnum() const
{
    return false;
}

IProperty *findProperty(IProperty *root, const QString &tag)
{
    if (!root) {
        return nullptr;
    }
    if (root->tag() == tag) {
        return root;
    }
    auto *group = qobject_cast<IPropertyGroup *>(root);
    if (!group || !root->isGroup()) {
        return nullptr;
    }
    const int count = group->count(false);
    for (int i = 0; i < count; ++i) {
        if (IProperty *found = findProperty(group->child(i, false), tag)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace GuiLib
