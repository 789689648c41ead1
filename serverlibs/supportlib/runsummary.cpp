#include "runsummary.h"

RunSummary::RunSummary(const QString &entryPoint, const QVector<Output> &outputs,
                       const QVector<DataChange> &changes, const QString &errorMessage)
    : m_entryPoint(entryPoint)
    , m_outputs(outputs)
    , m_changes(changes)
    , m_errorMessage(errorMessage)
{}
