#include "xmlvalueprocessor.h"

#include "corelib/common/corelogging.h"
#include "corelib/common/xmlerror.h"
#include "corelib/values/strictxmlreader.h"
#include "corelib/values/validation.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <functional>

namespace SRCore {

namespace {

using ValueType = XMLValueProcessor::ValueType;

// Written into every value; a reader refuses values of a later version instead of guessing.
constexpr int kFormatVersion = 1;
constexpr int kIndentWidth = 4;

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

QString newLine(int depth)
{
    return QLatin1Char('\n') + QString(depth * kIndentWidth, QLatin1Char(' '));
}

// Element content that reads back exactly: markup characters as entities, carriage returns as
// character references (a parser turns a raw one into a line feed), and characters that XML 1.0
// cannot hold at all as empty Char elements naming their UTF-16 code unit.
void appendContent(QString &out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('<')) {
            out += QLatin1String("&lt;");
        } else if (c == QLatin1Char('>')) {
            out += QLatin1String("&gt;");
        } else if (c == QLatin1Char('&')) {
            out += QLatin1String("&amp;");
        } else if (c == QLatin1Char('\r')) {
            out += QLatin1String("&#13;");
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (Validation::isValidXmlText(QStringView(&c, 1))) {
            out += c;
        } else {
            out +=
                QStringLiteral("<%1 %2=\"%3\"/>")
                    .arg(XMLKey::VALUECHAR, XMLKey::VALUECHARCODE,
                         QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
        }
    }
}

QString textElement(int depth, const QString &name, QStringView text)
{
    QString out = newLine(depth) + QLatin1Char('<') + name;
    if (text.isEmpty()) {
        return out + QLatin1String("/>");
    }
    out += QLatin1Char('>');
    appendContent(out, text);
    return out + QLatin1String("</") + name + QLatin1Char('>');
}

// An element at depth 1 that holds the already written `children` at depth 2.
QString groupElement(const QString &name, const QString &children)
{
    if (children.isEmpty()) {
        return newLine(1) + QLatin1Char('<') + name + QLatin1String("/>");
    }
    return newLine(1) + QLatin1Char('<') + name + QLatin1Char('>') + children + newLine(1)
           + QLatin1String("</") + name + QLatin1Char('>');
}

QString rootElement(const ValueKind &kind, const QString &children)
{
    QString out = QStringLiteral("<%1 %2=\"%3\" %4=\"%5\"")
                      .arg(XMLKey::VALUELIST, XMLKey::FORMATVERSION,
                           QString::number(kFormatVersion), XMLKey::TYPE, kind.keyword);
    if (children.isEmpty()) {
        return out + QLatin1String("/>");
    }
    return out + QLatin1Char('>') + children + QLatin1String("\n</") + XMLKey::VALUELIST
           + QLatin1Char('>');
}

// Reads the children of a record element: exactly `names`, in this order, each holding text.
bool readRecord(StrictXmlReader &reader, const QStringList &names, QList<QString *> texts)
{
    if (!reader.checkNoAttributes()) {
        return false;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!reader.expectChild(names.at(i))
            || !reader.readText(texts.at(i), StrictXmlReader::CharElements::Decoded)) {
            return false;
        }
    }
    return reader.expectEnd();
}

// Reads the children of the root, each an element `recordName` read by `readOne`.
bool readRecords(StrictXmlReader &reader, const QString &recordName,
                 const std::function<bool()> &readOne)
{
    StrictXmlReader::Step step = StrictXmlReader::Step::Failed;
    while ((step = reader.nextChild()) == StrictXmlReader::Step::Child) {
        if (reader.elementName() != recordName) {
            return reader.failUnexpectedElement();
        }
        if (!readOne()) {
            return false;
        }
    }
    return step == StrictXmlReader::Step::End;
}

bool readMetadataField(StrictXmlReader &reader, MetadataFieldDefinition *definition)
{
    if (!reader.checkNoAttributes()) {
        return false;
    }
    StrictXmlReader::Step step = StrictXmlReader::Step::Failed;
    while ((step = reader.nextChild()) == StrictXmlReader::Step::Child) {
        const QString key = reader.elementName();
        QString text;
        if (definition->contains(key)) {
            return reader.fail(XMLValueProcessor::tr("Element '%1' appears twice in '%2'")
                                   .arg(key, XMLKey::MD_METADATFIELD));
        }
        if (!reader.readText(&text, StrictXmlReader::CharElements::Decoded)) {
            return false;
        }
        definition->insert(key, text);
    }
    return step == StrictXmlReader::Step::End;
}

// The kind named by the root's attributes, or null after recording the error.
const ValueKind *readRootAttributes(StrictXmlReader &reader)
{
    QString version;
    QString type;
    bool hasVersion = false;
    bool hasType = false;
    for (const QXmlStreamAttribute &attribute : reader.attributes()) {
        const QString name = attribute.qualifiedName().toString();
        if (name == XMLKey::FORMATVERSION) {
            version = attribute.value().toString();
            hasVersion = true;
        } else if (name == XMLKey::TYPE) {
            type = attribute.value().toString();
            hasType = true;
        } else {
            reader.fail(XMLValueProcessor::tr("Unexpected attribute '%1' in '%2'")
                            .arg(name, XMLKey::VALUELIST));
            return nullptr;
        }
    }
    if (!hasVersion || !hasType) {
        reader.fail(XMLValueProcessor::tr("The attribute '%1' is missing")
                        .arg(hasVersion ? XMLKey::TYPE : XMLKey::FORMATVERSION));
        return nullptr;
    }
    bool isNumber = !version.isEmpty();
    for (const QChar c : std::as_const(version)) {
        isNumber = isNumber && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    }
    const int versionNumber = isNumber ? version.toInt(&isNumber) : 0;
    if (!isNumber || versionNumber < 1) {
        reader.fail(XMLValueProcessor::tr("'%1' is not a format version").arg(version));
        return nullptr;
    }
    if (versionNumber > kFormatVersion) {
        reader.fail(XMLValueProcessor::tr(
                        "The value is written in format version %1; this program reads version %2")
                        .arg(versionNumber)
                        .arg(kFormatVersion));
        return nullptr;
    }
    const ValueKind *kind = kindForKeyword(type);
    if (!kind || &canonicalKind(kind->type) != kind) {
        reader.fail(XMLValueProcessor::tr("Unknown value type '%1'").arg(type));
        return nullptr;
    }
    return kind;
}

} // namespace

