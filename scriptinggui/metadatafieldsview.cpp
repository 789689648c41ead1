#include "metadatafieldsview.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ScriptingGui {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

} // namespace

MetadataFieldsView::MetadataFieldsView(QWidget *parent)
    : QWidget(parent)
    , m_list(new QListWidget(this))
    , m_addButton(new QPushButton(tr("Add"), this))
    , m_removeButton(new QPushButton(tr("Remove"), this))
    , m_moveUpButton(new QPushButton(tr("Move Up"), this))
    , m_moveDownButton(new QPushButton(tr("Move Down"), this))
{
    m_list->setObjectName(QStringLiteral("fieldList"));
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_removeButton->setObjectName(QStringLiteral("removeButton"));
    m_moveUpButton->setObjectName(QStringLiteral("moveUpButton"));
    m_moveDownButton->setObjectName(QStringLiteral("moveDownButton"));
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    for (QPushButton *button : {m_addButton, m_removeButton, m_moveUpButton, m_moveDownButton}) {
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &MetadataFieldsView::currentRowChanged);
    connect(m_addButton, &QPushButton::clicked, this, &MetadataFieldsView::addClicked);
    connect(m_removeButton, &QPushButton::clicked, this, &MetadataFieldsView::removeClicked);
    connect(m_moveUpButton, &QPushButton::clicked, this, [this] { moveClicked(-1); });
    connect(m_moveDownButton, &QPushButton::clicked, this, [this] { moveClicked(1); });
    updateButtons();
}

void MetadataFieldsView::setFields(const QList<MetadataField> &fields)
{
    m_fields = fields;
    m_shownRow = -1;
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const MetadataField &field : fields) {
        m_list->addItem(field.value(XMLKey::MD_LABEL));
    }
    m_list->setCurrentRow(fields.isEmpty() ? -1 : 0);
    currentRowChanged(m_list->currentRow());
}

QList<MetadataField> MetadataFieldsView::fields()
{
    if (m_shownRow >= 0) {
        emit submitField(m_list->item(m_shownRow)->text(), m_fields[m_shownRow]);
    }
    return m_fields;
}

QStringList MetadataFieldsView::labels() const
{
    QStringList labels;
    for (int row = 0; row < m_list->count(); ++row) {
        labels.append(m_list->item(row)->text());
    }
    return labels;
}

QString MetadataFieldsView::currentLabel() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->text() : QString();
}

void MetadataFieldsView::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    updateButtons();
}

QString MetadataFieldsView::freeLabel() const
{
    const QStringList used = labels();
    for (int number = 1;; ++number) {
        const QString label = tr("Metadata Field %1").arg(number);
        if (!used.contains(label)) {
            return label;
        }
    }
}

void MetadataFieldsView::renameCurrent(const QString &label)
{
    const int row = m_list->currentRow();
    if (row < 0 || label.isEmpty() || m_list->item(row)->text() == label) {
        return;
    }
    m_list->item(row)->setText(label);
    m_fields[row].insert(XMLKey::MD_LABEL, label);
    emit fieldNameChanged(label);
}

void MetadataFieldsView::currentRowChanged(int row)
{
    if (m_shownRow >= 0 && m_shownRow < m_fields.size()) {
        emit submitField(m_list->item(m_shownRow)->text(), m_fields[m_shownRow]);
    }
    m_shownRow = row;
    if (row >= 0) {
        emit showField(m_fields.at(row));
    } else {
        emit clearField();
    }
    updateButtons();
    emit fieldsChanged();
}

void MetadataFieldsView::addClicked()
{
    MetadataField field;
    const QString label = freeLabel();
    field.insert(XMLKey::MD_LABEL, label);
    field.insert(XMLKey::MD_DATATYPE, XMLValues::EDITORTYPE_STRING);
    m_fields.append(field);
    m_list->addItem(label);
    m_list->setCurrentRow(m_list->count() - 1);
}

void MetadataFieldsView::removeClicked()
{
    const int row = m_list->currentRow();
    if (row < 0) {
        return;
    }
    m_shownRow = -1; // the field goes; nothing to keep of its edits
    m_fields.removeAt(row);
    {
        const QSignalBlocker blocker(m_list);
        delete m_list->takeItem(row);
    }
    currentRowChanged(m_list->currentRow());
}

void MetadataFieldsView::moveClicked(int step)
{
    const int row = m_list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_list->count()) {
        return;
    }
    emit submitField(m_list->item(row)->text(), m_fields[row]);
    m_fields.swapItemsAt(row, target);
    const QSignalBlocker blocker(m_list);
    m_list->insertItem(target, m_list->takeItem(row));
    m_list->setCurrentRow(target);
    m_shownRow = target;
    updateButtons();
    emit fieldsChanged();
}

void MetadataFieldsView::updateButtons()
{
    const int row = m_list->currentRow();
    m_addButton->setEnabled(!m_readOnly);
    m_removeButton->setEnabled(!m_readOnly && row >= 0);
    m_moveUpButton->setEnabled(!m_readOnly && row > 0);
    m_moveDownButton->setEnabled(!m_readOnly && row >= 0 && row < m_list->count() - 1);
}

} // namespace ScriptingGui
