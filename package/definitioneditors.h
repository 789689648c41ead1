#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QDomElement;

namespace Scripter {

// The five editor fields of a property definition ("Inline editor", "Editor 2" to "Editor 5"
// and their message, literal-name, export and external-editor fields) and the Type, Editor and
// editor attributes of the field that the definition defines, both ways. The values are the
// definition's field values by tag, as the definition item holds them.
class DefinitionEditors
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::DefinitionEditors)

public:
    using Values = QHash<QString, QString>;

    struct Attributes
    {
        QString type;
        QStringList editors; // keywords, each once, in editor order
        // The attributes that editors 2 to 5 add (messages, external editor, opaque), in order.
        QList<QPair<QString, QString>> extra;
        // An "External editor" without an application; it is written all the same.
        bool externalApplicationMissing = false;
    };

    DefinitionEditors() = delete;

    // The definition fields of the inline editor and of editors 2 to 5, in order.
    static QStringList editorFieldTags();
    // True for the fields whose change alters how the defined value is edited: the editors,
    // the dropdown items and the message and literal-name fields of editors 2 to 5.
    static bool affectsEditing(const QString &fieldTag);

    static Attributes attributes(const Values &values);
    // Sets Type, Editor and the extra attributes on `element`.
    static void apply(const Attributes &attributes, QDomElement &element);

    // The editor fields back from a defined field's Type, Editor and editor attributes: an
    // "enum:" type gives "Dropdown list" with the rest as the dropdown items, the inline keyword
    // the inline editor, and the other keywords editors 2 to 5 in order (further ones are
    // dropped). Fields that the element does not speak of keep their values.
    static void restore(const QDomElement &element, Values &values);

    // The definition's own answer to an editor attribute (STRINGLISTEDITORMES,
    // SELECTFROMLIBMESSAGE, SELECTMANYFROMLIBMESSAGE, EXTERNALAPPLICATION, EXTERNALARGFORNEW,
    // EXTERNALARGFOREDIT): the matching field of the first of editors 2 to 5 that is set to that
    // editor; empty when none is.
    static QString editorAttribute(const Values &values, const QString &attribute);
};

} // namespace Scripter
