#pragma once

#include "editorkinds.h"
#include "iproperty.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QHBoxLayout;
class QToolButton;

namespace GuiLib {

class GenericProperty;

// The in-place editor of a GenericProperty in the properties explorer: a value field suited
// to the current editor kind (a Yes/No or enumeration list, a line edit, or a read-only
// summary), a button that opens the kind's value dialog, and a button with the menu of the
// kinds that the property allows. Choosing a kind sets a fixed value at once, opens its dialog,
// or makes the field editable.
//
// The editor keeps its own value, kind and attributes; the property takes them back when the
// explorer commits (GenericProperty::setModelData). valueChanged() asks for that commit.
// Dialogs come from the application proxy's value editor factory; kinds whose dialogs this
// version does not have are listed but disabled.
class GenericPropertyEditor : public QWidget
{
    Q_OBJECT

public:
    // `property` is not owned; the editor stops editing if it is destroyed first.
    explicit GenericPropertyEditor(GenericProperty *property, QWidget *parent = nullptr);
    ~GenericPropertyEditor() override;
    GenericPropertyEditor(const GenericPropertyEditor &) = delete;
    GenericPropertyEditor &operator=(const GenericPropertyEditor &) = delete;

    // The value as entered so far: the text of an inline line edit, else the last value set.
    QString value() const;
    // The editor keyword chosen, as listed in the property's editors.
    QString currentKind() const { return m_currentKind; }
    PropertyAttributes attributes() const { return m_attributes; }
    void setAttributes(const PropertyAttributes &attributes);
    // Shows `value` as edited with `kind`.
    void setEditorData(const QString &value, const QString &kind);

signals:
    void valueChanged();

public slots:
    void buttonClickHandler();
    void actionClickHandler();
    void lineEditChanged();
    void listEditChanged(int activatedIndex);
    // Opens the dialog of the current kind again; other kinds ignore it.
    void invokeLastEditor();

private:
    void chooseKind(const QString &kind);
    void buildValueField();
    void updateButtons();
    void setValueAndNotify(const QString &value);
    // Opens the value dialog of the current kind; true when it set a value.
    bool openDialog();
    bool currentKindOpensDialog() const;
    static bool opensDialog(EditorKinds::Action action);
    QString propertyType() const;

    QPointer<GenericProperty> m_property;
    QStringList m_kinds;
    QString m_currentKind;
    QString m_value;
    // The kind that made m_value: a dialog opened for another kind may start from it or not.
    QString m_valueKind;
    PropertyAttributes m_attributes;
    QHBoxLayout *m_layout;
    QWidget *m_valueField = nullptr;
    QToolButton *m_dialogButton;
    QToolButton *m_kindsButton;
    bool m_autoManagedPath = false;
    QAction *m_inlineAction = nullptr;
};

} // namespace GuiLib
