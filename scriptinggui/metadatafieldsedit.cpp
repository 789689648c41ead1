#include "metadatafieldsedit.h"

#include "scriptexpressiondialog.h"
#include "scriptvalidator.h"

#include "guilib/property/iappproxy.h"
#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorrequest.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace ScriptingGui {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

const QString choicePrefix = QStringLiteral("enum:");

enum DataTypeIndex { StringType, BooleanType, ChoiceType };
enum CalculationIndex { ScriptCalculation, TextCalculation, ConditionCalculation };

const QStringList &calculationKinds()
{
    static const QStringList kinds{XMLValues::EDITOR_SCRIPTEXP, XMLValues::EDITOR_SLTEXTWITHVAR,
                                   XMLValues::EDITOR_CONDITIONWITHVAR};
    return kinds;
}

bool compiles(const QString &script)
{
    return ScriptValidator::check(script).line == 0;
}

} // namespace

MetadataFieldsEdit::MetadataFieldsEdit(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLineEdit(this))
    , m_description(new QLineEdit(this))
    , m_dataType(new QComboBox(this))
    , m_itemsLabel(new QLabel(tr("Data values"), this))
    , m_items(new QLineEdit(this))
    , m_defineVariables(new QCheckBox(tr("Define variables"), this))
    , m_calculation(new QComboBox(this))
    , m_defineCalculation(new QPushButton(this))
    , m_calculationSummary(new QLabel(this))
    , m_formatLabel(new QLabel(tr("Data format\n(regexp)"), this))
    , m_format(new QLineEdit(this))
    , m_required(new QCheckBox(tr("Value is required"), this))
    , m_defineAsScript(new QCheckBox(tr("Define as script expression"), this))
    , m_defaultLabel(new QLabel(tr("Default value"), this))
    , m_default(new QLineEdit(this))
    , m_defaultTrue(new QCheckBox(tr("Set value as 'true'"), this))
    , m_rememberLast(new QCheckBox(tr("Remember last value"), this))
{
    m_label->setObjectName(QStringLiteral("label"));
    m_dataType->setObjectName(QStringLiteral("dataType"));
    m_items->setObjectName(QStringLiteral("items"));
    m_items->setPlaceholderText(tr("Items separated by ';'"));
    m_defineVariables->setObjectName(QStringLiteral("defineVariables"));
    m_calculation->setObjectName(QStringLiteral("calculation"));
    m_defineCalculation->setObjectName(QStringLiteral("defineCalculation"));
    m_calculationSummary->setObjectName(QStringLiteral("calculationSummary"));
    m_format->setObjectName(QStringLiteral("format"));
    m_defineAsScript->setObjectName(QStringLiteral("defineAsScript"));
    m_default->setObjectName(QStringLiteral("defaultValue"));
    m_defaultTrue->setObjectName(QStringLiteral("defaultTrue"));
    m_dataType->addItems({tr("String"), tr("Boolean"), tr("Choice")});
    m_calculation->addItems(
        {tr("script expression"), tr("text with variables"), tr("condition with variables")});

    auto *calculationRow = new QHBoxLayout;
    calculationRow->setContentsMargins(0, 0, 0, 0);
    calculationRow->addWidget(m_defineCalculation);
    calculationRow->addWidget(m_calculationSummary, 1);
    auto *defaultRow = new QHBoxLayout;
    defaultRow->setContentsMargins(0, 0, 0, 0);
    defaultRow->addWidget(m_default, 1);
    defaultRow->addWidget(m_defaultTrue);
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Label"), m_label);
    form->addRow(tr("Description"), m_description);
    form->addRow(tr("Data type"), m_dataType);
    form->addRow(m_itemsLabel, m_items);
    form->addRow(QString(), m_defineVariables);
    form->addRow(tr("Calculated value:"), m_calculation);
    form->addRow(QString(), calculationRow);
    form->addRow(m_formatLabel, m_format);
    form->addRow(QString(), m_required);
    form->addRow(QString(), m_defineAsScript);
    form->addRow(m_defaultLabel, defaultRow);
    form->addRow(QString(), m_rememberLast);

    const auto edited = [this] {
        if (!m_loading) {
            updateVisibility();
            emit changed();
        }
    };
    connect(m_label, &QLineEdit::textChanged, this, [this] { validateFieldName(); });
    connect(m_label, &QLineEdit::editingFinished, this, &MetadataFieldsEdit::labelEditFinished);
    for (QLineEdit *edit : {m_description, m_items, m_format, m_default}) {
        connect(edit, &QLineEdit::textChanged, this, edited);
    }
    for (QCheckBox *box :
         {m_defineVariables, m_required, m_defineAsScript, m_defaultTrue, m_rememberLast}) {
        connect(box, &QCheckBox::toggled, this, edited);
    }
    connect(m_dataType, &QComboBox::currentIndexChanged, this, edited);
    connect(m_calculation, &QComboBox::currentIndexChanged, this, [this, edited] {
        m_calculationText.clear(); // a text of one kind means nothing to another
        edited();
    });
    connect(m_defineCalculation, &QPushButton::clicked, this,
            &MetadataFieldsEdit::defineCalculationClicked);
    clearField();
}

