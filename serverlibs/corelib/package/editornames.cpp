#include "editornames.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QCoreApplication>
#include <QList>

namespace {

namespace XMLValues = SRCore::XMLValues;

enum class Slot { Inline, Extra, Literal };

struct EditorEntry
{
    Slot slot;
    QString name;
    QString type;
    QString keyword;
};

const char *const kNone = QT_TRANSLATE_NOOP("PropertyEnums", "None");
const char *const kLiteral = QT_TRANSLATE_NOOP("PropertyEnums", "Literal");
// The inline editor of types that have none of their own.
const char *const kSingleLineText = QT_TRANSLATE_NOOP("PropertyEnums", "Single-line text");

QString name(const char *text)
{
    return QString::fromLatin1(text);
}

// The editor choices of a property definition: display name, the type that the editor gives
// the defined field, and its keyword. The "Literal" extra editor takes its keyword from the
// literal rows. Choice lists follow the order of the rows.
const QList<EditorEntry> &editorTable()
{
    static const QList<EditorEntry> table = {
        {Slot::Inline, name(kNone), QString(), QString()},
        {Slot::Inline, name(kSingleLineText), XMLValues::EDITORTYPE_STRING,
         XMLValues::EDITOR_INLINE},
        {Slot::Inline, name(QT_TRANSLATE_NOOP("PropertyEnums", "Password")),
         XMLValues::EDITORTYPE_PASSWORD, XMLValues::EDITOR_INLINE},
        {Slot::Inline, name(QT_TRANSLATE_NOOP("PropertyEnums", "Number")),
         XMLValues::EDITORTYPE_NUMBER, XMLValues::EDITOR_INLINE},
        {Slot::Inline, name(QT_TRANSLATE_NOOP("PropertyEnums", "Hours and minutes")),
         XMLValues::EDITORTYPE_TIME, XMLValues::EDITOR_INLINE},
        {Slot::Inline, name(QT_TRANSLATE_NOOP("PropertyEnums", "No-yes list")),
         XMLValues::EDITORTYPE_BOOL, XMLValues::EDITOR_INLINE},
        {Slot::Inline, name(QT_TRANSLATE_NOOP("PropertyEnums", "Dropdown list")),
         XMLValues::EDITORTYPE_ENUM, XMLValues::EDITOR_INLINE},

        {Slot::Extra, name(kNone), QString(), QString()},
        {Slot::Extra, name(kLiteral), XMLValues::EDITORTYPE_STRING, QString()},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Choose file")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_CHOOSEFILE},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Choose folder")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_CHOOSEFOLDER},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Regular expression")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_REGEXP},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "File type")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_FILETYPE},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Select from library")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_ASKPLUGIN},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Multi-line text")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_DESCRIPTION},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Script expression")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_SCRIPTEXP},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Single-line text with variables")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_SLTEXTWITHVAR},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Multi-line text with variables")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_MLTEXTWITHVAR},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Condition with variables")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_CONDITIONWITHVAR},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "File patterns")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_FILEPATTERNS},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Folder patterns")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_FOLDERPATTERNS},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "File types")),
         XMLValues::EDITORTYPE_FILEFILTER, XMLValues::EDITOR_TYPES},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "String list")), QString(),
         XMLValues::EDITOR_STRINGLIST},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "Select many from library")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_ASKPLUGIN2},
        {Slot::Extra, name(QT_TRANSLATE_NOOP("PropertyEnums", "External editor")),
         XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_EXTERNAL},

        // The literal names are the values that the literal editors set.
        {Slot::Literal, XMLValues::UP_DEFAULT, QString(), XMLValues::EDITOR_DEFAULT},
        {Slot::Literal, XMLValues::NONE, QString(), XMLValues::EDITOR_NONE},
        {Slot::Literal, XMLValues::AUTOMATIC, QString(), XMLValues::EDITOR_AUTOMATIC},
        {Slot::Literal, XMLValues::NOFILES, QString(), XMLValues::EDITOR_NOFILES},
        {Slot::Literal, XMLValues::ALLFILES, QString(), XMLValues::EDITOR_ALLFILES},
        {Slot::Literal, XMLValues::ALLOTHERFILES, QString(), XMLValues::EDITOR_ALLOTHERFILES},
        {Slot::Literal, XMLValues::NOFOLDERS, QString(), XMLValues::EDITOR_NOFOLDERS},
        {Slot::Literal, XMLValues::ALLFOLDERS, QString(), XMLValues::EDITOR_ALLFOLDERS},
        {Slot::Literal, XMLValues::ALLOTHERFOLDERS, QString(), XMLValues::EDITOR_ALLOTHERFOLDERS},
    };
    return table;
}

