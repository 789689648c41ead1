#include "declarationxml.h"

#include "objecttemplates.h"
#include "packagelogging.h"

#include "corelib/common/textexcerpt.h"
#include "corelib/common/validation.h"
#include "corelib/common/xmlerror.h"
#include "corelib/common/xmltext.h"
#include "corelib/flow/flowobject.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomDocument>
#include <QFile>
#include <QSet>
#include <QXmlStreamWriter>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

// The basic script properties copied into the element fields of the same tag.
const QStringList &copiedElementFields()
{
    static const QStringList tags = {XMLKey::NAME,
                                     XMLKey::TOOLTIP,
                                     XMLKey::INCOMINGCONNECTIONS,
                                     XMLKey::OUTGOINGCONNECTIONS,
                                     XMLKey::CONNECTIONTYPE,
                                     XMLKey::EXECUTIONMODE,
                                     XMLKey::NUMBEROFSLOTS,
                                     XMLKey::EXECUTIONGROUP,
                                     XMLKey::PERFORMANCETUNING,
                                     XMLKey::IDLEAFTERJOB,
                                     XMLKey::KEYWORDS};
    return tags;
}

// A traffic-light outcome: its connection field and the basic flags that offer it for data
// and for log files.
struct Outcome
{
    QString field;
    QString dataFlag;
    QString logFlag;
};

const QList<Outcome> &outcomes()
{
    static const QList<Outcome> list = {
        {XMLKey::SUCCESS, XMLKey::DATASUCCESS, XMLKey::LOGSUCCESS},
        {XMLKey::WARNING, XMLKey::DATAWARNING, XMLKey::LOGWARNING},
        {XMLKey::ERROR_, XMLKey::DATAERROR, XMLKey::LOGERROR},
    };
    return list;
}

struct Language
{
    QString name;
    QString includeFlag;
    QString functionsField;
};

const QList<Language> &languages()
{
    static const QList<Language> list = {
        {XMLValues::JAVASCRIPT, XMLKey::INCLUDEJAVASCRIPT, XMLKey::SCRIPTFUNCTIONS},
        {XMLValues::APPLESCRIPT, XMLKey::INCLUDEAPPLESCRIPT, XMLKey::FUNCTIONSAPPLESCRIPT},
        {XMLValues::VBSCRIPT, XMLKey::INCLUDEVBSCRIPT, XMLKey::FUNCTIONSVBSCRIPT},
    };
    return list;
}

// What a traffic-light outcome field offers: AvailableFor says only data or only log files,
// no attribute says both.
QString availableFor(bool data, bool log)
{
    if (data && !log) {
        return XMLValues::DATA;
    }
    if (!data && log) {
        return XMLValues::LOG;
    }
    return QString();
}

void setOnlyText(QDomElement &element, const QString &text)
{
    while (!element.firstChild().isNull()) {
        element.removeChild(element.firstChild());
    }
    if (!text.isEmpty()) {
        element.appendChild(element.ownerDocument().createTextNode(text));
    }
}

void removeElement(QDomElement element)
{
    if (!element.isNull()) {
        element.parentNode().removeChild(element);
    }
}

// The field's text, whether written as text, as CDATA or encoded. False with the reason when
// an encoded text cannot be decoded.
bool contentText(const QDomElement &element, QString *text, QString *errorMessage)
{
    QString content;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isText() || node.isCDATASection()) {
            content += node.nodeValue();
        }
    }
    if (!element.hasAttribute(XMLKey::VALUEENCODING)) {
        *text = content;
        return true;
    }
    QString reason;
    if (SRCore::XmlText::decode(XMLKey::VALUEENCODING, element.attribute(XMLKey::VALUEENCODING),
                                content, text, &reason)) {
        return true;
    }
    if (errorMessage) {
        *errorMessage = DeclarationXml::tr("Line %1: the value of %2 cannot be read: %3")
                            .arg(element.lineNumber())
                            .arg(SRCore::TextExcerpt::of(element.tagName()), reason);
    }
    return false;
}

