#include "metadatafieldsdialog.h"

#include "metadatafieldsedit.h"

#include "guilib/property/dialogrows.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ScriptingGui {

namespace {

namespace XMLKey = SRCore::XMLKey;
using Problem = MetadataFieldsEdit::Problem;

} // namespace

MetadataFieldsDialog::MetadataFieldsDialog(QWidget *parent, const QList<MetadataField> &fields,
                                           bool readOnly)
    : QDialog(parent)
    , m_view(new MetadataFieldsView(this))
    , m_edit(new MetadataFieldsEdit(this))
    , m_errorIcon(GuiLib::DialogRows::errorIcon(this))
    , m_errorText(new QLabel(this))
    , m_okButton(new QPushButton(tr("OK"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setSizeGripEnabled(true);
    m_errorText->setObjectName(QStringLiteral("errorText"));
    m_errorText->setWordWrap(true);
    m_errorText->hide();

    auto *fieldsBox = new QGroupBox(tr("Fields"), this);
    auto *panes = new QHBoxLayout(fieldsBox);
    panes->addWidget(m_view, 1);
    panes->addWidget(m_edit, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fieldsBox, 1);
    layout->addWidget(GuiLib::DialogRows::separator(this));
    layout->addLayout(
        GuiLib::DialogRows::bottomRow({m_errorIcon, m_errorText}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_view, &MetadataFieldsView::submitField, this,
            &MetadataFieldsDialog::submitFieldHandler);
    connect(m_view, &MetadataFieldsView::showField, this, &MetadataFieldsDialog::showFieldHandler);
    connect(m_view, &MetadataFieldsView::clearField, m_edit, &MetadataFieldsEdit::clearField);
    connect(m_view, &MetadataFieldsView::fieldsChanged, this, &MetadataFieldsDialog::updateDialog);
    connect(m_edit, &MetadataFieldsEdit::fieldNameChanged, m_view,
            &MetadataFieldsView::renameCurrent);
    connect(m_edit, &MetadataFieldsEdit::changed, this, &MetadataFieldsDialog::updateDialog);

    m_view->setFields(fields);
    m_view->setReadOnly(readOnly);
    m_edit->setReadOnly(readOnly);
    resize(820, 480);
    setMinimumSize(560, 360);
    updateDialog();
    GuiLib::DialogRows::centre(this);
}

QList<MetadataField> MetadataFieldsDialog::fields()
{
    return m_view->fields();
}

void MetadataFieldsDialog::submitFieldHandler(const QString &, MetadataField &field)
{
    if (!m_edit->isHidden()) {
        field = m_edit->field();
    }
}

void MetadataFieldsDialog::showFieldHandler(const MetadataField &field)
{
    QStringList others = m_view->labels();
    others.removeOne(field.value(XMLKey::MD_LABEL));
    m_edit->showField(field, others);
}

void MetadataFieldsDialog::updateDialog()
{
    // Every field is checked, the current one with its edits.
    const QList<MetadataField> all = m_view->fields();
    const QString current = m_view->currentLabel();
    m_invalidLabels.clear();
    m_scriptExpressionFailed = false;
    Problem currentProblem = Problem::None;
    for (const MetadataField &field : all) {
        const QString label = field.value(XMLKey::MD_LABEL);
        QStringList others = m_view->labels();
        others.removeOne(label);
        const Problem problem = MetadataFieldsEdit::validate(field, others);
        if (problem == Problem::None) {
            continue;
        }
        if (!m_invalidLabels.contains(label)) {
            m_invalidLabels.append(label);
        }
        m_scriptExpressionFailed |= problem == Problem::CalculatedScript;
        if (label == current) {
            currentProblem = problem;
        }
    }
    m_invalidLabels.sort();

    const bool valid = m_invalidLabels.isEmpty();
    m_errorIcon->setVisible(!valid);
    m_errorText->setVisible(!valid);
    m_okButton->setEnabled(valid);
    if (valid) {
        return;
    }
    const QString labels = m_invalidLabels.join(QStringLiteral(", "));
    const MetadataField shown = m_edit->field();
    if (m_scriptExpressionFailed) {
        m_errorText->setText(tr("Script expression is invalid for one of the fields."));
    } else if (currentProblem == Problem::Items) {
        m_errorText->setText(tr("Items are not defined: %1").arg(current));
    } else if (shown.value(XMLKey::MD_DEFINEASSCRIPTEXP) == SRCore::XMLValues::YES) {
        m_errorText->setText(
            tr("Script expression or regular expression is invalid for field(s): %1").arg(labels));
    } else {
        m_errorText->setText(tr("Regular expression is invalid or default value doesn't match "
                                "the data format for field(s): %1")
                                 .arg(labels));
    }
}

} // namespace ScriptingGui
