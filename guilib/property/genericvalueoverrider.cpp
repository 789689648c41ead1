#include "genericvalueoverrider.h"

#include "editorkinds.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace GuiLib {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using SRCore::XMLValueProcessor;
using ValueType = SRCore::XMLValueProcessor::ValueType;

bool containsAny(const QString &editors, const QStringList &keywords)
{
    return std::any_of(keywords.cbegin(), keywords.cend(),
                       [&editors](const QString &keyword) { return editors.contains(keyword); });
}

QString masked(const QString &value)
{
    return QString(value.size(), QLatin1Char('*'));
}

bool isMasked(const QString &type, const QString &editor, const QString &editors)
{
    return (type == XMLValues::EDITORTYPE_STRING && editors.contains(XMLValues::EDITOR_HIDDEN))
           || (type == XMLValues::EDITORTYPE_PASSWORD && editor == XMLValues::EDITOR_INLINE);
}

bool isPathLike(const QString &type, const QString &editors)
{
    return type == XMLValues::EDITORTYPE_PATH || editors.contains(XMLValues::EDITOR_CHOOSEFILE)
           || editors.contains(XMLValues::EDITOR_CHOOSEFOLDER);
}

// The editors whose values are structured lists read with XMLValueProcessor.
const QStringList &structuredEditors()
{
    static const QStringList editors = {
        XMLValues::EDITOR_SCRIPTEXP,
        XMLValues::EDITOR_PATTERNS,
        XMLValues::EDITOR_FILEPATTERNS,
        XMLValues::EDITOR_FOLDERPATTERNS,
        XMLValues::EDITOR_REGEXP,
        XMLValues::EDITOR_TYPES,
        XMLValues::EDITOR_ASKPLUGIN2,
        XMLValues::EDITOR_EINFOEDIT,
        XMLValues::EDITOR_MAPEINFOEDIT,
        XMLValues::EDITOR_ACCOUNTSDEF,
        XMLValues::EDITOR_METADADTAFIELDSEDIT,
        XMLValues::EDITOR_METADADTAFIELDSREAD,
        XMLValues::EDITOR_GLOBALDATAFIELDS,
        XMLValues::EDITOR_USERDATAFIELDS,
        XMLValues::EDITOR_METADATAFIELDS,
        XMLValues::EDITOR_STRINGLIST,
    };
    return editors;
}

// Nothing when the value type has no summary of its own.
std::optional<QString> structuredSummary(const QString &value)
{
    const XMLValueProcessor processor(value);
    switch (processor.valueType()) {
    case ValueType::ScriptExpression:
        return GenericValueOverrider::tr("Script expression defined");
    case ValueType::Patterns:
        return processor.values().join(QStringLiteral("; "));
    case ValueType::RegularExpression:
        return GenericValueOverrider::tr("Regular expression defined");
    case ValueType::FileTypes:
        return GenericValueOverrider::tr("File types defined");
    case ValueType::SelectManyFromLibrary:
        return processor.values().size() == 1
                   ? processor.values().constFirst()
                   : GenericValueOverrider::tr("Select many from library defined");
    case ValueType::EmailInfoMap:
        return GenericValueOverrider::tr("Email info map defined");
    case ValueType::EmailInfo:
        return GenericValueOverrider::tr("Email info defined");
    case ValueType::MailAccounts:
        return GenericValueOverrider::tr("Email accounts defined");
    case ValueType::EditableMetadataFields:
        return GenericValueOverrider::tr("Editable metadata fields defined");
    case ValueType::ReadOnlyMetadataFields:
        return GenericValueOverrider::tr("Read-only metadata fields defined");
    case ValueType::GlobalDataFields:
        return GenericValueOverrider::tr("Global data fields defined");
    case ValueType::PrivateDataFields:
        return GenericValueOverrider::tr("Private data fields defined");
    case ValueType::MetadataFields:
        return GenericValueOverrider::tr("Metadata fields defined");
    case ValueType::StringList:
        return GenericValueOverrider::tr("String list defined");
    case ValueType::NotAListValue:
    case ValueType::Passwords:
        break;
    }
    return std::nullopt;
}

