#include "runrecorder.h"

#include <algorithm>
#include <utility>

void RunRecorder::recordOutput(const RunSummary::Output &output)
{
    const QMutexLocker locker(&m_mutex);
    m_outputs.append(output);
}

void RunRecorder::recordChange(RunSummary::DataChange::Scope scope, const QString &owner,
                               const QString &tag, const QString &oldValue, const QString &newValue)
{
    const QMutexLocker locker(&m_mutex);
    const auto existing =
        std::find_if(m_changes.begin(), m_changes.end(), [&](const RunSummary::DataChange &c) {
            return c.scope == scope && c.owner == owner && c.tag == tag;
        });
    if (existing != m_changes.end()) {
        existing->newValue = newValue;
    } else {
        m_changes.append({scope, owner, tag, oldValue, newValue});
    }
}

RunSummary RunRecorder::takeSummary(const QString &entryPoint, const QString &errorMessage)
{
    const QMutexLocker locker(&m_mutex);
    QVector<RunSummary::DataChange> changed;
    std::copy_if(m_changes.cbegin(), m_changes.cend(), std::back_inserter(changed),
                 [](const RunSummary::DataChange &c) { return c.oldValue != c.newValue; });
    const RunSummary summary(entryPoint, std::exchange(m_outputs, {}), changed, errorMessage);
    m_changes.clear();
    return summary;
}
