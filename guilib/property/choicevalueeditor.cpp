#include "choicevalueeditor.h"

#include "dialogplacement.h"
#include "editorkinds.h"
#include "filetypenames.h"
#include "selectfromlibrarydialog.h"
#include "selectfromlistdialog.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

namespace GuiLib {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using SRCore::XMLValueProcessor;

} // namespace

ChoiceValueEditor::ChoiceValueEditor(const ValueEditorRequest &request)
    : m_request(request)
{}

bool ChoiceValueEditor::handles(const QString &editorType)
{
    const QString keyword = EditorKinds::baseKeyword(editorType);
    return keyword == XMLValues::EDITOR_TYPES || keyword == XMLValues::EDITOR_FILETYPE
           || keyword == XMLValues::EDITOR_ASKPLUGIN || keyword == XMLValues::EDITOR_ASKPLUGIN2;
}

bool ChoiceValueEditor::exec()
{
    const QString keyword = EditorKinds::baseKeyword(m_request.editorType);
    if (keyword == XMLValues::EDITOR_TYPES) {
        return chooseMany(QStringLiteral("Types"),
                          tr("Select one or more file types in the list at the left and press "
                             "the 'Add' button"),
                          FileTypeNames::names());
    }
    if (keyword == XMLValues::EDITOR_ASKPLUGIN2) {
        QString prompt = m_request.fieldAttributes.value(XMLKey::SELECTMANYFROMLIBMESSAGE);
        if (prompt.isEmpty()) {
            prompt = tr("Select one or more items in the list of available library lists and "
                        "press the 'Add button'. The library lists are executed in the order "
                        "they are listed in the box at the right");
        }
        return chooseMany(QStringLiteral("Library2"), prompt, m_request.libraryItems);
    }
    if (keyword == XMLValues::EDITOR_ASKPLUGIN) {
        QString prompt = m_request.fieldAttributes.value(XMLKey::SELECTFROMLIBMESSAGE);
        if (prompt.isEmpty()) {
            prompt = tr("Select an item in the list of available library items",
                        "PropertySelectFromLibMes");
        }
        return chooseOne(prompt, m_request.libraryItems);
    }
    return chooseOne(tr("Select a file type"), FileTypeNames::names());
}

bool ChoiceValueEditor::chooseOne(const QString &prompt, const QStringList &items)
{
    SelectFromLibraryDialog dialog(m_request.parent, m_request.caption, prompt, items,
                                   m_request.currentValue);
    if (!DialogPlacement::run(&dialog, QStringLiteral("Library"))
        || dialog.currentItem().isEmpty()) {
        return false;
    }
    m_value = dialog.currentItem();
    return true;
}

bool ChoiceValueEditor::chooseMany(const QString &dialogName, const QString &prompt,
                                   const QStringList &items)
{
    const QString keyword = EditorKinds::baseKeyword(m_request.editorType);
    const XMLValueProcessor current(m_request.currentValue);
    const QStringList chosen = current.valueType() == XMLValueProcessor::valueTypeForEditor(keyword)
                                   ? current.values()
                                   : QStringList();
    SelectFromListDialog dialog(m_request.parent, m_request.caption, prompt, items, chosen);
    if (!DialogPlacement::run(&dialog, dialogName)) {
        return false;
    }
    m_value = XMLValueProcessor::generateXMLValue(keyword, dialog.chosenItems());
    return true;
}

} // namespace GuiLib
