#include "definitioneditors.h"

#include "corelib/package/editornames.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomElement>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

constexpr int kFirstExtraEditor = 2;
constexpr int kLastExtraEditor = 5;

QString extraEditorField(int number)
{
    static const QStringList fields = {XMLKey::DEF_SECONDEDITOR, XMLKey::DEF_THIRDEDITOR,
                                       XMLKey::DEF_FOURTHEDITOR, XMLKey::DEF_FIFTHEDITOR};
    return fields.at(number - kFirstExtraEditor);
}

QString numbered(const QString &prefix, int number)
{
    return prefix + QString::number(number);
}

// The field of editor `number` that a definition attribute comes from, for the editor keyword
// that owns the attribute.
struct AttributeSource
{
    QString attribute;
    QString keyword;
    QString fieldPrefix;
};

const QList<AttributeSource> &attributeSources()
{
    static const QList<AttributeSource> sources = {
        {XMLKey::STRINGLISTEDITORMES, XMLValues::EDITOR_STRINGLIST,
         XMLKey::DEF_MESSAGEFORSTRINGLIST},
        {XMLKey::SELECTFROMLIBMESSAGE, XMLValues::EDITOR_ASKPLUGIN, XMLKey::DEF_MESSAGEFORLIBRARY},
        {XMLKey::SELECTMANYFROMLIBMESSAGE, XMLValues::EDITOR_ASKPLUGIN2,
         XMLKey::DEF_MESSAGEFORLIBRARYMANY},
        {XMLKey::EXTERNALAPPLICATION, XMLValues::EDITOR_EXTERNAL, XMLKey::EXTERNALAPPLICATION},
        {XMLKey::EXTERNALARGFORNEW, XMLValues::EDITOR_EXTERNAL, XMLKey::EXTERNALARGFORNEW},
        {XMLKey::EXTERNALARGFOREDIT, XMLValues::EDITOR_EXTERNAL, XMLKey::EXTERNALARGFOREDIT},
    };
    return sources;
}

// Types that describe the value itself rather than a plain text; the first editor with one of
// them decides the type of the field.
bool isDecisiveType(const QString &type)
{
    return type == XMLValues::EDITORTYPE_PASSWORD || type == XMLValues::EDITORTYPE_NUMBER
           || type == XMLValues::EDITORTYPE_TIME || type == XMLValues::EDITORTYPE_BOOL
           || type == XMLValues::EDITORTYPE_FOLDERFILTER
           || type.startsWith(XMLValues::EDITORTYPE_ENUM);
}

QString extraKeyword(const DefinitionEditors::Values &values, int number)
{
    return EditorNames::extraEditorKeyword(
        values.value(extraEditorField(number)),
        values.value(numbered(XMLKey::DEF_LITERALEDITORNAME, number)));
}

} // namespace

QStringList DefinitionEditors::editorFieldTags()
{
    QStringList tags{XMLKey::DEF_EDITOR};
    for (int n = kFirstExtraEditor; n <= kLastExtraEditor; ++n) {
        tags.append(extraEditorField(n));
    }
    return tags;
}

bool DefinitionEditors::affectsEditing(const QString &fieldTag)
{
    if (fieldTag == XMLKey::DEF_DROPDOWNITEMS || editorFieldTags().contains(fieldTag)) {
        return true;
    }
    for (int n = kFirstExtraEditor; n <= kLastExtraEditor; ++n) {
        for (const QString &prefix :
             {XMLKey::DEF_LITERALEDITORNAME, XMLKey::DEF_MESSAGEFORSTRINGLIST,
              XMLKey::DEF_MESSAGEFORLIBRARY, XMLKey::DEF_MESSAGEFORLIBRARYMANY}) {
            if (fieldTag == numbered(prefix, n)) {
                return true;
            }
        }
    }
    return false;
}

