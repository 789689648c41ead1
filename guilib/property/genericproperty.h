#pragma once

#include "abstractproperty.h"

namespace GuiLib {

// The one concrete property: a string value of a type ("string", "bool", "path", "password",
// "number", "time", "enum:a;b;c", ...) that the editors of its ";"-separated editor list may
// set, one of them being the current editor. An inline editor gets a validator for numbers,
// ports, e-mail addresses, times and server addresses; a value that the validator does not
// accept is not stored.
//
// When no editor is given, the property starts with the one the user would expect: the inline
// editor when there is a choice with an inline or text editor (the auto-managed editor for an
// auto-managed path), otherwise the first editor of the list that sets values.
class GenericProperty : public AbstractProperty<QString>
{
    Q_OBJECT

public:
    GenericProperty(const QString &value, const QString &name, const QString &tag,
                    const QString &type, const QString &editors, const QString &tooltip,
                    const QString &editor, IPropertyParent *parent);

    QString type() const { return m_type; }
    // The ";"-separated editor list as given.
    QString editors() const { return m_editors; }

    void setValue(const QVariant &value, bool silent, bool force) override;
    QWidget *createEditor(QWidget *parent, QObject *receiver, const char *member) override;
    void connectEditor(QWidget *editor, QObject *sender, const char *signal) override;
    void setEditorData(QWidget *editor) override;
    void setModelData(QWidget *editor) override;
    bool hasDisplayText() const override;
    QString displayText() const override;
    bool isValid() const override;
    // Rich text: the translated tool tip, the meaning of a bool or enumeration value, and a
    // warning when the owner refuses the value. Empty when the property has no tool tip.
    QString tooltip() const override;
    bool hasEditorChoice() const override;
    bool usesPluginEditor() const override;
    bool isBool() const override;
    bool isEnum() const override;

    // A readable, possibly multi-line text of the value for tool tips.
    virtual QString valueDescription() const;
    // True for a value that must be written as a CDATA section to survive as it is: blank
    // text, filters, password lists, conditions and the structured values of some editors.
    virtual bool hasSpecialValue() const;

private:
    QString initialEditor() const;
    QValidator *createValidator() const;
    void storeText(const QString &text, bool silent, bool force);

    QString m_type;
    QString m_editors;
};

// A new property with `value` as its string value; the caller owns it.
GenericProperty *createGenericProperty(const QString &editors, const QString &type,
                                       const QVariant &value, const QString &name,
                                       const QString &tag, const QString &tooltip,
                                       const QString &editor, IPropertyParent *parent);

} // namespace GuiLib
