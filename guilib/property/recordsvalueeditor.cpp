#include "recordsvalueeditor.h"

#include "datafieldsdialog.h"
#include "dialogplacement.h"
#include "editorkinds.h"
#include "emailaccountsdialog.h"
#include "emailinfodialog.h"
#include "globaldatafieldsdialog.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlvalues.h"

namespace GuiLib {

namespace {

namespace XMLValues = SRCore::XMLValues;
using SRCore::XMLValueProcessor;

} // namespace

RecordsValueEditor::RecordsValueEditor(const ValueEditorRequest &request)
    : m_request(request)
{}

bool RecordsValueEditor::handles(const QString &editorType)
{
    static const QStringList kinds = {
        XMLValues::EDITOR_USERDATAFIELDS,   XMLValues::EDITOR_METADATAFIELDS,
        XMLValues::EDITOR_GLOBALDATAFIELDS, XMLValues::EDITOR_EINFOEDIT,
        XMLValues::EDITOR_MAPEINFOEDIT,     XMLValues::EDITOR_ACCOUNTSDEF,
    };
    return kinds.contains(EditorKinds::baseKeyword(editorType));
}

bool RecordsValueEditor::exec()
{
    const QString keyword = EditorKinds::baseKeyword(m_request.editorType);
    XMLValueProcessor current(m_request.currentValue);
    if (current.valueType() != XMLValueProcessor::valueTypeForEditor(keyword)) {
        current = XMLValueProcessor(QString());
    }
    QWidget *parent = m_request.parent;
    const QString &title = m_request.caption;

    if (keyword == XMLValues::EDITOR_GLOBALDATAFIELDS) {
        GlobalDataFieldsDialog dialog(parent, title, current.universaldataFields());
        if (!DialogPlacement::run(&dialog, QStringLiteral("GlobalDataFields"))) {
            return false;
        }
        m_value = XMLValueProcessor::generateXMLValue(keyword, dialog.fields());
    } else if (keyword == XMLValues::EDITOR_USERDATAFIELDS
               || keyword == XMLValues::EDITOR_METADATAFIELDS) {
        const auto use = keyword == XMLValues::EDITOR_USERDATAFIELDS
                             ? DataFieldsDialog::Use::PrivateData
                             : DataFieldsDialog::Use::MetadataDatasets;
        DataFieldsDialog dialog(parent, title, use, current.universaldataFields());
        if (!DialogPlacement::run(&dialog, QStringLiteral("DataFields"))) {
            return false;
        }
        m_value = XMLValueProcessor::generateXMLValue(keyword, dialog.fields());
    } else if (keyword == XMLValues::EDITOR_ACCOUNTSDEF) {
        EmailAccountsDialog dialog(parent, title, tr("Enter one or more email accounts"),
                                   current.values());
        if (!DialogPlacement::run(&dialog, QStringLiteral("Accounts"))) {
            return false;
        }
        m_value = XMLValueProcessor::generateXMLValue(keyword, dialog.accounts());
    } else {
        const bool one = keyword == XMLValues::EDITOR_EINFOEDIT;
        EmailInfoDialog dialog(parent, title,
                               one ? EmailInfoDialog::Entries::One : EmailInfoDialog::Entries::Many,
                               current.emailInfos());
        if (!DialogPlacement::run(&dialog,
                                  one ? QStringLiteral("EInfo") : QStringLiteral("EInfoMap"))) {
            return false;
        }
        m_value = XMLValueProcessor::generateXMLValue(keyword, dialog.infos());
    }
    return true;
}

} // namespace GuiLib
