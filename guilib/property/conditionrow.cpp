#include "conditionrow.h"

#include "conditionroweventfilter.h"

#include "corelib/variables/variablemanager.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace GuiLib {

namespace {

using SRCore::Variable;
using SRCore::VariableCondition;
using Operator = SRCore::VariableCondition::Operator;

// A variable as written in a condition, "[Group.Name:arguments]", without its brackets.
QString unbracketed(const QString &variable)
{
    QString name = variable.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))) {
        name = name.mid(1, name.size() - 2);
    }
    return name;
}

} // namespace

ConditionRow::ConditionRow(QWidget *parent)
    : QFrame(parent)
    , m_manipulator(new QComboBox(this))
    , m_group(new QComboBox(this))
    , m_variable(new QComboBox(this))
    , m_arguments(new QLineEdit(this))
    , m_operator(new QComboBox(this))
    , m_value(new QLineEdit(this))
    , m_hint(new QLabel(this))
    , m_integerValidator(new QRegularExpressionValidator(this))
    , m_rationalValidator(new QRegularExpressionValidator(this))
{
    setObjectName(QStringLiteral("conditionRow"));
    setAutoFillBackground(true);
    m_manipulator->setObjectName(QStringLiteral("manipulator"));
    m_group->setObjectName(QStringLiteral("group"));
    m_variable->setObjectName(QStringLiteral("variable"));
    m_arguments->setObjectName(QStringLiteral("arguments"));
    m_arguments->setPlaceholderText(tr("arguments"));
    m_arguments->setToolTip(tr("The variable's arguments, as in a text: Key=\"Customer\""));
    m_operator->setObjectName(QStringLiteral("operator"));
    m_value->setObjectName(QStringLiteral("value"));
    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setMinimumWidth(80);
    m_integerValidator->setRegularExpression(QRegularExpression(QStringLiteral("-?\\d*")));
    m_rationalValidator->setRegularExpression(
        QRegularExpression(QStringLiteral("-?\\d*([.]\\d*)?")));
    m_manipulator->addItems({QStringLiteral("----"), tr("AND"), tr("OR"), tr("Remove")});
    m_group->addItems(SRCore::VariableManager::instance()->getGroupNames());

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_manipulator);
    layout->addWidget(m_group);
    layout->addWidget(m_variable, 1);
    layout->addWidget(m_arguments);
    layout->addWidget(m_operator);
    layout->addWidget(m_value, 1);
    layout->addWidget(m_hint);

    auto *filter = new ConditionRowEventFilter(this);
    for (QWidget *widget : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_manipulator),
                            static_cast<QWidget *>(m_group), static_cast<QWidget *>(m_variable),
                            static_cast<QWidget *>(m_arguments), static_cast<QWidget *>(m_operator),
                            static_cast<QWidget *>(m_value)}) {
        widget->installEventFilter(filter);
    }
    connect(m_group, &QComboBox::currentIndexChanged, this, [this] { fillVariables(); });
    connect(m_variable, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling) {
            return;
        }
        updateOperators();
        select();
        emit variableChanged();
        emit changed();
    });
    connect(m_operator, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling) {
            return;
        }
        updateHint();
        select();
        emit changed();
    });
    for (QLineEdit *edit : {m_arguments, m_value}) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            select();
            if (edit == m_arguments) {
                emit variableChanged();
            }
            emit changed();
        });
    }
    connect(m_manipulator, &QComboBox::activated, this,
            [this](int index) { emit manipulated(this, Manipulation(index)); });
    fillVariables();
}

Variable ConditionRow::variable() const
{
    return SRCore::VariableManager::instance()->getVariable(
        m_group->currentText() + QLatin1Char('.') + m_variable->currentText());
}

VariableCondition::Comparison ConditionRow::comparison() const
{
    VariableCondition::Comparison comparison;
    const QString arguments = m_arguments->text().trimmed();
    comparison.variable = QLatin1Char('[') + variable().fullName()
                          + (arguments.isEmpty() ? QString() : QLatin1Char(':') + arguments)
                          + QLatin1Char(']');
    comparison.op = VariableCondition::operatorFromLabel(m_operator->currentText());
    comparison.value = m_value->isHidden() ? QString() : m_value->text();
    return comparison;
}

void ConditionRow::setComparison(const VariableCondition::Comparison &comparison)
{
    setVariable(comparison.variable);
    m_operator->setCurrentText(VariableCondition::operatorLabel(comparison.op));
    m_value->setText(comparison.value);
    updateHint();
}

void ConditionRow::setVariable(const QString &variable)
{
    const QString written = unbracketed(variable);
    const QString fullName = written.section(QLatin1Char(':'), 0, 0);
    const QString group = fullName.section(QLatin1Char('.'), 0, 0);
    const QString name = fullName.section(QLatin1Char('.'), 1);
    if (m_group->findText(group) < 0) {
        return;
    }
    m_group->setCurrentText(group);
    m_variable->setCurrentText(name);
    m_arguments->setText(written.section(QLatin1Char(':'), 1));
}

void ConditionRow::setJoin(Manipulation join)
{
    m_manipulator->setCurrentIndex(int(join));
}

void ConditionRow::setSampleValue(const QString &value)
{
    m_sampleValue = value;
    updateHint();
}

void ConditionRow::setSelected(bool selected)
{
    m_selected = selected;
    setFrameStyle(selected ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    setBackgroundRole(selected ? QPalette::AlternateBase : QPalette::Window);
}

void ConditionRow::select()
{
    if (!m_selected) {
        emit selected(this);
    }
}

void ConditionRow::fillVariables()
{
    const SRCore::VariableGroup group =
        SRCore::VariableManager::instance()->getGroup(m_group->currentText());
    m_filling = true;
    m_variable->clear();
    for (const Variable &variable : group.variables()) {
        m_variable->addItem(variable.name());
        m_variable->setItemData(m_variable->count() - 1, variable.description(), Qt::ToolTipRole);
    }
    m_filling = false;
    updateOperators();
    emit variableChanged();
    emit changed();
}

void ConditionRow::updateOperators()
{
    const Variable current = variable();
    const QString kept = m_operator->currentText();
    m_filling = true;
    m_operator->clear();
    for (Operator op : VariableCondition::operatorsFor(current.dataType())) {
        m_operator->addItem(VariableCondition::operatorLabel(op));
    }
    if (m_operator->findText(kept) >= 0) {
        m_operator->setCurrentText(kept);
    }
    m_filling = false;
    // Every value is typed for the variable's data type.
    switch (current.dataType()) {
    case Variable::DataType::Integer:
        m_value->setValidator(m_integerValidator);
        break;
    case Variable::DataType::Rational:
        m_value->setValidator(m_rationalValidator);
        break;
    default:
        m_value->setValidator(nullptr);
        break;
    }
    m_value->setHidden(current.dataType() == Variable::DataType::Boolean);
    updateHint();
}

void ConditionRow::updateHint()
{
    const Operator op = VariableCondition::operatorFromLabel(m_operator->currentText());
    if (op == Operator::Matches || op == Operator::DoesNotMatch) {
        m_hint->setText(tr("RegExp"));
        m_hint->setToolTip(tr("The value is a regular expression"));
    } else {
        m_hint->setText(m_sampleValue);
        m_hint->setToolTip(m_sampleValue.left(2048));
    }
}

} // namespace GuiLib
