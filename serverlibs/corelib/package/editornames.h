#pragma once

#include <QString>
#include <QStringList>

// The editors that a property definition of a script declaration offers, by display name (the
// choices of its "Inline editor", "Editor 2" to "Editor 5" and "Literal editor name" fields),
// and how they turn into the Type and Editor attributes of the defined field and back. Every
// answer comes from one table. The names are the stored choice values and are not translated
// here; the property editor shows them translated in the context "PropertyEnums".
class EditorNames
{
public:
    EditorNames() = delete;

    // The display name of the editor that `keyword` (XMLValues::EDITOR_...) stands for in a field
    // of type `type`: for EDITOR_INLINE the inline editor of the type ("Dropdown list" for an
    // "enum:..." type, "Single-line text" for a type without an inline editor of its own, such
    // as the file-filter type that "File types" sets); "Literal" for the literal keywords
    // ("default", "none", "allfiles", ...); otherwise the extra editor of the keyword. A "|"
    // and a file filter after the keyword are ignored. Empty for keywords that no definition
    // offers (such as "hide").
    static QString getEditorName(const QString &type, const QString &keyword);

    // "None", the choice of no editor, and "Literal", the extra editor that sets a fixed value.
    static QString noEditorName();
    static QString literalEditorName();

    // The choices of the editor fields in their order, "None" first, and of
    // "Literal editor name".
    static QStringList inlineEditorNames();
    static QStringList extraEditorNames();
    static QStringList literalNames();

    // The field type that an inline editor sets: XMLValues::EDITORTYPE_ENUM for "Dropdown list",
    // to which the caller appends ":" and the dropdown items. Empty for "None" and unknown names.
    static QString inlineEditorType(const QString &displayName);
    // XMLValues::EDITOR_INLINE, or empty for "None" and unknown names.
    static QString inlineEditorKeyword(const QString &displayName);

    // The field type that an extra editor sets; empty for "None", for "String list", which keeps
    // the type that the other editors set, and for unknown names.
    static QString extraEditorType(const QString &displayName);
    // The keyword of an extra editor; for "Literal" the keyword of `literalName`. Empty for
    // "None" and unknown names.
    static QString extraEditorKeyword(const QString &displayName,
                                      const QString &literalName = QString());

    // A "Literal editor name" choice ("Default", "No Files", ...) and its keyword, both ways;
    // empty when unknown.
    static QString literalKeyword(const QString &literalName);
    static QString literalName(const QString &keyword);
};
