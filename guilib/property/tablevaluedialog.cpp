#include "tablevaluedialog.h"

#include "dialogrows.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace GuiLib {

TableValueDialog::TableValueDialog(QWidget *parent, const QString &title, const QString &prompt,
                                   const QStringList &headers, const QString &invalidEntries)
    : QDialog(parent)
    , m_table(new QTableWidget(0, int(headers.size()), this))
    , m_sideButtons(new QVBoxLayout)
    , m_addButton(new QPushButton(tr("Add"), this))
    , m_removeButton(new QPushButton(tr("Remove"), this))
    , m_errorIcon(DialogRows::errorIcon(this))
    , m_errorText(new QLabel(this))
    , m_okButton(new QPushButton(tr("Ok"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_invalidEntries(invalidEntries)
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_removeButton->setObjectName(QStringLiteral("removeButton"));
    m_errorText->setObjectName(QStringLiteral("errorText"));
    m_errorText->setWordWrap(true);
    m_errorText->hide();

    m_sideButtons->setContentsMargins(0, 0, 0, 0);
    m_sideButtons->addWidget(m_addButton);
    m_sideButtons->addWidget(m_removeButton);
    m_sideButtons->addStretch();
    auto *tableRow = new QHBoxLayout;
    tableRow->addWidget(m_table, 1);
    tableRow->addLayout(m_sideButtons);
    auto *layout = new QVBoxLayout(this);
    if (!prompt.isEmpty()) {
        layout->addWidget(DialogRows::promptLabel(prompt, this));
    }
    layout->addLayout(tableRow, 1);
    layout->addWidget(DialogRows::separator(this));
    layout->addLayout(
        DialogRows::bottomRow({m_errorIcon, m_errorText}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_addButton, &QPushButton::clicked, this, &TableValueDialog::addClicked);
    connect(m_removeButton, &QPushButton::clicked, this, &TableValueDialog::removeClicked);
    connect(m_table, &QTableWidget::cellChanged, this, &TableValueDialog::validate);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        m_removeButton->setEnabled(!m_table->selectionModel()->selectedRows().isEmpty());
    });

    const QSize size(560, 320);
    setMinimumSize(size);
    resize(size);
    m_removeButton->setEnabled(false);
    DialogRows::centre(this);
}

QString TableValueDialog::freeName(const QString &prefix, const QStringList &used)
{
    for (int number = 1;; ++number) {
        const QString name = prefix + QString::number(number);
        if (!used.contains(name)) {
            return name;
        }
    }
}

void TableValueDialog::setChoiceColumn(int column, const QStringList &choices)
{
    m_choiceColumns.append(column);
    m_choices.append(choices);
}

void TableValueDialog::appendRow(const QStringList &texts)
{
    const int row = m_table->rowCount();
    const QSignalBlocker blocker(m_table);
    m_table->insertRow(row);
    for (int column = 0; column < m_table->columnCount(); ++column) {
        const QString text = texts.value(column);
        const qsizetype choice = m_choiceColumns.indexOf(column);
        if (choice < 0) {
            m_table->setItem(row, column, new QTableWidgetItem(text));
            continue;
        }
        auto *box = new QComboBox(m_table);
        box->addItems(m_choices.at(choice));
        if (box->findText(text) < 0) {
            box->addItem(text); // kept as read, and refused by the check
        }
        box->setCurrentText(text);
        connect(box, &QComboBox::currentTextChanged, this, &TableValueDialog::validate);
        m_table->setCellWidget(row, column, box);
    }
}

QString TableValueDialog::cellText(int row, int column) const
{
    if (const auto *box = qobject_cast<QComboBox *>(m_table->cellWidget(row, column))) {
        return box->currentText();
    }
    const QTableWidgetItem *item = m_table->item(row, column);
    return item ? item->text() : QString();
}

void TableValueDialog::setCellText(int row, int column, const QString &text)
{
    if (auto *box = qobject_cast<QComboBox *>(m_table->cellWidget(row, column))) {
        box->setCurrentText(text);
    } else if (QTableWidgetItem *item = m_table->item(row, column)) {
        item->setText(text);
    }
}

int TableValueDialog::currentRow() const
{
    return m_table->currentRow();
}

QList<QStringList> TableValueDialog::rows() const
{
    QList<QStringList> result;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < m_table->columnCount(); ++column) {
            texts.append(cellText(row, column));
        }
        result.append(texts);
    }
    return result;
}

void TableValueDialog::addSideButton(QPushButton *button)
{
    m_sideButtons->insertWidget(m_sideButtons->count() - 1, button);
}

void TableValueDialog::fixRowCount()
{
    m_addButton->hide();
    m_removeButton->hide();
}

void TableValueDialog::addClicked()
{
    appendRow(newRow());
    const int row = m_table->rowCount() - 1;
    m_table->setCurrentCell(row, 0);
    m_table->selectRow(row);
    validate();
}

void TableValueDialog::removeClicked()
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows) {
        m_table->removeRow(row);
    }
    validate();
}

void TableValueDialog::validate()
{
    const QString reason = problem();
    m_errorText->setText(reason.isEmpty() ? QString() : tr("%1: %2").arg(m_invalidEntries, reason));
    m_errorIcon->setVisible(!reason.isEmpty());
    m_errorText->setVisible(!reason.isEmpty());
    m_okButton->setEnabled(reason.isEmpty());
}

} // namespace GuiLib