// Attributes in the order in which a reader expects to meet them; others follow by name.
const QStringList &attributeOrder()
{
    static const QStringList order = {XMLKey::DEPENDENCY,
                                      XMLKey::DEPENDENCYVALUE,
                                      XMLKey::VALIDATION,
                                      XMLKey::LOCALIZEDTAGNAME,
                                      XMLKey::TOOLTIP,
                                      XMLKey::AVAILABLEFOR,
                                      XMLKey::REQUIREATLEASTONE,
                                      XMLKey::OPAQUEPROPERTY,
                                      XMLKey::STRINGLISTEDITORMES,
                                      XMLKey::SELECTFROMLIBMESSAGE,
                                      XMLKey::SELECTMANYFROMLIBMESSAGE,
                                      XMLKey::EXTERNALAPPLICATION,
                                      XMLKey::EXTERNALARGFORNEW,
                                      XMLKey::EXTERNALARGFOREDIT,
                                      XMLKey::TYPE,
                                      XMLKey::EDITOR,
                                      XMLKey::DEFAULT,
                                      XMLKey::SUBTYPE};
    return order;
}

void writeElement(QXmlStreamWriter &writer, const QDomElement &element)
{
    writer.writeStartElement(element.tagName());
    QStringList names;
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        names.append(attributes.item(i).toAttr().name());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const qsizetype ia = attributeOrder().indexOf(a);
        const qsizetype ib = attributeOrder().indexOf(b);
        if (ia != ib) {
            return ia >= 0 && (ib < 0 || ia < ib);
        }
        return a < b;
    });
    for (const QString &name : std::as_const(names)) {
        writer.writeAttribute(
            name, SRCore::XmlText::withoutUnstorableCharacters(element.attribute(name)));
    }

    QString text;
    bool cdata = false;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isElement()) {
            writeElement(writer, node.toElement());
        } else if (node.isText() || node.isCDATASection()) {
            text += node.nodeValue();
            cdata = cdata || node.isCDATASection();
        }
    }
    // A parser turns a carriage return inside CDATA into a line feed: such a value is written
    // as text, which keeps it.
    if (cdata && !text.contains(QLatin1Char('\r')) && !SRCore::XmlText::needsEncoding(text)) {
        writer.writeCDATA(text);
    } else {
        SRCore::XmlText::write(writer, text, XMLKey::VALUEENCODING);
    }
    writer.writeEndElement();
}

QDomDocument defaultDeclaration()
{
    QDomDocument document;
    QFile file(ObjectTemplates::defaultDeclarationPath());
    SRCore::XmlError error;
    if (!file.open(QIODevice::ReadOnly)
        || !SRCore::parseXmlDocument(file.readAll(), document, &error)) {
        // The resource is part of the program; without it there is nothing sensible to write.
        qCCritical(lcPackage) << "default declaration unreadable:" << error.toString();
    }
    return document;
}

void appendMessage(QList<SRCore::LogRecord> *messages, int level, const char *text,
                   const QString &argument)
{
    if (messages) {
        messages->append(SRCore::LogRecord(level, QString::fromLatin1(text), QString(), QString(),
                                           QString(), argument));
    }
}

bool isYes(const QHash<QString, QString> &values, const QString &tag)
{
    return values.value(tag) == XMLValues::YES;
}

QString yesNo(bool value)
{
    return value ? XMLValues::YES : XMLValues::NO;
}

