#pragma once

#include "runsummary.h"

#include <QMutex>

// Collects what a run does while it runs, for its RunSummary. The scripting objects of the run
// record into it; a change of a data tag keeps the value from before its first change. Taking
// the summary starts afresh, so that a later run with the same objects tells only its own
// doings. Safe to use from any thread.
class RunRecorder
{
public:
    RunRecorder() = default;
    RunRecorder(const RunRecorder &) = delete;
    RunRecorder &operator=(const RunRecorder &) = delete;

    void recordOutput(const RunSummary::Output &output);
    void recordChange(RunSummary::DataChange::Scope scope, const QString &owner, const QString &tag,
                      const QString &oldValue, const QString &newValue);

    RunSummary takeSummary(const QString &entryPoint, const QString &errorMessage);

private:
    QMutex m_mutex;
    QVector<RunSummary::Output> m_outputs;
    QVector<RunSummary::DataChange> m_changes;
};
