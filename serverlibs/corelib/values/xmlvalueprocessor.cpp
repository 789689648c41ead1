#include "xmlvalueprocessor.h"

#include "corelib/common/corelogging.h"
#include "corelib/common/textexcerpt.h"
#include "corelib/common/validation.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldatawriter.h"
#include "corelib/common/xmlerror.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <functional>

namespace SRCore {

namespace {

using ValueType = XMLValueProcessor::ValueType;

// Written into every value; a reader refuses values of a later version instead of guessing.
constexpr int kFormatVersion = 1;

// What the elements below the root hold.
enum class Content { Items, UniversalData, EmailInfos, MetadataFields };

struct ValueKind
{
    ValueType type;
    QString keyword;
    Content content;
};

// Editor keywords of structured values. The first row of a type is its canonical keyword, the
// one written into the value's Type attribute.
const QList<ValueKind> &valueKinds()
{
    static const QList<ValueKind> kinds = {
        {ValueType::ScriptExpression, XMLValues::EDITOR_SCRIPTEXP, Content::Items},
        {ValueType::Patterns, XMLValues::EDITOR_PATTERNS, Content::Items},
        {ValueType::Patterns, XMLValues::EDITOR_FILEPATTERNS, Content::Items},
        {ValueType::Patterns, XMLValues::EDITOR_FOLDERPATTERNS, Content::Items},
        {ValueType::RegularExpression, XMLValues::EDITOR_REGEXP, Content::Items},
        {ValueType::FileTypes, XMLValues::EDITOR_TYPES, Content::Items},
        {ValueType::SelectManyFromLibrary, XMLValues::EDITOR_ASKPLUGIN2, Content::Items},
        {ValueType::EmailInfoMap, XMLValues::EDITOR_MAPEINFOEDIT, Content::EmailInfos},
        {ValueType::EmailInfo, XMLValues::EDITOR_EINFOEDIT, Content::EmailInfos},
        {ValueType::MailAccounts, XMLValues::EDITOR_ACCOUNTSDEF, Content::Items},
        {ValueType::EditableMetadataFields, XMLValues::EDITOR_METADADTAFIELDSEDIT,
         Content::MetadataFields},
        {ValueType::ReadOnlyMetadataFields, XMLValues::EDITOR_METADADTAFIELDSREAD,
         Content::MetadataFields},
        {ValueType::GlobalDataFields, XMLValues::EDITOR_GLOBALDATAFIELDS, Content::UniversalData},
        {ValueType::PrivateDataFields, XMLValues::EDITOR_USERDATAFIELDS, Content::UniversalData},
        {ValueType::MetadataFields, XMLValues::EDITOR_METADATAFIELDS, Content::UniversalData},
        {ValueType::StringList, XMLValues::EDITOR_STRINGLIST, Content::Items},
        {ValueType::Passwords, XMLValues::EDITOR_PASSWDEF, Content::Items},
    };
    return kinds;
}

const ValueKind *kindForKeyword(const QString &keyword)
{
    for (const ValueKind &kind : valueKinds()) {
        if (kind.keyword == keyword) {
            return &kind;
        }
    }
    return nullptr;
}

const ValueKind &canonicalKind(ValueType type)
{
    for (const ValueKind &kind : valueKinds()) {
        if (kind.type == type) {
            return kind;
        }
    }
    Q_UNREACHABLE();
}

QString contentName(Content content)
{
    switch (content) {
    case Content::Items:
        return XMLValueProcessor::tr("a list of texts");
    case Content::UniversalData:
        return XMLValueProcessor::tr("data field records");
    case Content::EmailInfos:
        return XMLValueProcessor::tr("e-mail information entries");
    case Content::MetadataFields:
        return XMLValueProcessor::tr("metadata field definitions");
    }
    Q_UNREACHABLE();
}

bool fail(QString *errorMessage, const QString &message)
{
    qCWarning(lcCoreLib).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

// The canonical kind for writing `content` with the editor `keyword`, or null.
const ValueKind *kindForWriting(const QString &keyword, Content content, QString *errorMessage)
{
    const ValueKind *kind = kindForKeyword(keyword);
    if (!kind) {
        fail(errorMessage,
             XMLValueProcessor::tr("'%1' is not an editor of structured values").arg(keyword));
        return nullptr;
    }
    if (kind->content != content) {
        fail(errorMessage, XMLValueProcessor::tr("The editor '%1' takes %2, not %3")
                               .arg(keyword, contentName(kind->content), contentName(content)));
        return nullptr;
    }
    if (errorMessage) {
        errorMessage->clear();
    }
    return &canonicalKind(kind->type);
}

bool isXmlSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
           || c == QLatin1Char('\r');
}

// Only texts that open our root element are read as values; anything else, including other
// XML, is plain text.
bool opensValueList(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && isXmlSpace(text.at(start))) {
        ++start;
    }
    const QString open = QLatin1Char('<') + XMLKey::VALUELIST;
    if (!QStringView(text).sliced(start).startsWith(open)) {
        return false;
    }
    const qsizetype next = start + open.size();
    return next == text.size() || isXmlSpace(text.at(next)) || text.at(next) == QLatin1Char('/')
           || text.at(next) == QLatin1Char('>');
}

// The text elements of a data field record and of an e-mail entry, in their order.
const QStringList &universalDataNames()
{
    static const QStringList names = {XMLKey::VALUEFIRST, XMLKey::VALUESECOND, XMLKey::VALUETHIRD};
    return names;
}

const QStringList &emailInfoNames()
{
    static const QStringList names = {XMLKey::EMAILADDRESSES, XMLKey::SUBJECT,
                                      XMLKey::EMAILBODYTEXT};
    return names;
}

// The value for the editor `keyword`, whose children `writeChildren` writes. Null, with the
// reason, when the editor does not take `content` or `writeChildren` fails.
QString writeValue(const QString &keyword, Content content, QString *errorMessage,
                   const std::function<bool(XmlDataWriter &)> &writeChildren)
{
    const ValueKind *kind = kindForWriting(keyword, content, errorMessage);
    if (!kind) {
        return QString();
    }
    XmlDataWriter writer(XMLKey::VALUELIST, kFormatVersion);
    writer.writeAttribute(XMLKey::TYPE, kind->keyword);
    return writeChildren(writer) ? writer.finishElement() : QString();
}

// An element `name` holding one text element for each of `names`.
void writeRecord(XmlDataWriter &writer, const QString &name, const QStringList &names,
                 const QStringList &texts)
{
    writer.writeStartElement(name);
    for (qsizetype i = 0; i < names.size(); ++i) {
        writer.writeTextElement(names.at(i), texts.at(i));
    }
    writer.writeEndElement();
}

// Reads the children of a record element: exactly `names`, in this order, each holding text.
bool readRecord(XmlDataReader &reader, const QStringList &names, const QList<QString *> &texts)
{
    if (!reader.checkAttributes({})) {
        return false;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!reader.readChildElement(names.at(i)) || !reader.readText(texts.at(i))) {
            return false;
        }
    }
    return reader.readEndElement();
}