bool readDefinitions(const QDomElement &section, QList<DefinitionRecord> &definitions,
                     QList<SRCore::LogRecord> *messages, QString *errorMessage)
{
    QSet<QString> readTags;
    for (QDomElement field = section.firstChildElement(); !field.isNull();
         field = field.nextSiblingElement()) {
        const QString tag = field.tagName();
        if (field.attribute(XMLKey::EDITOR).compare(XMLValues::HIDE, Qt::CaseInsensitive) == 0
            || !field.hasAttribute(XMLKey::TOOLTIP) || tag == XMLKey::INCLUDEFOLDERMASK
            || tag == XMLKey::EXCLUDEFOLDERMASK || tag == XMLKey::DATASETNAME) {
            continue;
        }
        DefinitionRecord definition;
        definition.tag = tag;
        DefinitionEditors::Values &values = definition.values;
        values.insert(XMLKey::DEF_TAG, tag);
        values.insert(XMLKey::NAME, field.attribute(XMLKey::LOCALIZEDTAGNAME));
        values.insert(XMLKey::TOOLTIP, field.attribute(XMLKey::TOOLTIP));
        if (field.hasAttribute(XMLKey::VALIDATION)) {
            values.insert(XMLKey::VALIDATION, field.attribute(XMLKey::VALIDATION));
        }
        QString content;
        if (!contentText(field, &content, errorMessage)) {
            return false;
        }
        // An encoded content holds characters that the attribute had to drop.
        values.insert(XMLKey::DEFAULT, field.hasAttribute(XMLKey::DEFAULT)
                                               && !field.hasAttribute(XMLKey::VALUEENCODING)
                                           ? field.attribute(XMLKey::DEFAULT)
                                           : content);
        definition.defaultEditor = field.attribute(XMLKey::SUBTYPE);
        DefinitionEditors::restore(field, values);

        if (field.hasAttribute(XMLKey::DEPENDENCY)) {
            const QString master = field.attribute(XMLKey::DEPENDENCY);
            values.insert(XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
            values.insert(XMLKey::DEF_MASTERVALUE, field.attribute(XMLKey::DEPENDENCYVALUE));
            if (readTags.contains(master)) {
                definition.masterTag = master;
            } else {
                appendMessage(messages, SRCore::LogLevel::Error,
                              QT_TRANSLATE_NOOP("LogMessages",
                                                "Can't find master property '%11' for property "
                                                "'%12'"),
                              SRCore::TextExcerpt::of(master) + QLatin1Char(',')
                                  + SRCore::TextExcerpt::of(tag));
            }
        }
        readTags.insert(tag);
        definitions.append(definition);
    }
    return true;
}

} // namespace

QByteArray DeclarationXml::toText(const QDomDocument &document)
{
    QByteArray text;
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writer.writeStartDocument();
    writeElement(writer, document.documentElement());
    writer.writeEndDocument();
    return text;
}

QString DeclarationXml::toText(const QDomElement &element)
{
    QString text;
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writeElement(writer, element);
    return text;
}

QString DeclarationXml::positionInElementPane(const QString &value)
{
    const int colon = value.indexOf(QLatin1Char(':'));
    QString category = colon < 0 ? value : value.left(colon);
    const QString rest = colon < 0 ? QString() : value.mid(colon + 1);
    static const QStringList known = {XMLValues::ELEMENTPANE_BASICS, XMLValues::ELEMENTPANE_TOOLS,
                                      XMLValues::ELEMENTPANE_COMMUNICATION,
                                      XMLValues::ELEMENTPANE_PROCESSING,
                                      XMLValues::ELEMENTPANE_METADATA};
    if (!known.contains(category)) {
        category = XMLValues::ELEMENTPANE_CUSTOM;
    }
    return category + QLatin1Char(':') + rest;
}