bool XMLValueProcessor::read(const QString &text, XmlError *error)
{
    StrictXmlReader reader(text);
    const ValueKind *kind =
        reader.readRootElement(XMLKey::VALUELIST) ? readRootAttributes(reader) : nullptr;
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
                return reader.readText(&values.last(), StrictXmlReader::CharElements::Decoded);
            });
            break;
        case Content::UniversalData:
            ok = readRecords(reader, XMLKey::VALUERECORD, [&] {
                universalData.append(UniversalData());
                UniversalData &added = universalData.last();
                return readRecord(reader,
                                  {XMLKey::VALUEFIRST, XMLKey::VALUESECOND, XMLKey::VALUETHIRD},
                                  {&added.first, &added.second, &added.third});
            });
            break;
        case Content::EmailInfos:
            ok = readRecords(reader, XMLKey::VALUEEMAILINFO, [&] {
                emailInfos.append(EmailInform());
                EmailInform &added = emailInfos.last();
                return readRecord(reader,
                                  {XMLKey::EMAILADDRESSES, XMLKey::SUBJECT, XMLKey::EMAILBODYTEXT},
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
    if (!ok || !reader.readEndOfDocument()) {
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
    const ValueKind *kind = kindForWriting(editorKeyword, Content::Items, errorMessage);
    if (!kind) {
        return QString();
    }
    QString children;
    for (const QString &item : items) {
        children += textElement(1, XMLKey::VALUEITEM, item);
    }
    return rootElement(*kind, children);
}

QString XMLValueProcessor::generateXMLValue(const QString &editorKeyword,
                                            const QList<UniversalData> &fields,
                                            QString *errorMessage)
{
    const ValueKind *kind = kindForWriting(editorKeyword, Content::UniversalData, errorMessage);
    if (!kind) {
        return QString();
    }
    QString children;
    for (const UniversalData &field : fields) {
        children += groupElement(XMLKey::VALUERECORD,
                                 textElement(2, XMLKey::VALUEFIRST, field.first)
                                     + textElement(2, XMLKey::VALUESECOND, field.second)
                                     + textElement(2, XMLKey::VALUETHIRD, field.third));
    }
    return rootElement(*kind, children);
}

QString XMLValueProcessor::generateXMLValue(const QString &editorKeyword,
                                            const QList<EmailInform> &infos, QString *errorMessage)
{
    const ValueKind *kind = kindForWriting(editorKeyword, Content::EmailInfos, errorMessage);
    if (!kind) {
        return QString();
    }
    QString children;
    for (const EmailInform &info : infos) {
        children += groupElement(XMLKey::VALUEEMAILINFO,
                                 textElement(2, XMLKey::EMAILADDRESSES, info.recipients)
                                     + textElement(2, XMLKey::SUBJECT, info.subject)
                                     + textElement(2, XMLKey::EMAILBODYTEXT, info.body));
    }
    return rootElement(*kind, children);
}

QString XMLValueProcessor::generateXMLValue(const QString &editorKeyword,
                                            const QList<MetadataFieldDefinition> &definitions,
                                            QString *errorMessage)
{
    const ValueKind *kind = kindForWriting(editorKeyword, Content::MetadataFields, errorMessage);
    if (!kind) {
        return QString();
    }
    QString children;
    for (const MetadataFieldDefinition &definition : definitions) {
        QString fields;
        for (auto it = definition.cbegin(); it != definition.cend(); ++it) {
            // Keys become element names.
            if (!Validation::isValidXmlName(it.key())) {
                fail(errorMessage,
                     tr("'%1' cannot be the key of a metadata field definition").arg(it.key()));
                return QString();
            }
            fields += textElement(2, it.key(), it.value());
        }
        children += groupElement(XMLKey::MD_METADATFIELD, fields);
    }
    return rootElement(*kind, children);
}

} // namespace SRCore
