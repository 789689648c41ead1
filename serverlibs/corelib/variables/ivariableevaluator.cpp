#include "ivariableevaluator.h"

#include "variableevaluator.h"

#include <QAtomicPointer>

namespace SRCore {

namespace {

QAtomicPointer<IVariableEvaluator> &registered()
{
    static QAtomicPointer<IVariableEvaluator> evaluator;
    return evaluator;
}

} // namespace

IVariableEvaluator::~IVariableEvaluator() = default;

IVariableEvaluator *IVariableEvaluator::instance()
{
    if (IVariableEvaluator *evaluator = registered().loadAcquire()) {
        return evaluator;
    }
    // Callers outside the program (tests, the command-line tool) still get an evaluator.
    static VariableEvaluator fallback(nullptr, nullptr,
                                      VariableEvaluator::Registration::Unregistered);
    return &fallback;
}

bool IVariableEvaluator::registerInstance(IVariableEvaluator *evaluator)
{
    return registered().testAndSetOrdered(nullptr, evaluator);
}

void IVariableEvaluator::unregisterInstance(IVariableEvaluator *evaluator)
{
    registered().testAndSetOrdered(evaluator, nullptr);
}

} // namespace SRCore