// Reads the children of the root, each an element `recordName` read by `readOne`.
bool readRecords(XmlDataReader &reader, const QString &recordName,
                 const std::function<bool()> &readOne)
{
    while (reader.readNextChildElement()) {
        if (reader.name() != recordName) {
            return reader.raiseUnexpectedElement();
        }
        if (!readOne()) {
            return false;
        }
    }
    return !reader.hasError();
}

bool readMetadataField(XmlDataReader &reader, MetadataFieldDefinition *definition)
{
    if (!reader.checkAttributes({})) {
        return false;
    }
    while (reader.readNextChildElement()) {
        const QString key = reader.name().toString();
        if (definition->contains(key)) {
            return reader.raiseDuplicateElement();
        }
        QString text;
        if (!reader.readText(&text)) {
            return false;
        }
        definition->insert(key, text);
    }
    return !reader.hasError();
}

// The kind named by the root's attributes, or null after recording the error.
const ValueKind *readRootAttributes(XmlDataReader &reader)
{
    if (!reader.checkAttributes({XMLKey::FORMATVERSION, XMLKey::TYPE})) {
        return nullptr;
    }
    const QStringView type = reader.attribute(XMLKey::TYPE);
    if (type.isNull()) {
        reader.raiseMissingAttribute(XMLKey::TYPE);
        return nullptr;
    }
    const ValueKind *kind = kindForKeyword(type.toString());
    if (!kind || &canonicalKind(kind->type) != kind) {
        reader.raiseError(
            XMLValueProcessor::tr("Unknown value type '%1'").arg(TextExcerpt::of(type)));
        return nullptr;
    }
    return kind;
}

} // namespace

