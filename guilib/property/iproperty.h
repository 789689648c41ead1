#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

class IPropertyParent;
class QValidator;
class QWidget;

namespace GuiLib {

// Extra data of a property's value editors (the FTP connection of a folder browser, for
// example), keyed by attribute name.
using PropertyAttributes = QMap<QString, QString>;

// One editable setting: a value with its display name, its tag (the name by which it is found
// and stored), the editor chosen for the value, a validator, a tool tip and an optional
// dependency on a master property. Properties form a tree (IPropertyGroup); parent() is the
// group that holds this property, not its QObject parent, which stays null.
//
// Lives on the GUI thread. The validator is a QObject child of the property; the property
// parent is never owned.
class IProperty : public QObject
{
    Q_OBJECT

public:
    IProperty(const QString &name, const QString &tag, IPropertyParent *propertyParent);
    IProperty(const IProperty &) = delete;
    IProperty &operator=(const IProperty &) = delete;
    // A property that is still held by a group takes itself out of it.
    ~IProperty() override;

    virtual IProperty *parent() const;
    virtual void setParent(IProperty *parent);
    virtual QString name() const;
    virtual void setName(const QString &name);
    virtual QVariant value() const = 0;
    // Stores a new value. `silent` suppresses propertyChanged(); `force` stores and signals even
    // an unchanged value.
    virtual void setValue(const QVariant &value, bool silent, bool force) = 0;
    virtual QVariant previousValue() const;
    virtual QVariant dependencyValue() const;
    virtual void setDependencyValue(const QVariant &value);
    virtual bool isDependent() const;
    virtual void setDependent(bool dependent);
    // SRCore::XMLValues::CONDITION_EQUALS or CONDITION_NOTEQUALS.
    virtual QString dependencyCondition() const;
    virtual void setDependencyCondition(const QString &condition);
    virtual bool isGroup() const = 0;
    // A new editor widget for the value, child of `parent`, or null when the property is not
    // edited in place. The editor's value-changed signal is connected to `member` of
    // `receiver` (a SLOT() or SIGNAL() text), so that the receiver can commit each new value.
    virtual QWidget *createEditor(QWidget *parent, QObject *receiver, const char *member) = 0;
    // Connects `signal` (a SIGNAL() text) of `sender` to the editor's slot that reopens its
    // last value dialog.
    virtual void connectEditor(QWidget *editor, QObject *sender, const char *signal) = 0;
    virtual void setEditorData(QWidget *editor);
    virtual void setModelData(QWidget *editor);
    virtual QString valueText() const = 0;
    virtual QString tag() const;
    virtual IProperty *visibleChild(int index) const = 0;
    virtual QVariant decoration() const;
    // Connects propertyChanged() to `member` of `receiver`; a connection that exists already
    // is not made twice.
    virtual void connectPropertyChanged(QObject *receiver, const char *member, bool recursive);
    virtual bool hasDisplayText() const;
    virtual QString displayText() const;
    virtual bool isEditable() const;
    virtual bool isValid() const;
    virtual void setValid(bool valid);
    virtual QValidator *validator() const;
    // Takes ownership of `validator` (it becomes a child of this property) and destroys the
    // validator it replaces.
    virtual void setValidator(QValidator *validator);
    virtual void setTooltip(const QString &tooltip);
    virtual QString tooltip() const;
    // The editor keyword currently chosen for the value (SRCore::XMLValues::EDITOR_...).
    virtual QString editor() const;
    // Keeps the current editor as the previous one.
    virtual void setEditor(const QString &editor);
    virtual QString previousEditor() const;
    virtual bool hasEditorChoice() const;
    virtual bool usesPluginEditor() const;
    virtual PropertyAttributes attributes() const;
    virtual void setAttributes(const PropertyAttributes &attributes);
    virtual bool isBool() const;
    virtual bool isEnum() const;

    IPropertyParent *propertyParent() const { return m_propertyParent; }

signals:
    void propertyChanged();

private:
    IProperty *m_parent = nullptr;
    QString m_name;
    QString m_tag;
    bool m_dependent = false;
    IPropertyParent *m_propertyParent = nullptr;
    bool m_hasDisplayText = false;
    QString m_displayText;
    bool m_valid = true;
    QValidator *m_validator = nullptr;
    QString m_tooltip;
    QString m_editor;
    QString m_previousEditor;
    PropertyAttributes m_attributes;
    QString m_dependencyCondition;
};

// Depth-first search by tag (case-sensitive) through `root` and all its children, visible or
// not, in index order. Null when no property has that tag or `root` is null.
IProperty *findProperty(IProperty *root, const QString &tag);

} // namespace GuiLib
