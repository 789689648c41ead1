#pragma once

#include "definitioneditors.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QDomDocument;
class QDomElement;

namespace SRCore {
class FlowObject;
struct LogRecord;
} // namespace SRCore

namespace Scripter {

// One property definition as the declaration XML holds it.
struct DefinitionRecord
{
    QString tag;       // the Tag value; the element name is made from it
    QString masterTag; // the Tag of the master definition; empty at the top of a group
    DefinitionEditors::Values values; // the definition's field values by field tag
    QString defaultEditor;            // the current editor of the Default value (Subtype)
    bool defaultIsSpecial = false;    // the Default value is written as a CDATA section
};

// What the declaration XML says: the basic script properties and the definitions of the two
// groups, each group in pre-order (a master before its dependents).
struct DeclarationContent
{
    QHash<QString, QString> basicValues;
    // The entry functions of each language's program (written only, never read).
    QHash<QString, QStringList> scriptFunctions;
    QList<DefinitionRecord> elementDefinitions;
    QList<DefinitionRecord> connectionDefinitions;
};

// The declaration XML file of a script package, both ways, and the export of the basic script
// properties into flow objects. No widgets: the declaration panel gathers and applies the content.
// Problems that the user should read (an unchosen external application, a missing master) are
// appended to `messages` as untranslated message-pane records.
class DeclarationXml
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::DeclarationXml)

public:
    DeclarationXml() = delete;

    // The whole document, built from the default declaration.
    static QDomDocument write(const DeclarationContent &content,
                              QList<SRCore::LogRecord> *messages = nullptr);
    // A `section` element (XMLKey::ELEMENTFIELDS or CONNECTIONFIELDS) of `document` holding the
    // field elements of `definitions`.
    static QDomElement writeDefinitions(QDomDocument &document, const QString &section,
                                        const QList<DefinitionRecord> &definitions,
                                        QList<SRCore::LogRecord> *messages = nullptr);
    // The field element of one definition.
    static QDomElement writeDefinition(QDomDocument &document, const DefinitionRecord &definition,
                                       QList<SRCore::LogRecord> *messages = nullptr);

    // The text of a declaration document or of one of its elements, with the XML declaration
    // in front of a document. Every text comes back exactly when read: carriage returns are
    // written as references, a value that XML cannot hold is encoded (XMLKey::VALUEENCODING,
    // as in flow documents), and attributes come in a fixed order.
    static QByteArray toText(const QDomDocument &document);
    static QString toText(const QDomElement &element);

    // "category:rest" with an unknown category replaced by "Custom".
    static QString positionInElementPane(const QString &value);

    // Reads a declaration document into `content` (basic values and definitions; the basic
    // values that the document does not speak of are left out). False with `errorMessage` when
    // the document is no declaration or holds an encoded value that cannot be decoded. Definitions
    // whose master is missing stay at the top of their group and are reported; tags are taken as
    // written (the panel keeps them unique).
    static bool read(const QDomDocument &document, DeclarationContent &content,
                     QList<SRCore::LogRecord> *messages = nullptr, QString *errorMessage = nullptr);

    // The basic script properties that a flow object of `section` carries (see
    // Declaration::exportBasicProperties).
    static void exportBasicProperties(const QHash<QString, QString> &basicValues,
                                      SRCore::FlowObject &object, const QString &section);

    // The field names that the declaration or the objects built from it use themselves; a
    // definition may not take one of them as its tag.
    static const QStringList &reservedTags();
};

} // namespace Scripter