QDomElement DeclarationXml::writeDefinition(QDomDocument &document,
                                            const DefinitionRecord &definition,
                                            QList<SRCore::LogRecord> *messages)
{
    const DefinitionEditors::Values &values = definition.values;
    QDomElement element =
        document.createElement(SRCore::Validation::makeValidXmlName(definition.tag));
    if (!definition.masterTag.isEmpty()) {
        element.setAttribute(XMLKey::DEPENDENCY,
                             SRCore::Validation::makeValidXmlName(definition.masterTag));
        element.setAttribute(XMLKey::DEPENDENCYVALUE, values.value(XMLKey::DEF_MASTERVALUE));
    }
    element.setAttribute(XMLKey::VALIDATION, values.value(XMLKey::VALIDATION));
    element.setAttribute(XMLKey::LOCALIZEDTAGNAME, values.value(XMLKey::NAME));
    element.setAttribute(XMLKey::TOOLTIP, values.value(XMLKey::TOOLTIP));

    const DefinitionEditors::Attributes editors = DefinitionEditors::attributes(values);
    if (editors.externalApplicationMissing) {
        appendMessage(messages, SRCore::LogLevel::Warning,
                      QT_TRANSLATE_NOOP("LogMessages", "External application has not been chosen"),
                      SRCore::TextExcerpt::of(definition.tag));
    }
    DefinitionEditors::apply(editors, element);

    const QString defaultValue = values.value(XMLKey::DEFAULT);
    element.setAttribute(XMLKey::DEFAULT, defaultValue);
    element.setAttribute(XMLKey::SUBTYPE, definition.defaultEditor);
    if (definition.defaultIsSpecial) {
        element.appendChild(document.createCDATASection(defaultValue));
    } else if (!defaultValue.isEmpty()) {
        element.appendChild(document.createTextNode(defaultValue));
    }
    return element;
}

QDomElement DeclarationXml::writeDefinitions(QDomDocument &document, const QString &section,
                                             const QList<DefinitionRecord> &definitions,
                                             QList<SRCore::LogRecord> *messages)
{
    QDomElement element = document.createElement(section);
    for (const DefinitionRecord &definition : definitions) {
        element.appendChild(writeDefinition(document, definition, messages));
    }
    return element;
}

QDomDocument DeclarationXml::write(const DeclarationContent &content,
                                   QList<SRCore::LogRecord> *messages)
{
    const QHash<QString, QString> &basic = content.basicValues;
    QDomDocument document = defaultDeclaration();
    const QDomElement root = document.documentElement();
    QDomElement elementFields = root.firstChildElement(XMLKey::ELEMENTFIELDS);
    QDomElement connectionFields = root.firstChildElement(XMLKey::CONNECTIONFIELDS);

    for (const QString &tag : copiedElementFields()) {
        QDomElement field = elementFields.firstChildElement(tag);
        setOnlyText(field, basic.value(tag));
    }

    QDomElement incoming = elementFields.firstChildElement(XMLKey::INCOMINGCONNECTIONS);
    if (isYes(basic, XMLKey::REQUIREINCOMING)) {
        incoming.setAttribute(XMLKey::REQUIREATLEASTONE, XMLValues::YES);
    } else {
        incoming.removeAttribute(XMLKey::REQUIREATLEASTONE);
    }
    QDomElement outgoing = elementFields.firstChildElement(XMLKey::OUTGOINGCONNECTIONS);
    const QString outgoingValue = basic.value(XMLKey::OUTGOINGCONNECTIONS);
    if ((outgoingValue == XMLValues::OUTGOING_ONE || outgoingValue == XMLValues::OUTGOING_UNLIMITED)
        && isYes(basic, XMLKey::REQUIREOUTGOING)) {
        outgoing.setAttribute(XMLKey::REQUIREATLEASTONE, XMLValues::YES);
    } else {
        outgoing.removeAttribute(XMLKey::REQUIREATLEASTONE);
    }

    const QString connectionType = basic.value(XMLKey::CONNECTIONTYPE);
    for (const Outcome &outcome : outcomes()) {
        QDomElement field = connectionFields.firstChildElement(outcome.field);
        const bool data = isYes(basic, outcome.dataFlag);
        const bool log = isYes(basic, outcome.logFlag);
        if (connectionType != XMLValues::CONNECTION_TRAFFICLIGHT || (!data && !log)) {
            removeElement(field);
        } else if (const QString kind = availableFor(data, log); !kind.isEmpty()) {
            field.setAttribute(XMLKey::AVAILABLEFOR, kind);
        }
    }

    if (connectionType != XMLValues::CONNECTION_FILTER
        || !isYes(basic, XMLKey::INCLUDEEXCLUDEFOLDER)) {
        removeElement(connectionFields.firstChildElement(XMLKey::INCLUDEFOLDERMASK));
        removeElement(connectionFields.firstChildElement(XMLKey::EXCLUDEFOLDERMASK));
    }

    for (const Language &language : languages()) {
        QDomElement field = elementFields.firstChildElement(language.functionsField);
        if (isYes(basic, language.includeFlag)) {
            setOnlyText(field, content.scriptFunctions.value(language.name).join(QLatin1Char(';')));
        } else {
            removeElement(field);
        }
    }

    QDomElement position = elementFields.firstChildElement(XMLKey::POSITIONINELEMENTPANE);
    setOnlyText(position, positionInElementPane(basic.value(XMLKey::POSITIONINELEMENTPANE)));

    for (const DefinitionRecord &definition : content.elementDefinitions) {
        elementFields.appendChild(writeDefinition(document, definition, messages));
    }
    for (const DefinitionRecord &definition : content.connectionDefinitions) {
        connectionFields.appendChild(writeDefinition(document, definition, messages));
    }
    return document;
}

