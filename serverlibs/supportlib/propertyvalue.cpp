#include "propertyvalue.h"

#include "corelib/flow/flowobjectfield.h"
#include "corelib/scripting/iscriptexpressionevaluator.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/variables/ivariableevaluator.h"
#include "corelib/variables/variablecontext.h"
#include "corelib/variables/variablemanager.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

namespace XMLValues = SRCore::XMLValues;
using Kind = SRCore::VariableProblem::Kind;

namespace {

SRCore::VariableContext variableContext(const PropertyValue::Context &context)
{
    SRCore::VariableContext result;
    result.ticket = context.ticket;
    result.flow = context.flow;
    result.elementId = context.elementId;
    return result;
}

// Mistakes of the text itself are errors; a value that only this job cannot give is a warning.
void sortProblems(const SRCore::VariableProblems &problems, PropertyValue::Result &result)
{
    QStringList errors;
    for (const SRCore::VariableProblem &problem : problems) {
        const QString text = SRCore::VariableManager::formatVariableError(problem);
        if (problem.kind == Kind::Unavailable || problem.kind == Kind::EvaluationFailed) {
            result.warnings.append(text);
        } else {
            errors.append(text);
        }
    }
    result.errorMessage = errors.join(QLatin1String("; "));
}

bool isListType(SRCore::XMLValueProcessor::ValueType type)
{
    using Type = SRCore::XMLValueProcessor::ValueType;
    return type == Type::Patterns || type == Type::RegularExpression || type == Type::FileTypes
           || type == Type::SelectManyFromLibrary || type == Type::MailAccounts
           || type == Type::StringList || type == Type::Passwords;
}

} // namespace

QString PropertyValue::editorOf(const SRCore::FlowObjectField &field)
{
    const QString subtype = field.getSubType();
    if (!subtype.isEmpty()) {
        return subtype;
    }
    return field.getProperty(SRCore::XMLKey::EDITOR).section(QLatin1Char(';'), 0, 0);
}

PropertyValue::Kind PropertyValue::kindOf(const SRCore::FlowObjectField &field)
{
    const QString editor = editorOf(field);
    if (editor == XMLValues::EDITOR_SLTEXTWITHVAR || editor == XMLValues::EDITOR_MLTEXTWITHVAR) {
        return Kind::TextWithVariables;
    }
    if (editor == XMLValues::EDITOR_CONDITIONWITHVAR) {
        return Kind::Condition;
    }
    if (editor == XMLValues::EDITOR_SCRIPTEXP) {
        return Kind::ScriptExpression;
    }
    return isListType(SRCore::XMLValueProcessor(field.getValue()).valueType()) ? Kind::List
                                                                               : Kind::Literal;
}

bool PropertyValue::isStatic(const SRCore::FlowObjectField &field)
{
    const Kind kind = kindOf(field);
    return kind == Kind::Literal || kind == Kind::List;
}

PropertyValue::Result PropertyValue::resolve(const SRCore::FlowObjectField &field,
                                             const Context &context)
{
    const QString value = field.getValue();
    Result result;
    switch (kindOf(field)) {
    case Kind::Literal:
        result.value = value;
        break;
    case Kind::List:
        result.items = SRCore::XMLValueProcessor(value).values();
        result.value = result.items.join(QLatin1Char(';'));
        return result;
    case Kind::TextWithVariables:
        result = evaluateText(value, context);
        break;
    case Kind::Condition:
        result = evaluateCondition(value, context);
        break;
    case Kind::ScriptExpression:
        result = evaluateExpression(value, context);
        break;
    }
    if (result.items.isEmpty() && !result.value.isEmpty()) {
        result.items = QStringList{result.value};
    }
    return result;
}

PropertyValue::Result PropertyValue::evaluateText(const QString &text, const Context &context)
{
    const SRCore::VariableEvaluation evaluation =
        SRCore::IVariableEvaluator::instance()->evaluateText(text, variableContext(context));
    Result result;
    result.value = evaluation.value;
    sortProblems(evaluation.problems, result);
    return result;
}

PropertyValue::Result PropertyValue::evaluateCondition(const QString &condition,
                                                       const Context &context)
{
    const SRCore::ConditionEvaluation evaluation =
        SRCore::IVariableEvaluator::instance()->evaluateCondition(condition,
                                                                  variableContext(context));
    Result result;
    sortProblems(evaluation.problems, result);
    if (evaluation.valid) {
        result.value = evaluation.result ? XMLValues::VAL_TRUE : XMLValues::VAL_FALSE;
    } else if (result.errorMessage.isEmpty()) {
        // A condition that can't be decided for this job has no value to give.
        result.errorMessage = result.warnings.join(QLatin1String("; "));
        result.warnings.clear();
    }
    return result;
}

PropertyValue::Result PropertyValue::evaluateExpression(const QString &value,
                                                        const Context &context)
{
    Result result;
    const SRCore::IScriptExpressionEvaluator *evaluator =
        SRCore::IScriptExpressionEvaluator::instance();
    if (!evaluator) {
        result.errorMessage = tr("Script expressions can't be evaluated in this program");
        return result;
    }
    // Stored as a one-item list; a bare text is taken as the expression itself.
    const SRCore::XMLValueProcessor stored(value);
    const QString script =
        stored.valueType() == SRCore::XMLValueProcessor::ValueType::ScriptExpression
            ? stored.values().value(0)
            : value;
    const SRCore::IScriptExpressionEvaluator::Evaluation evaluation = evaluator->evaluateExpression(
        script, {context.flow, context.elementId, context.ticket, context.elementName});
    if (!evaluation.ok()) {
        result.errorMessage =
            tr("The script expression failed: %1").arg(evaluation.describeError());
        return result;
    }
    const int type = evaluation.value.metaType().id();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        result.items = evaluation.value.toStringList();
        result.value = result.items.join(QLatin1Char(';'));
    } else {
        result.value = evaluation.value.toString();
    }
    return result;
}
