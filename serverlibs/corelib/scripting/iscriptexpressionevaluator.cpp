#include "iscriptexpressionevaluator.h"

#include "corelib/flow/flow.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

#include <atomic>

namespace SRCore {

namespace {

std::atomic<IScriptExpressionEvaluator *> g_instance{nullptr};

} // namespace

IScriptExpressionEvaluator::~IScriptExpressionEvaluator()
{
    unregisterInstance(this);
}

IScriptExpressionEvaluator *IScriptExpressionEvaluator::instance()
{
    return g_instance.load();
}

bool IScriptExpressionEvaluator::registerInstance(IScriptExpressionEvaluator *evaluator)
{
    IScriptExpressionEvaluator *expected = nullptr;
    return g_instance.compare_exchange_strong(expected, evaluator);
}

void IScriptExpressionEvaluator::unregisterInstance(IScriptExpressionEvaluator *evaluator)
{
    IScriptExpressionEvaluator *expected = evaluator;
    g_instance.compare_exchange_strong(expected, nullptr);
}

QString IScriptExpressionEvaluator::Evaluation::describeError() const
{
    if (line > 0 && column > 0) {
        return tr("Line %1, column %2: %3").arg(line).arg(column).arg(errorMessage);
    }
    if (line > 0) {
        return tr("Line %1: %2").arg(line).arg(errorMessage);
    }
    return errorMessage;
}

QVariant IScriptExpressionEvaluator::evaluate(const QString &script, const Flow *flow,
                                              const QString &elementId, const IJT *ticket,
                                              const QString &elementName, ILogInterface *log) const
{
    const Evaluation evaluation =
        evaluateExpression(script, Context{flow, elementId, ticket, elementName});
    if (evaluation.ok()) {
        return evaluation.value;
    }
    if (log) {
        log->log(LogRecord(
            LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Script expression failed: %1")),
            flow ? flow->getFlowName() : QString(), elementName, QString(),
            evaluation.describeError()));
    }
    return QStringLiteral("error");
}

QString IScriptExpressionEvaluator::formatValue(const QVariant &value)
{
    const QString typeName =
        value.isValid() ? QString::fromLatin1(value.typeName()) : QStringLiteral("undefined");
    // Arrays come as lists, which have no text of their own.
    const int type = value.metaType().id();
    const QString text = type == QMetaType::QVariantList || type == QMetaType::QStringList
                             ? value.toStringList().join(QStringLiteral(", "))
                             : value.toString();
    if (text.isEmpty()) {
        return QStringLiteral("null [type: %1]").arg(typeName);
    }
    if (text == QLatin1String("error")) {
        return text;
    }
    return QStringLiteral("%1 [type: %2]").arg(text, typeName);
}

} // namespace SRCore
