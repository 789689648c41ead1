#pragma once

#include "corelib/values/emailinform.h"
#include "corelib/values/universaldata.h"

#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace SRCore {

struct XmlError;

// One metadata field definition: its texts keyed by the XMLKey::MD_... names. Every key must be
// a valid XML name (Validation::isValidXmlName), because it becomes an element name.
using MetadataFieldDefinition = QMap<QString, QString>;

// Reads and writes the structured values of properties (pattern lists, library choices, e-mail
// information, data fields, ...) in the one XML format described in docs/xml-values.md. A value
// is read once, at construction; any text that is not such a value, malformed ones included,
// has the type NotAListValue and no items, so that callers show it as it is.
class XMLValueProcessor
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XMLValueProcessor)

public:
    enum class ValueType {
        NotAListValue,
        ScriptExpression,
        Patterns,
        RegularExpression,
        FileTypes,
        SelectManyFromLibrary,
        EmailInfoMap,
        EmailInfo,
        MailAccounts,
        EditableMetadataFields,
        ReadOnlyMetadataFields,
        GlobalDataFields,
        PrivateDataFields,
        MetadataFields,
        StringList,
        Passwords,
    };

    explicit XMLValueProcessor(const QString &value);

    ValueType valueType() const { return m_valueType; }
    // The items of an item list (script expression, patterns, regular expression, file types,
    // library choices, mail accounts, string list, passwords); empty for the other types.
    QStringList values() const { return m_values; }
    // The records of global data, private data and metadata datasets values.
    QList<UniversalData> universaldataFields() const { return m_universalData; }
    // The entries of e-mail info and e-mail info map values.
    QList<EmailInform> emailInfos() const { return m_emailInfos; }
    // The field definitions of editable and read-only metadata fields values.
    QList<MetadataFieldDefinition> metadataFields() const { return m_metadataFields; }

    // Why a text that starts with our root element could not be read ("line 1, column 52: ...");
    // empty when it was read, and for texts that are not meant as a structured value at all.
    QString errorString() const { return m_errorString; }

    // The value type that the editor of `editorKeyword` (XMLValues::EDITOR_...) produces;
    // NotAListValue for editors of plain values. File and folder patterns are both Patterns.
    static ValueType valueTypeForEditor(const QString &editorKeyword);

    // The value text holding `items`, `fields`, `infos` or `definitions` for the editor of
    // `editorKeyword`. Every string is kept exactly and the text can be stored in any XML 1.0
    // document. An editor of plain values, an editor of another kind of item, or a metadata key
    // that is not a valid XML name gives a null string and, when given, `errorMessage`.
    static QString generateXMLValue(const QString &editorKeyword, const QStringList &items,
                                    QString *errorMessage = nullptr);
    static QString generateXMLValue(const QString &editorKeyword,
                                    const QList<UniversalData> &fields,
                                    QString *errorMessage = nullptr);
    static QString generateXMLValue(const QString &editorKeyword, const QList<EmailInform> &infos,
                                    QString *errorMessage = nullptr);
    static QString generateXMLValue(const QString &editorKeyword,
                                    const QList<MetadataFieldDefinition> &definitions,
                                    QString *errorMessage = nullptr);

private:
    // Fills the members from `text`; on failure leaves them as they are and fills `error`.
    bool read(const QString &text, XmlError *error);

    ValueType m_valueType = ValueType::NotAListValue;
    QStringList m_values;
    QList<UniversalData> m_universalData;
    QList<EmailInform> m_emailInfos;
    QList<MetadataFieldDefinition> m_metadataFields;
    QString m_errorString;
};

} // namespace SRCore
