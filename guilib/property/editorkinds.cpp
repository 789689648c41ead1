#include "editorkinds.h"

#include "propertyresource.h"

#include "corelib/common/xmldatareader.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QHash>

#include <algorithm>

namespace GuiLib {

namespace {

namespace XMLValues = SRCore::XMLValues;
using Action = EditorKinds::Action;

struct Kind
{
    const char *label = nullptr;
    // Label and value for folder-filter properties, where they differ.
    const char *folderLabel = nullptr;
    QString value;
    QString folderValue;
    Action action = Action::NoEditor;
};

const QHash<QString, Kind> &kindTable()
{
#define LABEL(text) QT_TRANSLATE_NOOP("GuiLib::EditorKinds", text)
    static const QHash<QString, Kind> table = {
        {XMLValues::EDITOR_NONE, {LABEL("None"), nullptr, XMLValues::NONE, {}, Action::FixedValue}},
        {XMLValues::EDITOR_NOBOOL, {LABEL("No"), nullptr, XMLValues::NO, {}, Action::FixedValue}},
        {XMLValues::EDITOR_AUTOMANAGED,
         {LABEL("Auto-managed"), nullptr, XMLValues::AUTOMANAGED, {}, Action::FixedValue}},
        {XMLValues::EDITOR_AUTOMATIC,
         {LABEL("Automatic"), nullptr, XMLValues::AUTOMATIC, {}, Action::FixedValue}},
        {XMLValues::EDITOR_DATAMODEL,
         {LABEL("Data model"), nullptr, XMLValues::MDDATAMODEL, {}, Action::FixedValue}},
        {XMLValues::EDITOR_JOBNAME,
         {LABEL("Job name"), nullptr, XMLValues::MDJOBNAME, {}, Action::FixedValue}},
        {XMLValues::EDITOR_ALL,
         {LABEL("All files"), LABEL("All folders"), XMLValues::ALLFILES, XMLValues::ALLFOLDERS,
          Action::FixedValue}},
        {XMLValues::EDITOR_ALLFILES,
         {LABEL("All files"), nullptr, XMLValues::ALLFILES, {}, Action::FixedValue}},
        {XMLValues::EDITOR_ALLFOLDERS,
         {LABEL("All folders"), nullptr, XMLValues::ALLFOLDERS, {}, Action::FixedValue}},
        {XMLValues::EDITOR_ALLOTHER,
         {LABEL("All other files"), LABEL("All other folders"), XMLValues::ALLOTHERFILES,
          XMLValues::ALLOTHERFOLDERS, Action::FixedValue}},
        {XMLValues::EDITOR_ALLOTHERFILES,
         {LABEL("All other files"), nullptr, XMLValues::ALLOTHERFILES, {}, Action::FixedValue}},
        {XMLValues::EDITOR_ALLOTHERFOLDERS,
         {LABEL("All other folders"), nullptr, XMLValues::ALLOTHERFOLDERS, {}, Action::FixedValue}},
        {XMLValues::EDITOR_NO,
         {LABEL("No files"), LABEL("No folders"), XMLValues::NOFILES, XMLValues::NOFOLDERS,
          Action::FixedValue}},
        {XMLValues::EDITOR_NOFILES,
         {LABEL("No files"), nullptr, XMLValues::NOFILES, {}, Action::FixedValue}},
        {XMLValues::EDITOR_NOFOLDERS,
         {LABEL("No folders"), nullptr, XMLValues::NOFOLDERS, {}, Action::FixedValue}},
        {XMLValues::EDITOR_USERDATA,
         {LABEL("Private data"), nullptr, XMLValues::UP_USERDATA, {}, Action::FixedValue}},
        {XMLValues::EDITOR_SYSTEMDATA,
         {LABEL("System data"), nullptr, XMLValues::UP_SYSTEMDATA, {}, Action::FixedValue}},
        {XMLValues::EDITOR_DEFAULT,
         {LABEL("Default"), nullptr, XMLValues::UP_DEFAULT, {}, Action::FixedValue}},
        {XMLValues::EDITOR_INLINE, {LABEL("Inline value"), nullptr, {}, {}, Action::Inline}},
        {XMLValues::EDITOR_DESCRIPTION,
         {LABEL("Edit multi-line text"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_STRINGLIST,
         {LABEL("Define string list"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_PASSWDEF, {LABEL("Define passwords"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_PATTERNS,
         {LABEL("Define file patterns"), LABEL("Define folder patterns"), {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_FILEPATTERNS,
         {LABEL("Define file patterns"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_FOLDERPATTERNS,
         {LABEL("Define folder patterns"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_REGEXP,
         {LABEL("Define regular expression"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_TYPES, {LABEL("Define file types"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_FILETYPE, {LABEL("File type"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_ASKPLUGIN,
         {LABEL("Select from library"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_ASKPLUGIN2,
         {LABEL("Select many from library"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_CHOOSEFILE, {LABEL("Choose file"), nullptr, {}, {}, Action::ChooseFile}},
        {XMLValues::EDITOR_CHOOSEFOLDER,
         {LABEL("Choose folder"), nullptr, {}, {}, Action::ChooseFolder}},
        {XMLValues::EDITOR_CHOOSEDIR,
         {LABEL("Choose FTP directory"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_EINFOEDIT,
         {LABEL("Define email info"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_MAPEINFOEDIT,
         {LABEL("Define email info map"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_ACCOUNTSDEF,
         {LABEL("Define mail accounts"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_GLOBALDATAFIELDS,
         {LABEL("Define global data fields"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_USERDATAFIELDS,
         {LABEL("Define private data fields"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_METADATAFIELDS,
         {LABEL("Define metadata fields"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_METADADTAFIELDSEDIT,
         {LABEL("Define metadata fields (editable)"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_METADADTAFIELDSREAD,
         {LABEL("Define metadata fields (read-only)"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_SLTEXTWITHVAR,
         {LABEL("Define single-line text with variables"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_MLTEXTWITHVAR,
         {LABEL("Define multi-line text with variables"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_CONDITIONWITHVAR,
         {LABEL("Define condition with variables"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_SCRIPTEXP,
         {LABEL("Define script expression"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_EXTERNAL, {LABEL("External editor"), nullptr, {}, {}, Action::Dialog}},
        {XMLValues::EDITOR_PRINTSETTINGS,
         {LABEL("Define print settings"), nullptr, {}, {}, Action::NoEditor}},
        {XMLValues::EDITOR_REMOUNTVOLUMES,
         {LABEL("Define remount volumes"), nullptr, {}, {}, Action::NoEditor}},
        {XMLValues::EDITOR_POPUP, {nullptr, nullptr, {}, {}, Action::DisplayFlag}},
        {XMLValues::EDITOR_HIDDEN, {nullptr, nullptr, {}, {}, Action::DisplayFlag}},
    };
#undef LABEL
    return table;
}

bool isFolderFilter(const QString &type)
{
    return type == XMLValues::EDITORTYPE_FOLDERFILTER;
}

// The keywords of ":/xml/xml_EditorsSortOrder.xml"; empty, with a diagnostic, when the
// resource cannot be read.
QStringList readMenuOrder()
{
    QStringList keywords;
    const bool read = PropertyResource::read(
        QStringLiteral(":/xml/xml_EditorsSortOrder.xml"), SRCore::XMLKey::EDITORSSORTORDER,
        [&keywords](SRCore::XmlDataReader &reader) {
            QString keyword;
            const bool ok =
                (reader.name() == SRCore::XMLKey::EDITOR || reader.raiseUnexpectedElement())
                && reader.readText(&keyword);
            keywords.append(keyword);
            return ok;
        });
    return read ? keywords : QStringList();
}

} // namespace

QStringList EditorKinds::split(const QString &editors)
{
    return editors.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

QString EditorKinds::baseKeyword(const QString &keyword)
{
    return keyword.section(QLatin1Char('|'), 0, 0);
}

QString EditorKinds::fileFilter(const QString &keyword)
{
    return keyword.section(QLatin1Char('|'), 1);
}

QString EditorKinds::label(const QString &keyword, const QString &type)
{
    const QString base = baseKeyword(keyword);
    const Kind kind = kindTable().value(base);
    const char *text = isFolderFilter(type) && kind.folderLabel ? kind.folderLabel : kind.label;
    return text ? tr(text) : base;
}

EditorKinds::Action EditorKinds::action(const QString &keyword)
{
    return kindTable().value(baseKeyword(keyword)).action;
}

QString EditorKinds::fixedValue(const QString &keyword, const QString &type)
{
    const Kind kind = kindTable().value(baseKeyword(keyword));
    if (kind.action != Action::FixedValue) {
        return {};
    }
    return isFolderFilter(type) && !kind.folderValue.isEmpty() ? kind.folderValue : kind.value;
}

QStringList EditorKinds::sortedForMenu(const QStringList &keywords)
{
    static const QStringList order = readMenuOrder();
    const auto rank = [](const QString &keyword) {
        const qsizetype position = order.indexOf(baseKeyword(keyword));
        return position < 0 ? order.size() : position;
    };
    QStringList sorted = keywords;
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [&rank](const QString &left, const QString &right) { return rank(left) < rank(right); });
    return sorted;
}

} // namespace GuiLib