void MetadataFieldsEdit::showField(const MetadataField &field, const QStringList &otherLabels)
{
    m_loading = true;
    m_otherLabels = otherLabels;
    m_acceptedLabel = field.value(XMLKey::MD_LABEL);
    m_label->setText(m_acceptedLabel);
    m_description->setText(field.value(XMLKey::MD_DESCRIPTION));
    const QString type = field.value(XMLKey::MD_DATATYPE, XMLValues::EDITORTYPE_STRING);
    m_dataType->setCurrentIndex(type == XMLValues::EDITORTYPE_BOOL ? BooleanType
                                : type.startsWith(choicePrefix)    ? ChoiceType
                                                                   : StringType);
    m_items->setText(type.startsWith(choicePrefix) ? type.mid(choicePrefix.size()) : QString());
    const QString calculation = field.value(XMLKey::MD_DEFINEVARIABLES);
    m_defineVariables->setChecked(!calculation.isEmpty());
    m_calculation->setCurrentIndex(std::max<qsizetype>(0, calculationKinds().indexOf(calculation)));
    const QString defaultValue = field.value(XMLKey::MD_DEFAULTVALUE);
    m_calculationText = calculation.isEmpty() ? QString() : defaultValue;
    m_format->setText(field.value(XMLKey::MD_DATAFORMAT));
    m_required->setChecked(field.value(XMLKey::MD_VALUEISREQUIRED) == XMLValues::YES);
    m_defineAsScript->setChecked(field.value(XMLKey::MD_DEFINEASSCRIPTEXP) == XMLValues::YES);
    m_default->setText(calculation.isEmpty() && type != XMLValues::EDITORTYPE_BOOL ? defaultValue
                                                                                   : QString());
    m_defaultTrue->setChecked(type == XMLValues::EDITORTYPE_BOOL
                              && defaultValue == XMLValues::VAL_TRUE);
    m_rememberLast->setChecked(field.value(XMLKey::MD_REMEMBERLASTVALUE) == XMLValues::YES);
    m_loading = false;
    setVisible(true);
    updateVisibility();
}

void MetadataFieldsEdit::clearField()
{
    m_loading = true;
    m_acceptedLabel.clear();
    m_otherLabels.clear();
    for (QLineEdit *edit : {m_label, m_description, m_items, m_format, m_default}) {
        edit->clear();
    }
    m_loading = false;
    setVisible(false);
}

MetadataField MetadataFieldsEdit::field() const
{
    MetadataField field;
    const auto yesNo = [](const QCheckBox *box) {
        return box->isChecked() ? XMLValues::YES : XMLValues::NO;
    };
    field.insert(XMLKey::MD_LABEL, m_acceptedLabel);
    field.insert(XMLKey::MD_DESCRIPTION, m_description->text());
    switch (m_dataType->currentIndex()) {
    case BooleanType:
        field.insert(XMLKey::MD_DATATYPE, XMLValues::EDITORTYPE_BOOL);
        break;
    case ChoiceType:
        field.insert(XMLKey::MD_DATATYPE, choicePrefix + m_items->text());
        break;
    default:
        field.insert(XMLKey::MD_DATATYPE, XMLValues::EDITORTYPE_STRING);
        field.insert(XMLKey::MD_DATAFORMAT, m_format->text());
        break;
    }
    field.insert(XMLKey::MD_DEFINEVARIABLES, calculationKind());
    field.insert(XMLKey::MD_VALUEISREQUIRED, yesNo(m_required));
    field.insert(XMLKey::MD_DEFINEASSCRIPTEXP, yesNo(m_defineAsScript));
    if (!calculationKind().isEmpty()) {
        field.insert(XMLKey::MD_DEFAULTVALUE, m_calculationText);
    } else if (m_dataType->currentIndex() == BooleanType) {
        field.insert(XMLKey::MD_DEFAULTVALUE,
                     m_defaultTrue->isChecked() ? XMLValues::VAL_TRUE : XMLValues::VAL_FALSE);
    } else {
        field.insert(XMLKey::MD_DEFAULTVALUE, m_default->text());
    }
    field.insert(XMLKey::MD_REMEMBERLASTVALUE, yesNo(m_rememberLast));
    return field;
}

void MetadataFieldsEdit::setReadOnly(bool readOnly)
{
    for (QWidget *widget : findChildren<QWidget *>()) {
        if (widget != m_calculationSummary) {
            widget->setEnabled(!readOnly);
        }
    }
}

QString MetadataFieldsEdit::calculationKind() const
{
    return m_defineVariables->isChecked() ? calculationKinds().value(m_calculation->currentIndex())
                                          : QString();
}