bool DeclarationXml::read(const QDomDocument &document, DeclarationContent &content,
                          QList<SRCore::LogRecord> *messages, QString *errorMessage)
{
    const QDomElement root = document.documentElement();
    const QDomElement elementFields = root.firstChildElement(XMLKey::ELEMENTFIELDS);
    const QDomElement connectionFields = root.firstChildElement(XMLKey::CONNECTIONFIELDS);
    if (root.tagName() != XMLKey::OBJECT || elementFields.isNull() || connectionFields.isNull()) {
        if (errorMessage) {
            *errorMessage =
                tr("The document is no script declaration: it needs an %1 element "
                   "with %2 and %3.")
                    .arg(XMLKey::OBJECT, XMLKey::ELEMENTFIELDS, XMLKey::CONNECTIONFIELDS);
        }
        return false;
    }

    QHash<QString, QString> &basic = content.basicValues;
    for (QDomElement field = elementFields.firstChildElement(); !field.isNull();
         field = field.nextSiblingElement()) {
        if (field.attribute(XMLKey::EDITOR).compare(XMLValues::HIDE, Qt::CaseInsensitive) == 0) {
            QString text;
            if (!contentText(field, &text, errorMessage)) {
                return false;
            }
            basic.insert(field.tagName(), text);
        }
    }
    // A missing attribute means the requirement was off when written.
    basic.insert(XMLKey::REQUIREINCOMING,
                 elementFields.firstChildElement(XMLKey::INCOMINGCONNECTIONS)
                     .attribute(XMLKey::REQUIREATLEASTONE, XMLValues::NO));
    basic.insert(XMLKey::REQUIREOUTGOING,
                 elementFields.firstChildElement(XMLKey::OUTGOINGCONNECTIONS)
                     .attribute(XMLKey::REQUIREATLEASTONE, XMLValues::NO));
    basic.insert(XMLKey::INCLUDEEXCLUDEFOLDER,
                 yesNo(!connectionFields.firstChildElement(XMLKey::INCLUDEFOLDERMASK).isNull()
                       || !connectionFields.firstChildElement(XMLKey::EXCLUDEFOLDERMASK).isNull()));
    if (basic.value(XMLKey::CONNECTIONTYPE) == XMLValues::CONNECTION_TRAFFICLIGHT) {
        for (const Outcome &outcome : outcomes()) {
            const QDomElement field = connectionFields.firstChildElement(outcome.field);
            const QString kind = field.attribute(XMLKey::AVAILABLEFOR);
            basic.insert(outcome.dataFlag,
                         yesNo(!field.isNull() && (kind.isEmpty() || kind == XMLValues::DATA)));
            basic.insert(outcome.logFlag,
                         yesNo(!field.isNull() && (kind.isEmpty() || kind == XMLValues::LOG)));
        }
    }
    // The document keeps the function list of exactly the languages that the package holds.
    for (const Language &language : languages()) {
        basic.insert(language.includeFlag,
                     yesNo(!elementFields.firstChildElement(language.functionsField).isNull()));
    }

    return readDefinitions(elementFields, content.elementDefinitions, messages, errorMessage)
           && readDefinitions(connectionFields, content.connectionDefinitions, messages,
                              errorMessage);
}