const EditorEntry *findByName(Slot slot, const QString &displayName)
{
    for (const EditorEntry &entry : editorTable()) {
        if (entry.slot == slot && entry.name == displayName) {
            return &entry;
        }
    }
    return nullptr;
}

const EditorEntry *findByKeyword(Slot slot, const QString &keyword)
{
    for (const EditorEntry &entry : editorTable()) {
        if (entry.slot == slot && !entry.keyword.isEmpty() && entry.keyword == keyword) {
            return &entry;
        }
    }
    return nullptr;
}

QStringList names(Slot slot)
{
    QStringList result;
    for (const EditorEntry &entry : editorTable()) {
        if (entry.slot == slot) {
            result.append(entry.name);
        }
    }
    return result;
}

bool typeMatches(const EditorEntry &entry, const QString &type)
{
    if (entry.type == XMLValues::EDITORTYPE_ENUM) {
        return type == entry.type || type.startsWith(entry.type + QLatin1Char(':'));
    }
    return type == entry.type;
}

} // namespace

QString EditorNames::getEditorName(const QString &type, const QString &keyword)
{
    const QString bareKeyword = keyword.section(QLatin1Char('|'), 0, 0);
    if (bareKeyword == XMLValues::EDITOR_INLINE) {
        for (const EditorEntry &entry : editorTable()) {
            if (entry.slot == Slot::Inline && !entry.keyword.isEmpty()
                && typeMatches(entry, type)) {
                return entry.name;
            }
        }
        return name(kSingleLineText);
    }
    if (findByKeyword(Slot::Literal, bareKeyword)) {
        return name(kLiteral);
    }
    const EditorEntry *extra = findByKeyword(Slot::Extra, bareKeyword);
    return extra ? extra->name : QString();
}

QString EditorNames::noEditorName()
{
    return name(kNone);
}

QString EditorNames::literalEditorName()
{
    return name(kLiteral);
}

QStringList EditorNames::inlineEditorNames()
{
    return names(Slot::Inline);
}

QStringList EditorNames::extraEditorNames()
{
    return names(Slot::Extra);
}

QStringList EditorNames::literalNames()
{
    return names(Slot::Literal);
}

QString EditorNames::inlineEditorType(const QString &displayName)
{
    const EditorEntry *entry = findByName(Slot::Inline, displayName);
    return entry ? entry->type : QString();
}

QString EditorNames::inlineEditorKeyword(const QString &displayName)
{
    const EditorEntry *entry = findByName(Slot::Inline, displayName);
    return entry ? entry->keyword : QString();
}

QString EditorNames::extraEditorType(const QString &displayName)
{
    const EditorEntry *entry = findByName(Slot::Extra, displayName);
    return entry ? entry->type : QString();
}

QString EditorNames::extraEditorKeyword(const QString &displayName, const QString &literalName)
{
    if (displayName == name(kLiteral)) {
        return literalKeyword(literalName);
    }
    const EditorEntry *entry = findByName(Slot::Extra, displayName);
    return entry ? entry->keyword : QString();
}

QString EditorNames::literalKeyword(const QString &literalName)
{
    const EditorEntry *entry = findByName(Slot::Literal, literalName);
    return entry ? entry->keyword : QString();
}

QString EditorNames::literalName(const QString &keyword)
{
    const EditorEntry *entry = findByKeyword(Slot::Literal, keyword);
    return entry ? entry->name : QString();
}