QString describeEmailInfo(const SRCore::EmailInform &info)
{
    QString text;
    if (!info.recipients.isEmpty()) {
        text = GenericValueOverrider::tr("To: ") + info.recipients;
    }
    if (!info.body.isEmpty()) {
        text += QStringLiteral("\n\n") + info.body;
    }
    return text;
}

QString structuredDescription(const QString &type, const QString &value)
{
    const XMLValueProcessor processor(value);
    const ValueType valueType = processor.valueType();
    const QStringList items = processor.values();
    // Passwords never show, not even their number.
    if ((valueType == ValueType::Passwords || type == XMLValues::EDITORTYPE_PASSWORD)
        && !items.isEmpty()) {
        return QStringLiteral("*******");
    }
    QString text;
    switch (valueType) {
    case ValueType::MetadataFields:
    case ValueType::PrivateDataFields:
        for (const SRCore::UniversalData &field : processor.universaldataFields()) {
            text += field.first + QStringLiteral(" = ") + field.third + QLatin1Char('\n');
        }
        return text;
    case ValueType::GlobalDataFields:
        for (const SRCore::UniversalData &field : processor.universaldataFields()) {
            text += field.second + QLatin1Char('\n');
        }
        return text;
    case ValueType::EditableMetadataFields:
    case ValueType::ReadOnlyMetadataFields:
        return {};
    case ValueType::EmailInfo:
        return processor.emailInfos().isEmpty() ? QString()
                                                : describeEmailInfo(processor.emailInfos().first());
    case ValueType::EmailInfoMap: {
        QStringList entries;
        for (const SRCore::EmailInform &info : processor.emailInfos()) {
            entries.append(describeEmailInfo(info));
        }
        return entries.join(QStringLiteral("\n\n"));
    }
    case ValueType::SelectManyFromLibrary:
    case ValueType::FileTypes:
    case ValueType::Passwords:
    case ValueType::Patterns:
    case ValueType::StringList:
        return items.join(QLatin1Char('\n'));
    case ValueType::MailAccounts:
        for (const QString &account : items) {
            text += account.section(QLatin1Char(';'), 0, 0) + QLatin1Char('\n');
        }
        return text;
    case ValueType::ScriptExpression:
    case ValueType::RegularExpression:
        return items.value(0);
    case ValueType::NotAListValue:
        break;
    }
    return value;
}

} // namespace