MetadataFieldsEdit::Problem MetadataFieldsEdit::validate(const MetadataField &field,
                                                         const QStringList &otherLabels)
{
    const QString label = field.value(XMLKey::MD_LABEL);
    if (label.trimmed().isEmpty() || otherLabels.contains(label)) {
        return Problem::Label;
    }
    const QString type = field.value(XMLKey::MD_DATATYPE);
    const QString calculation = field.value(XMLKey::MD_DEFINEVARIABLES);
    const QString defaultValue = field.value(XMLKey::MD_DEFAULTVALUE);
    if (calculation == XMLValues::EDITOR_SCRIPTEXP && !compiles(defaultValue)) {
        return Problem::CalculatedScript;
    }
    if (type.startsWith(choicePrefix)
        && type.mid(choicePrefix.size()).split(QLatin1Char(';'), Qt::SkipEmptyParts).isEmpty()) {
        return Problem::Items;
    }
    const bool script = field.value(XMLKey::MD_DEFINEASSCRIPTEXP) == XMLValues::YES;
    const QRegularExpression format(
        QRegularExpression::anchoredPattern(field.value(XMLKey::MD_DATAFORMAT)));
    if (script && (!compiles(defaultValue) || !format.isValid())) {
        return Problem::ScriptOrExpression;
    }
    if (!format.isValid()) {
        return Problem::Format;
    }
    const bool checksDefault = type == XMLValues::EDITORTYPE_STRING && calculation.isEmpty()
                               && !script && !field.value(XMLKey::MD_DATAFORMAT).isEmpty()
                               && !defaultValue.isEmpty();
    if (checksDefault && !format.match(defaultValue).hasMatch()) {
        return Problem::Format;
    }
    return Problem::None;
}

bool MetadataFieldsEdit::validateFieldName()
{
    const QString label = m_label->text();
    const bool acceptable = !label.trimmed().isEmpty() && !m_otherLabels.contains(label);
    m_label->setStyleSheet(acceptable ? QString() : QStringLiteral("background: #ff9797"));
    m_label->setToolTip(acceptable ? QString()
                        : label.trimmed().isEmpty()
                            ? tr("A field needs a label")
                            : tr("Another field has the label '%1'").arg(label));
    return acceptable;
}

void MetadataFieldsEdit::labelEditFinished()
{
    if (!validateFieldName()) {
        m_label->setText(m_acceptedLabel);
        return;
    }
    if (m_label->text() != m_acceptedLabel) {
        m_acceptedLabel = m_label->text();
        emit fieldNameChanged(m_acceptedLabel);
        emit changed();
    }
}

void MetadataFieldsEdit::updateVisibility()
{
    const int type = m_dataType->currentIndex();
    const bool calculated = m_defineVariables->isChecked();
    m_itemsLabel->setVisible(type == ChoiceType);
    m_items->setVisible(type == ChoiceType);
    m_calculation->setEnabled(calculated && isEnabled());
    m_defineCalculation->setEnabled(calculated && isEnabled());
    m_formatLabel->setVisible(type == StringType);
    m_format->setVisible(type == StringType);
    m_defaultLabel->setVisible(!calculated);
    m_default->setVisible(!calculated && type != BooleanType);
    m_defaultTrue->setVisible(!calculated && type == BooleanType);
    m_defineAsScript->setVisible(!calculated);
    static const char *buttons[] = {QT_TR_NOOP("Define script expression"),
                                    QT_TR_NOOP("Define text with variables"),
                                    QT_TR_NOOP("Define condition with variables")};
    m_defineCalculation->setText(tr(buttons[std::max(0, m_calculation->currentIndex())]));
    updateCalculationSummary();
}

void MetadataFieldsEdit::updateCalculationSummary()
{
    const QString kind = calculationKind();
    QString summary;
    if (!kind.isEmpty() && !m_calculationText.isEmpty()) {
        summary = kind == XMLValues::EDITOR_CONDITIONWITHVAR
                      ? tr("Condition with variables defined")
                  : kind == XMLValues::EDITOR_SLTEXTWITHVAR ? tr("Text with variables defined")
                                                            : tr("Script expression defined");
    }
    m_calculationSummary->setText(summary);
}

void MetadataFieldsEdit::defineCalculationClicked()
{
    const QString kind = calculationKind();
    if (kind == XMLValues::EDITOR_SCRIPTEXP) {
        ScriptExpressionDialog dialog(this, m_calculationText);
        dialog.setWindowTitle(tr("Define script expression"));
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        m_calculationText = dialog.text();
    } else {
        GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance();
        if (!proxy) {
            return;
        }
        GuiLib::ValueEditorRequest request;
        request.editorType = kind;
        request.caption = m_defineCalculation->text();
        request.propertyType = XMLValues::EDITORTYPE_STRING;
        request.currentEditor = kind;
        request.valueEditor = kind;
        request.currentValue = m_calculationText;
        request.parent = this;
        QString errorMessage;
        const std::unique_ptr<GuiLib::IValueEditor> editor =
            proxy->createValueEditor(request, &errorMessage);
        if (!editor || !editor->exec()) {
            return;
        }
        m_calculationText = editor->value();
    }
    updateCalculationSummary();
    emit changed();
}

} // namespace ScriptingGui
