#pragma once

#include "ivariableevaluator.h"

#include <QCoreApplication>

namespace SRCore {

class VariableManager;

// The evaluator of texts with variables and conditions (IVariableEvaluator) over the catalogue
// of VariableManager::instance(). The first one constructed becomes the process-wide evaluator
// until it is destroyed; the core owns it. Holds no mutable state: safe from any thread.
class VariableEvaluator final : public IVariableEvaluator
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::VariableEvaluator)

public:
    // `log` (not owned, may be null) receives the problems of the flat operations whose caller
    // passes no log interface; it must outlive the evaluator.
    explicit VariableEvaluator(ILogInterface *log = nullptr);
    // Evaluates against `manager`'s catalogue instead of the process-wide one (tests, later
    // catalogues); `manager` is not owned and must outlive the evaluator. Not registered.
    VariableEvaluator(const VariableManager &manager, ILogInterface *log);
    ~VariableEvaluator() override;

    QString getVariableValue(const QString &text, const QString &element, const Flow *flow,
                             const QString &context, const IJT *ticket,
                             ILogInterface *log) const override;
    VariableEvaluation evaluateText(const QString &text,
                                    const VariableContext &context) const override;
    ConditionEvaluation evaluateCondition(const QString &condition,
                                          const VariableContext &context) const override;
    QString getConditionValue(const QString &condition, const QString &element, const Flow *flow,
                              const QString &context, const IJT *ticket,
                              ILogInterface *log) const override;

private:
    friend class IVariableEvaluator;
    enum class Registration { Registered, Unregistered };
    VariableEvaluator(const VariableManager *manager, ILogInterface *log,
                      Registration registration);

    const VariableManager &manager() const;
    void logProblems(const VariableProblems &problems, const QString &text, const Flow *flow,
                     const IJT *ticket, ILogInterface *log) const;

    const VariableManager *m_manager; // null: the process-wide manager
    ILogInterface *m_log;
    bool m_registered = false;
};

} // namespace SRCore
