#include "textvalueeditor.h"

#include "dialogplacement.h"
#include "editorkinds.h"
#include "regularexpressionvalidator.h"
#include "validatedtextdialog.h"

#include "corelib/common/validation.h"
#include "corelib/values/filepatternsvalidator.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <memory>

namespace GuiLib {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using SRCore::XMLValueProcessor;

// How the dialog's text becomes the value.
enum class Storage {
    Text,          // as typed
    SeparatedText, // the lines, empty ones dropped, joined by a separator
    ListOfLines,   // a list value of every line
    ListOfItems,   // a list value of the lines that are not blank
    OneItemList,   // a list value holding the whole text
};

struct TextKind
{
    QString dialogName;
    QString prompt;
    Storage storage = Storage::Text;
    QString separator;   // for SeparatedText
    QString listKeyword; // the list value's kind
    bool defineVariables = false;
};

bool isFolderFilter(const ValueEditorRequest &request)
{
    return request.propertyType == XMLValues::EDITORTYPE_FOLDERFILTER
           || EditorKinds::baseKeyword(request.editorType) == XMLValues::EDITOR_FOLDERPATTERNS;
}

TextKind descriptionKind(const QString &tag)
{
    TextKind kind;
    kind.dialogName = QStringLiteral("Description");
    kind.prompt = TextValueEditor::tr("Enter a description...");
    const auto separated = [&kind](const QString &prompt, const char *separator) {
        kind.prompt = prompt;
        kind.storage = Storage::SeparatedText;
        kind.separator = QLatin1String(separator);
    };
    if (tag == XMLKey::DEF_DROPDOWNITEMS) {
        separated(TextValueEditor::tr("Enter a list of dropdown items, one per line"), ";");
    } else if (tag == XMLKey::EMAILADDRESSES) {
        separated(TextValueEditor::tr("Enter a list of e-mail addresses, one per line"), ";");
    } else if (tag == XMLKey::HIERARCHYINFO) {
        separated(TextValueEditor::tr("Enter a hierarchy info"), "/");
    } else if (tag == XMLKey::EMAILBODYTEXT) {
        kind.prompt = TextValueEditor::tr("Enter a e-mail body text");
    } else if (tag == XMLKey::DESCRIPTION) {
        kind.prompt = TextValueEditor::tr("Enter a description for the flow");
    }
    return kind;
}

TextKind textKind(const ValueEditorRequest &request)
{
    const QString keyword = EditorKinds::baseKeyword(request.editorType);
    if (keyword == XMLValues::EDITOR_DESCRIPTION) {
        return descriptionKind(request.tag);
    }
    if (keyword == XMLValues::EDITOR_STRINGLIST) {
        QString prompt = request.fieldAttributes.value(XMLKey::STRINGLISTEDITORMES);
        if (prompt.isEmpty()) {
            prompt = TextValueEditor::tr("Enter a list of strings, one per line");
        }
        return {QStringLiteral("StringList"), prompt, Storage::ListOfItems, {}, keyword};
    }
    if (keyword == XMLValues::EDITOR_PASSWDEF) {
        return {QStringLiteral("Passwords"),
                TextValueEditor::tr("Enter a list of passwords, one per line"),
                Storage::ListOfLines,
                {},
                keyword};
    }
    if (keyword == XMLValues::EDITOR_REGEXP) {
        const QString prompt =
            isFolderFilter(request)
                ? TextValueEditor::tr("Enter a regular expression (the regexp is automatically "
                                      "anchored at both ends).\n\nA folder matches the filter if "
                                      "its foldername matches the regular expression")
                : TextValueEditor::tr("Enter a regular expression (the regexp is automatically "
                                      "anchored at both ends).\n\nA file matches the filter if "
                                      "its filename matches the regular expression");
        return {QStringLiteral("RegExp"), prompt, Storage::OneItemList, {}, keyword};
    }
    if (keyword == XMLValues::EDITOR_MLTEXTWITHVAR) {
        return {QStringLiteral("MultiLineTextWithVariables"),
                TextValueEditor::tr("Enter a multi-line text with variables..."),
                Storage::Text,
                {},
                {},
                true};
    }
    // The pattern kinds.
    const QString prompt =
        isFolderFilter(request)
            ? TextValueEditor::tr(
                "A folder matches the filter if its foldername matches at least one of the "
                "patterns.\n\nEnter one or more foldername patterns (such as *Job or ??Job*); "
                "enter one pattern per line")
            : TextValueEditor::tr(
                "A file matches the filter if its filename matches at least one of the "
                "patterns.\n\nEnter one or more filename patterns (such as *.pdf or ??Job.*); "
                "enter one pattern per line");
    return {
        QStringLiteral("Patterns"), prompt, Storage::ListOfItems, {}, XMLValues::EDITOR_PATTERNS};
}

// The text that the dialog starts with.
QString initialText(const TextKind &kind, const ValueEditorRequest &request)
{
    const QString &value = request.currentValue;
    switch (kind.storage) {
    case Storage::Text: {
        // A list value left by another kind is no text to edit.
        const XMLValueProcessor processor(value);
        return processor.valueType() == XMLValueProcessor::ValueType::NotAListValue ? value
                                                                                    : QString();
    }
    case Storage::SeparatedText:
        return QString(value).replace(kind.separator, QStringLiteral("\n"));
    case Storage::ListOfLines:
    case Storage::ListOfItems:
    case Storage::OneItemList: {
        const XMLValueProcessor processor(value);
        if (processor.valueType() != XMLValueProcessor::valueTypeForEditor(kind.listKeyword)) {
            return {};
        }
        return processor.values().join(QLatin1Char('\n'));
    }
    }
    return {};
}

QString valueOf(const TextKind &kind, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    switch (kind.storage) {
    case Storage::Text:
        return text;
    case Storage::SeparatedText: {
        QStringList items;
        for (const QString &line : lines) {
            if (!line.isEmpty()) {
                items.append(line);
            }
        }
        return items.join(kind.separator);
    }
    case Storage::ListOfLines:
        return XMLValueProcessor::generateXMLValue(kind.listKeyword,
                                                   text.isEmpty() ? QStringList() : lines);
    case Storage::ListOfItems: {
        QStringList items;
        for (const QString &line : lines) {
            if (!line.trimmed().isEmpty()) {
                items.append(line);
            }
        }
        return XMLValueProcessor::generateXMLValue(kind.listKeyword, items);
    }
    case Storage::OneItemList:
        return XMLValueProcessor::generateXMLValue(kind.listKeyword, QStringList{text});
    }
    return {};
}

QString patternsProblem(const QString &text)
{
    int lineNumber = 0;
    bool hasPattern = false;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.trimmed().isEmpty()) {
            continue;
        }
        QString reason;
        if (!SRCore::Validation::isValidWildcard(line, &reason)) {
            return TextValueEditor::tr("line %1: %2").arg(lineNumber).arg(reason);
        }
        hasPattern = true;
    }
    return hasPattern ? QString() : TextValueEditor::tr("enter at least one pattern");
}

} // namespace