void DeclarationXml::exportBasicProperties(const QHash<QString, QString> &basicValues,
                                           SRCore::FlowObject &object, const QString &section)
{
    if (section == XMLKey::ELEMENTFIELDS) {
        object.createField(XMLKey::NAME).setValue(basicValues.value(XMLKey::NAME));
        for (const QString &tag :
             {XMLKey::INCOMINGCONNECTIONS, XMLKey::OUTGOINGCONNECTIONS, XMLKey::CONNECTIONTYPE}) {
            SRCore::FlowObjectField field = object.getField(tag);
            if (field.isNull()) {
                field = object.createField(tag);
                field.setProperty(XMLKey::VALIDATE, XMLValues::NO);
                field.setProperty(XMLKey::EDITOR, XMLValues::HIDE);
            }
            field.setValue(basicValues.value(tag));
        }
        return;
    }
    if (section != XMLKey::CONNECTIONFIELDS) {
        return;
    }
    const QString connectionType = basicValues.value(XMLKey::CONNECTIONTYPE);
    if (connectionType == XMLValues::CONNECTION_TRAFFICLIGHT) {
        for (const Outcome &outcome : outcomes()) {
            const bool data = isYes(basicValues, outcome.dataFlag);
            const bool log = isYes(basicValues, outcome.logFlag);
            if (!data && !log) {
                continue;
            }
            SRCore::FlowObjectField field = object.createField(outcome.field);
            if (const QString kind = availableFor(data, log); kind.isEmpty()) {
                field.removeProperty(XMLKey::AVAILABLEFOR);
            } else {
                field.setProperty(XMLKey::AVAILABLEFOR, kind);
            }
            field.setProperty(XMLKey::EDITOR, XMLValues::EDITOR_INLINE);
            field.setProperty(XMLKey::LOCALIZEDTAGNAME, outcome.field + QStringLiteral(" out"));
            field.setProperty(XMLKey::TYPE, XMLValues::EDITORTYPE_BOOL);
            field.setProperty(XMLKey::DEFAULT, XMLValues::YES);
            field.setValue(XMLValues::YES);
        }
    } else if (connectionType == XMLValues::CONNECTION_FILTER
               && isYes(basicValues, XMLKey::INCLUDEEXCLUDEFOLDER)) {
        SRCore::XmlError error;
        if (!object.injectPropertiesFromXML(
                ObjectTemplates::templateXml(XMLKey::SCR_FILTERINJECTED), &error)) {
            qCCritical(lcPackage) << "folder filter template unreadable:" << error.toString();
        }
    }
}

const QStringList &DeclarationXml::reservedTags()
{
    static const QStringList tags = [] {
        QStringList result{XMLKey::TYPE};
        const QDomElement root = defaultDeclaration().documentElement();
        for (QDomElement section = root.firstChildElement(); !section.isNull();
             section = section.nextSiblingElement()) {
            for (QDomElement field = section.firstChildElement(); !field.isNull();
                 field = field.nextSiblingElement()) {
                result.append(field.tagName());
            }
        }
        // The objects into which the definitions are merged: the fixture's basic settings and
        // outgoing connections, and the script element and connections of the test flow.
        for (const QString &type :
             {XMLKey::SCR_BASICTESTPROPERTIES, XMLKey::SCR_OUTGOINGCONNECTIONS,
              XMLValues::SCRIPTELEMENT, XMLValues::CONNECTION_MOVE, XMLValues::CONNECTION_FILTER,
              XMLValues::CONNECTION_TRAFFICLIGHT}) {
            for (const SRCore::FlowObjectField &field :
                 ObjectTemplates::templateObject(type).getFields()) {
                result.append(field.getName());
            }
        }
        result.removeDuplicates();
        return result;
    }();
    return tags;
}

} // namespace Scripter