DefinitionEditors::Attributes DefinitionEditors::attributes(const Values &values)
{
    Attributes result;
    QString decisiveType;
    QString lastType;
    auto addEditor = [&](const QString &keyword, const QString &type) {
        if (!result.editors.contains(keyword)) {
            result.editors.append(keyword);
        }
        if (type.isEmpty()) {
            return;
        }
        lastType = type;
        if (decisiveType.isEmpty() && isDecisiveType(type)) {
            decisiveType = type;
        }
    };

    const QString inlineName = values.value(XMLKey::DEF_EDITOR);
    const QString inlineKeyword = EditorNames::inlineEditorKeyword(inlineName);
    if (!inlineKeyword.isEmpty()) {
        QString type = EditorNames::inlineEditorType(inlineName);
        if (type == XMLValues::EDITORTYPE_ENUM) {
            type += QLatin1Char(':') + values.value(XMLKey::DEF_DROPDOWNITEMS);
        }
        addEditor(inlineKeyword, type);
    }

    for (int n = kFirstExtraEditor; n <= kLastExtraEditor; ++n) {
        const QString name = values.value(extraEditorField(n));
        const QString keyword = extraKeyword(values, n);
        if (keyword.isEmpty()) {
            continue;
        }
        addEditor(keyword, EditorNames::extraEditorType(name));
        if (keyword == XMLValues::EDITOR_CHOOSEFILE
            && values.value(numbered(XMLKey::DEF_INCLUDEFILEFOREXPORT, n)) == XMLValues::YES) {
            result.extra.append({XMLKey::OPAQUEPROPERTY, XMLValues::VAL_TRUE});
        }
        for (const AttributeSource &source : attributeSources()) {
            if (source.keyword == keyword) {
                result.extra.append(
                    {source.attribute, values.value(numbered(source.fieldPrefix, n))});
            }
        }
        if (keyword == XMLValues::EDITOR_EXTERNAL) {
            result.extra.append({XMLKey::OPAQUEPROPERTY, XMLValues::VAL_TRUE});
            if (values.value(numbered(XMLKey::EXTERNALAPPLICATION, n)).isEmpty()) {
                result.externalApplicationMissing = true;
            }
        }
    }

    if (result.editors.isEmpty()) {
        result.editors.append(XMLValues::EDITOR_INLINE);
    }
    result.type = !decisiveType.isEmpty() ? decisiveType : lastType;
    if (result.type.isEmpty()) {
        // Only editors that keep the type ("String list") were chosen: the value is a text.
        result.type = XMLValues::EDITORTYPE_STRING;
    }
    return result;
}

void DefinitionEditors::apply(const Attributes &attributes, QDomElement &element)
{
    for (const auto &[name, value] : attributes.extra) {
        element.setAttribute(name, value);
    }
    element.setAttribute(XMLKey::TYPE, attributes.type);
    element.setAttribute(XMLKey::EDITOR, attributes.editors.join(QLatin1Char(';')));
}

void DefinitionEditors::restore(const QDomElement &element, Values &values)
{
    const QString type = element.attribute(XMLKey::TYPE);
    const QStringList keywords =
        element.attribute(XMLKey::EDITOR).split(QLatin1Char(';'), Qt::SkipEmptyParts);

    values.insert(XMLKey::DEF_EDITOR, EditorNames::noEditorName());
    for (int n = kFirstExtraEditor; n <= kLastExtraEditor; ++n) {
        values.insert(extraEditorField(n), EditorNames::noEditorName());
    }

    int next = kFirstExtraEditor;
    for (const QString &keyword : keywords) {
        if (keyword == XMLValues::EDITOR_INLINE) {
            values.insert(XMLKey::DEF_EDITOR, EditorNames::getEditorName(type, keyword));
            if (type.startsWith(XMLValues::EDITORTYPE_ENUM + QLatin1Char(':'))) {
                values.insert(XMLKey::DEF_DROPDOWNITEMS,
                              type.mid(XMLValues::EDITORTYPE_ENUM.size() + 1));
            }
            continue;
        }
        const QString name = EditorNames::getEditorName(type, keyword);
        if (name.isEmpty() || next > kLastExtraEditor) {
            continue;
        }
        const int n = next++;
        values.insert(extraEditorField(n), name);
        if (name == EditorNames::literalEditorName()) {
            values.insert(numbered(XMLKey::DEF_LITERALEDITORNAME, n),
                          EditorNames::literalName(keyword));
        }
        if (keyword == XMLValues::EDITOR_CHOOSEFILE) {
            // An external editor makes the field opaque too; then the flag says nothing about
            // the chosen file.
            const bool opaque = element.attribute(XMLKey::OPAQUEPROPERTY) == XMLValues::VAL_TRUE
                                && !keywords.contains(XMLValues::EDITOR_EXTERNAL);
            values.insert(numbered(XMLKey::DEF_INCLUDEFILEFOREXPORT, n),
                          opaque ? XMLValues::YES : XMLValues::NO);
        }
        for (const AttributeSource &source : attributeSources()) {
            if (source.keyword == keyword && element.hasAttribute(source.attribute)) {
                values.insert(numbered(source.fieldPrefix, n), element.attribute(source.attribute));
            }
        }
    }
}

QString DefinitionEditors::editorAttribute(const Values &values, const QString &attribute)
{
    for (const AttributeSource &source : attributeSources()) {
        if (source.attribute != attribute) {
            continue;
        }
        for (int n = kFirstExtraEditor; n <= kLastExtraEditor; ++n) {
            if (extraKeyword(values, n) == source.keyword) {
                return values.value(numbered(source.fieldPrefix, n));
            }
        }
    }
    return QString();
}

} // namespace Scripter