TextValueEditor::TextValueEditor(const ValueEditorRequest &request)
    : m_request(request)
{}

bool TextValueEditor::handles(const QString &editorType)
{
    static const QStringList kinds = {
        XMLValues::EDITOR_DESCRIPTION,  XMLValues::EDITOR_STRINGLIST,
        XMLValues::EDITOR_PASSWDEF,     XMLValues::EDITOR_PATTERNS,
        XMLValues::EDITOR_FILEPATTERNS, XMLValues::EDITOR_FOLDERPATTERNS,
        XMLValues::EDITOR_REGEXP,       XMLValues::EDITOR_MLTEXTWITHVAR,
    };
    return kinds.contains(EditorKinds::baseKeyword(editorType));
}

bool TextValueEditor::exec()
{
    const TextKind kind = textKind(m_request);
    const QString keyword = EditorKinds::baseKeyword(m_request.editorType);
    std::unique_ptr<QValidator> validator;
    ValidatedTextDialog::ReasonProvider reason;
    if (keyword == XMLValues::EDITOR_REGEXP) {
        validator = std::make_unique<RegularExpressionValidator>();
        reason = &RegularExpressionValidator::problem;
    } else if (kind.listKeyword == XMLValues::EDITOR_PATTERNS) {
        validator = std::make_unique<SRCore::FilePatternsValidator>();
        reason = &patternsProblem;
    }
    ValidatedTextDialog dialog(m_request.parent, m_request.caption, kind.prompt,
                               initialText(kind, m_request), m_request.context, validator.get(),
                               kind.defineVariables);
    dialog.setReasonProvider(reason);
    if (!DialogPlacement::run(&dialog, kind.dialogName)) {
        return false;
    }
    m_value = valueOf(kind, dialog.text());
    return true;
}

} // namespace GuiLib