QString GenericValueOverrider::displayText(const QString &type, const QString &editor,
                                           const QString &value, const QString &editors)
{
    const bool pathType = type == XMLValues::EDITORTYPE_PATH;
    if (value == XMLValues::AUTOMANAGED
        && (pathType || editors.contains(XMLValues::EDITOR_AUTOMANAGED))) {
        return tr("Auto-managed");
    }
    if (editors.contains(XMLValues::EDITOR_DATAMODEL) && value == XMLValues::MDDATAMODEL) {
        return tr("Data model");
    }
    if (editors.contains(XMLValues::EDITOR_JOBNAME) && value == XMLValues::MDJOBNAME) {
        return tr("Job name");
    }
    if (editors.contains(XMLValues::EDITOR_AUTOMATIC) && value == XMLValues::AUTOMATIC) {
        return tr("Automatic");
    }
    if (value == XMLValues::UP_SYSTEMDATA && (pathType || editor == XMLValues::EDITOR_SYSTEMDATA)) {
        return tr("System data");
    }
    if (value == XMLValues::UP_USERDATA && (pathType || editor == XMLValues::EDITOR_USERDATA)) {
        return tr("User data");
    }
    if (value == XMLValues::UP_DEFAULT && (pathType || editor == XMLValues::EDITOR_DEFAULT)) {
        return tr("Default");
    }
    if (isMasked(type, editor, editors)) {
        return masked(value);
    }
    if (editor == XMLValues::EDITOR_INLINE) {
        return value;
    }
    if (editor == XMLValues::EDITOR_DESCRIPTION
        && editors.contains(XMLValues::EDITOR_DESCRIPTION)) {
        static const QRegularExpression lineBreak(QStringLiteral("\r?\n"));
        return value.split(lineBreak, Qt::SkipEmptyParts).join(QLatin1Char(' '));
    }
    if (type == XMLValues::EDITORTYPE_STRINGLIST && editors == XMLValues::EDITOR_PASSWDEF) {
        // The server's own wording, never translated.
        return value.isEmpty() ? QString() : QStringLiteral("Passwords defined");
    }
    const struct
    {
        const QString &keyword;
        const char *text;
    } textsWithVariables[] = {
        {XMLValues::EDITOR_CONDITIONWITHVAR, QT_TR_NOOP("Condition with variables defined")},
        {XMLValues::EDITOR_SLTEXTWITHVAR, QT_TR_NOOP("Single-line text with variables defined")},
        {XMLValues::EDITOR_MLTEXTWITHVAR, QT_TR_NOOP("Multi-line text with variables defined")},
    };
    for (const auto &entry : textsWithVariables) {
        if (editor == entry.keyword && editors.contains(entry.keyword)) {
            return value.isEmpty() ? QString() : tr(entry.text);
        }
    }
    if (containsAny(editors, structuredEditors())) {
        if (const std::optional<QString> summary = structuredSummary(value)) {
            return *summary;
        }
    }
    if (isPathLike(type, editors)) {
        return QDir::toNativeSeparators(value);
    }
    static const QStringList fixedKinds = {
        XMLValues::EDITOR_DEFAULT,       XMLValues::EDITOR_AUTOMATIC,
        XMLValues::EDITOR_NOBOOL,        XMLValues::EDITOR_NO,
        XMLValues::EDITOR_ALL,           XMLValues::EDITOR_ALLOTHER,
        XMLValues::EDITOR_NOFILES,       XMLValues::EDITOR_ALLFILES,
        XMLValues::EDITOR_ALLOTHERFILES, XMLValues::EDITOR_NOFOLDERS,
        XMLValues::EDITOR_ALLFOLDERS,    XMLValues::EDITOR_ALLOTHERFOLDERS,
        XMLValues::EDITOR_DATAMODEL,     XMLValues::EDITOR_JOBNAME,
        XMLValues::EDITOR_USERDATA,      XMLValues::EDITOR_SYSTEMDATA,
    };
    static const QStringList fixedValues = {
        XMLValues::UP_DEFAULT,    XMLValues::AUTOMATIC,  XMLValues::NO,
        XMLValues::NOFILES,       XMLValues::ALLFILES,   XMLValues::ALLOTHERFILES,
        XMLValues::NOFOLDERS,     XMLValues::ALLFOLDERS, XMLValues::ALLOTHERFOLDERS,
        XMLValues::MDDATAMODEL,   XMLValues::MDJOBNAME,  XMLValues::UP_USERDATA,
        XMLValues::UP_SYSTEMDATA,
    };
    if (fixedKinds.contains(editor) && fixedValues.contains(value)) {
        return EditorKinds::label(editor, type);
    }
    return value;
}

QString GenericValueOverrider::valueDescription(const QString &tag, const QString &type,
                                                const QString &editor, const QString &value,
                                                const QString &editors)
{
    static const QStringList describedEditors = structuredEditors()
                                                + QStringList{
                                                    XMLValues::EDITOR_PASSWDEF,
                                                };
    if (containsAny(editors, describedEditors)) {
        return structuredDescription(type, value);
    }
    static const QStringList plainTextEditors = {
        XMLValues::EDITOR_SLTEXTWITHVAR,    XMLValues::EDITOR_MLTEXTWITHVAR,
        XMLValues::EDITOR_CONDITIONWITHVAR, XMLValues::EDITOR_ASKPLUGIN,
        XMLValues::EDITOR_FILETYPE,         XMLValues::EDITOR_DESCRIPTION,
    };
    if (containsAny(editors, plainTextEditors)) {
        return value;
    }
    static const QStringList symbolicPaths = {XMLValues::AUTOMANAGED, XMLValues::UP_SYSTEMDATA,
                                              XMLValues::UP_USERDATA, XMLValues::UP_DEFAULT};
    if (isPathLike(type, editors) && !value.isEmpty() && !symbolicPaths.contains(value)) {
        return QDir::toNativeSeparators(value);
    }
    static const QStringList plainTags = {XMLKey::NAME, XMLKey::FTPDIRECTORY, XMLKey::FTPSERVER,
                                          XMLKey::SUBJECT};
    if (plainTags.contains(tag) && !value.isEmpty()) {
        return value;
    }
    if (isMasked(type, editor, editors)) {
        return masked(value);
    }
    return value;
}

} // namespace GuiLib