bool XMLValueProcessor::read(const QString &text, XmlError *error)
{
    XmlDataReader reader(text);
    const ValueKind *kind =
        reader.readRoot(XMLKey::VALUELIST, kFormatVersion) ? readRootAttributes(reader) : nullptr;
    QStringList values;
    QList<UniversalData> universalData;
    QList<EmailInform> emailInfos;
    QList<MetadataFieldDefinition> metadataFields;
    bool ok = kind != nullptr;
    if (ok) {
        switch (kind->content) {
        case Content::Items:
            ok = readRecords(reader, XMLKey::VALUEITEM, [&] {
                values.append(QString());
                return reader.readText(&values.last());
            });
            break;
        case Content::UniversalData:
            ok = readRecords(reader, XMLKey::VALUERECORD, [&] {
                universalData.append(UniversalData());
                UniversalData &added = universalData.last();
                return readRecord(reader, universalDataNames(),
                                  {&added.first, &added.second, &added.third});
            });
            break;
        case Content::EmailInfos:
            ok = readRecords(reader, XMLKey::VALUEEMAILINFO, [&] {
                emailInfos.append(EmailInform());
                EmailInform &added = emailInfos.last();
                return readRecord(reader, emailInfoNames(),
                                  {&added.recipients, &added.subject, &added.body});
            });
            break;
        case Content::MetadataFields:
            ok = readRecords(reader, XMLKey::MD_METADATFIELD, [&] {
                metadataFields.append(MetadataFieldDefinition());
                return readMetadataField(reader, &metadataFields.last());
            });
            break;
        }
    }
    if (!ok || !reader.finish()) {
        *error = reader.error();
        return false;
    }
    m_valueType = kind->type;
    m_values = values;
    m_universalData = universalData;
    m_emailInfos = emailInfos;
    m_metadataFields = metadataFields;
    return true;
}

XMLValueProcessor::XMLValueProcessor(const QString &value)
{
    if (!opensValueList(value)) {
        return;
    }
    XmlError error;
    if (!read(value, &error)) {
        m_errorString = error.toString();
        qCDebug(lcCoreLib).noquote() << "Structured value not read:" << m_errorString;
    }
}

XMLValueProcessor::ValueType XMLValueProcessor::valueTypeForEditor(const QString &editorKeyword)
{
    const ValueKind *kind = kindForKeyword(editorKeyword);
    return kind ? kind->type : ValueType::NotAListValue;
}

QString XMLValueProcessor::generateXMLValue(const QString &editorKeyword, const QStringList &items,
                                            QString *errorMessage)
{
    return writeValue(editorKeyword, Content::Items, errorMessage, [&items](XmlDataWriter &writer) {
        for (const QString &item : items) {
            writer.writeTextElement(XMLKey::VALUEITEM, item);
        }
        return true;
    });
}

QString XMLValueProcessor::generateXMLValue(const QString &editorKeyword,
                                            const QList<UniversalData> &fields,
                                            QString *errorMessage)
{
    return writeValue(editorKeyword, Content::UniversalData, errorMessage,
                      [&fields](XmlDataWriter &writer) {
                          for (const UniversalData &field : fields) {
                              writeRecord(writer, XMLKey::VALUERECORD, universalDataNames(),
                                          {field.first, field.second, field.third});
                          }
                          return true;
                      });
}

QString XMLValueProcessor::generateXMLValue(const QString &editorKeyword,
                                            const QList<EmailInform> &infos, QString *errorMessage)
{
    return writeValue(editorKeyword, Content::EmailInfos, errorMessage,
                      [&infos](XmlDataWriter &writer) {
                          for (const EmailInform &info : infos) {
                              writeRecord(writer, XMLKey::VALUEEMAILINFO, emailInfoNames(),
                                          {info.recipients, info.subject, info.body});
                          }
                          return true;
                      });
}

QString XMLValueProcessor::generateXMLValue(const QString &editorKeyword,
                                            const QList<MetadataFieldDefinition> &definitions,
                                            QString *errorMessage)
{
    return writeValue(
        editorKeyword, Content::MetadataFields, errorMessage,
        [&definitions, errorMessage](XmlDataWriter &writer) {
            for (const MetadataFieldDefinition &definition : definitions) {
                const QStringList keys = definition.keys();
                for (const QString &key : keys) {
                    // Keys become element names.
                    if (!Validation::isValidXmlName(key)) {
                        return fail(errorMessage,
                                    XMLValueProcessor::tr(
                                        "'%1' cannot be the key of a metadata field definition")
                                        .arg(key));
                    }
                }
                writeRecord(writer, XMLKey::MD_METADATFIELD, keys, definition.values());
            }
            return true;
        });
}

} // namespace SRCore
