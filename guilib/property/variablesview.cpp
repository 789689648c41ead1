#include "variablesview.h"

#include "corelib/variables/variablemanager.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace GuiLib {

namespace {

constexpr int FullNameRole = Qt::UserRole;
constexpr int ValueColumn = 1;

QString written(const QString &fullName)
{
    return QLatin1Char('[') + fullName + QLatin1Char(']');
}

} // namespace

VariablesView::VariablesView(QWidget *parent)
    : QWidget(parent)
    , m_tree(new QTreeWidget(this))
    , m_description(new QLabel(this))
    , m_insertButton(new QPushButton(tr("Insert"), this))
{
    m_tree->setObjectName(QStringLiteral("variables"));
    m_insertButton->setObjectName(QStringLiteral("insertButton"));
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setWordWrap(true);
    m_tree->setHeaderLabels({tr("Variable"), tr("Sample value")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (const SRCore::VariableGroup &group : SRCore::VariableManager::instance()->getGroups()) {
        auto *groupItem = new QTreeWidgetItem(m_tree, {group.name()});
        groupItem->setToolTip(0, group.description());
        for (const SRCore::Variable &variable : group.variables()) {
            auto *item = new QTreeWidgetItem(groupItem, {variable.name()});
            item->setData(0, FullNameRole, variable.fullName());
            item->setToolTip(0, variable.description());
        }
    }
    auto *descriptionRow = new QHBoxLayout;
    descriptionRow->setContentsMargins(0, 0, 0, 0);
    descriptionRow->addWidget(m_description, 1);
    descriptionRow->addWidget(m_insertButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree, 1);
    layout->addLayout(descriptionRow);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { currentItemChanged(current); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item && !item->data(0, FullNameRole).toString().isEmpty()) {
            emit insertUpdateVariable(written(item->data(0, FullNameRole).toString()));
        }
    });
    connect(m_insertButton, &QPushButton::clicked, this, [this] {
        if (!currentVariable().isEmpty()) {
            emit insertUpdateVariable(currentVariable());
        }
    });
    currentItemChanged(nullptr);
}

QString VariablesView::currentVariable() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    const QString fullName = item ? item->data(0, FullNameRole).toString() : QString();
    return fullName.isEmpty() ? QString() : written(fullName);
}

void VariablesView::showVariable(const QString &fullName)
{
    const QString group = fullName.section(QLatin1Char('.'), 0, 0);
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem *groupItem = m_tree->topLevelItem(g);
        if (groupItem->text(0) != group) {
            continue;
        }
        for (int v = 0; v < groupItem->childCount(); ++v) {
            if (groupItem->child(v)->data(0, FullNameRole).toString() == fullName) {
                const QSignalBlocker blocker(m_tree);
                m_tree->setCurrentItem(groupItem->child(v));
                m_tree->scrollToItem(groupItem->child(v));
                showDescription(groupItem->child(v));
                return;
            }
        }
    }
}

void VariablesView::setVariableValue(const QString &value)
{
    if (QTreeWidgetItem *item = m_tree->currentItem()) {
        item->setText(ValueColumn, value);
        item->setToolTip(ValueColumn, value.left(2048));
    }
}

void VariablesView::showDescription(const QTreeWidgetItem *current)
{
    const bool isVariable = current && !current->data(0, FullNameRole).toString().isEmpty();
    m_insertButton->setEnabled(isVariable);
    m_description->setText(current ? current->toolTip(0) : QString());
}

void VariablesView::currentItemChanged(QTreeWidgetItem *current)
{
    showDescription(current);
    if (current && !current->data(0, FullNameRole).toString().isEmpty()) {
        emit variableChanged(currentVariable());
    }
    emit restoreSelection();
}

} // namespace GuiLib
