#include "conditionlist.h"

#include <QVBoxLayout>

namespace GuiLib {

namespace {

using SRCore::VariableCondition;
using Join = SRCore::VariableCondition::Join;
using Manipulation = ConditionRow::Manipulation;

} // namespace

ConditionList::ConditionList(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_layout->addStretch();
}

void ConditionList::setCondition(const VariableCondition &condition)
{
    for (ConditionRow *row : std::as_const(m_rows)) {
        delete row;
    }
    m_rows.clear();
    m_joins = condition.joins();
    const QList<VariableCondition::Comparison> comparisons = condition.comparisons();
    for (int i = 0; i < std::max<qsizetype>(1, comparisons.size()); ++i) {
        ConditionRow *row = addRow(i);
        if (i < comparisons.size()) {
            row->setComparison(comparisons.at(i));
        }
    }
    updateJoins();
    selectRow(m_rows.first());
}

VariableCondition ConditionList::condition() const
{
    VariableCondition condition;
    for (int i = 0; i < m_rows.size(); ++i) {
        condition.addComparison(m_rows.at(i)->comparison(),
                                i > 0 ? m_joins.value(i - 1, Join::And) : Join::And);
    }
    return condition;
}

ConditionRow *ConditionList::selectedRow() const
{
    for (ConditionRow *row : m_rows) {
        if (row->isSelected()) {
            return row;
        }
    }
    return nullptr;
}

void ConditionList::setSampleValues(const std::function<QString(const QString &)> &sampleValue)
{
    for (ConditionRow *row : std::as_const(m_rows)) {
        row->setSampleValue(sampleValue(row->comparison().variable));
    }
}

void ConditionList::setSelectedVariable(const QString &variable)
{
    if (ConditionRow *row = selectedRow()) {
        row->setVariable(variable);
    }
}

ConditionRow *ConditionList::addRow(int index)
{
    auto *row = new ConditionRow(this);
    m_rows.insert(index, row);
    m_layout->insertWidget(index, row);
    connect(row, &ConditionRow::selected, this, &ConditionList::selectRow);
    connect(row, &ConditionRow::changed, this, &ConditionList::conditionChanged);
    connect(row, &ConditionRow::variableChanged, this, [this, row] {
        emit sampleValueWanted(row);
        if (row->isSelected()) {
            emit synchronize(row->variable());
        }
    });
    connect(row, &ConditionRow::manipulated, this, &ConditionList::manipulate);
    emit adjustHeight(sizeHint().height());
    return row;
}

void ConditionList::removeRow(ConditionRow *row)
{
    const qsizetype index = m_rows.indexOf(row);
    if (index < 0 || m_rows.size() == 1) {
        return;
    }
    // The join before the row goes with it; the last row takes its own join with it.
    m_joins.removeAt(std::min<qsizetype>(std::max<qsizetype>(0, index - 1), m_joins.size() - 1));
    m_rows.removeAt(index);
    const bool wasSelected = row->isSelected();
    row->deleteLater();
    if (wasSelected) {
        selectRow(m_rows.value(std::min<qsizetype>(index, m_rows.size() - 1)));
    }
    updateJoins();
    emit adjustHeight(sizeHint().height());
    emit conditionChanged();
}

void ConditionList::selectRow(ConditionRow *row)
{
    for (ConditionRow *other : std::as_const(m_rows)) {
        other->setSelected(other == row);
    }
    if (row) {
        emit synchronize(row->variable());
    }
    emit restoreSelection();
}

void ConditionList::manipulate(ConditionRow *row, Manipulation manipulation)
{
    const qsizetype index = m_rows.indexOf(row);
    switch (manipulation) {
    case Manipulation::Remove:
        removeRow(row);
        return;
    case Manipulation::And:
    case Manipulation::Or: {
        const Join join = manipulation == Manipulation::And ? Join::And : Join::Or;
        if (index == m_rows.size() - 1) {
            m_joins.append(join);
            selectRow(addRow(int(index) + 1));
        } else {
            m_joins[index] = join;
        }
        break;
    }
    case Manipulation::None:
        break; // only the last row is without a join
    }
    updateJoins();
    emit conditionChanged();
}

void ConditionList::updateJoins()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        const bool last = i == m_rows.size() - 1;
        m_rows.at(i)->setJoin(last                           ? Manipulation::None
                              : m_joins.value(i) == Join::Or ? Manipulation::Or
                                                             : Manipulation::And);
    }
    emit showPrecedenceSection(m_joins.contains(Join::And) && m_joins.contains(Join::Or));
}

} // namespace GuiLib
