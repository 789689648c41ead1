#include "selectfromlistdialog.h"

#include "dialogrows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

namespace GuiLib {

SelectFromListDialog::SelectFromListDialog(QWidget *parent, const QString &title,
                                           const QString &prompt, const QStringList &available,
                                           const QStringList &chosen)
    : QDialog(parent)
    , m_prompt(DialogRows::promptLabel(prompt, this))
    , m_available(new QListWidget(this))
    , m_chosen(new QListWidget(this))
    , m_addButton(new QPushButton(tr("Add >"), this))
    , m_removeButton(new QPushButton(tr("< Remove"), this))
    , m_removeAllButton(new QPushButton(tr("<< Remove All"), this))
    , m_moveUpButton(new QPushButton(tr("Move Up"), this))
    , m_moveDownButton(new QPushButton(tr("Move Down"), this))
    , m_okButton(new QPushButton(tr("Ok"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    m_available->setObjectName(QStringLiteral("available"));
    m_chosen->setObjectName(QStringLiteral("chosen"));
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_removeButton->setObjectName(QStringLiteral("removeButton"));
    m_removeAllButton->setObjectName(QStringLiteral("removeAllButton"));
    m_moveUpButton->setObjectName(QStringLiteral("moveUpButton"));
    m_moveDownButton->setObjectName(QStringLiteral("moveDownButton"));
    m_available->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_chosen->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_available->addItems(available);
    m_chosen->addItems(chosen);
    for (const QString &item : chosen) {
        setAvailableHidden(item, true);
    }

    auto *buttons = new QVBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    for (QPushButton *button :
         {m_addButton, m_removeButton, m_removeAllButton, m_moveUpButton, m_moveDownButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto *lists = new QHBoxLayout;
    lists->addWidget(m_available, 1);
    lists->addLayout(buttons);
    lists->addWidget(m_chosen, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addLayout(lists, 1);
    layout->addWidget(DialogRows::separator(this));
    layout->addLayout(DialogRows::bottomRow({}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_available, &QListWidget::itemSelectionChanged, this,
            &SelectFromListDialog::updateButtons);
    connect(m_chosen, &QListWidget::itemSelectionChanged, this,
            &SelectFromListDialog::updateButtons);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &SelectFromListDialog::addClicked);
    connect(m_chosen, &QListWidget::itemDoubleClicked, this, &SelectFromListDialog::removeClicked);
    connect(m_addButton, &QPushButton::clicked, this, &SelectFromListDialog::addClicked);
    connect(m_removeButton, &QPushButton::clicked, this, &SelectFromListDialog::removeClicked);
    connect(m_removeAllButton, &QPushButton::clicked, this,
            &SelectFromListDialog::removeAllClicked);
    connect(m_moveUpButton, &QPushButton::clicked, this, &SelectFromListDialog::moveClicked);
    connect(m_moveDownButton, &QPushButton::clicked, this, &SelectFromListDialog::moveClicked);

    const QSize size(512, 352);
    setMinimumSize(size);
    resize(size);
    updateButtons();
    DialogRows::centre(this);
}

QStringList SelectFromListDialog::chosenItems() const
{
    QStringList items;
    for (int row = 0; row < m_chosen->count(); ++row) {
        items.append(m_chosen->item(row)->text());
    }
    return items;
}

void SelectFromListDialog::setAvailableHidden(const QString &text, bool hidden)
{
    const QList<QListWidgetItem *> matches = m_available->findItems(text, Qt::MatchExactly);
    for (QListWidgetItem *item : matches) {
        item->setHidden(hidden);
        if (hidden) {
            item->setSelected(false);
        }
    }
}

void SelectFromListDialog::updateButtons()
{
    const QList<QListWidgetItem *> chosen = m_chosen->selectedItems();
    m_addButton->setEnabled(!m_available->selectedItems().isEmpty());
    m_removeButton->setEnabled(!chosen.isEmpty());
    m_removeAllButton->setEnabled(m_chosen->count() > 0);
    const int row = chosen.size() == 1 ? m_chosen->row(chosen.first()) : -1;
    m_moveUpButton->setEnabled(row > 0);
    m_moveDownButton->setEnabled(row >= 0 && row < m_chosen->count() - 1);
}

void SelectFromListDialog::addClicked()
{
    const QList<QListWidgetItem *> selected = m_available->selectedItems();
    m_chosen->clearSelection();
    for (QListWidgetItem *item : selected) {
        auto *added = new QListWidgetItem(item->text(), m_chosen);
        item->setHidden(true);
        item->setSelected(false);
        added->setSelected(true);
    }
    updateButtons();
}

void SelectFromListDialog::removeChosen(const QList<int> &rows)
{
    QList<int> descending = rows;
    std::sort(descending.begin(), descending.end(), std::greater<int>());
    for (int row : descending) {
        std::unique_ptr<QListWidgetItem> item(m_chosen->takeItem(row));
        setAvailableHidden(item->text(), false);
    }
    updateButtons();
}

void SelectFromListDialog::removeClicked()
{
    QList<int> rows;
    for (QListWidgetItem *item : m_chosen->selectedItems()) {
        rows.append(m_chosen->row(item));
    }
    removeChosen(rows);
}

void SelectFromListDialog::removeAllClicked()
{
    QList<int> rows;
    for (int row = 0; row < m_chosen->count(); ++row) {
        rows.append(row);
    }
    removeChosen(rows);
}

void SelectFromListDialog::moveClicked()
{
    const QList<QListWidgetItem *> selected = m_chosen->selectedItems();
    if (selected.size() != 1) {
        return;
    }
    const int row = m_chosen->row(selected.first());
    const int target = sender() == m_moveUpButton ? row - 1 : row + 1;
    if (target < 0 || target >= m_chosen->count()) {
        return;
    }
    QListWidgetItem *item = m_chosen->takeItem(row);
    m_chosen->insertItem(target, item);
    m_chosen->clearSelection();
    item->setSelected(true);
    m_chosen->setCurrentItem(item);
    updateButtons();
}

} // namespace GuiLib
