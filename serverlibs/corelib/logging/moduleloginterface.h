#pragma once

#include "iloginterface.h"

#include <QString>

namespace SRCore {

// A named source of messages: stamps each record with its module, flow and job names and the
// job's unique prefix (where the record leaves them empty) and the current time (where it has
// none), and queues it on the LogManager. Immutable after construction, so one object may be shared by any threads.
class ModuleLogInterface : public ILogInterface
{
public:
    explicit ModuleLogInterface(const QString &module, const QString &flowName = QString(),
                                const QString &jobName = QString());

    QString module() const { return m_module; }
    QString flowName() const { return m_flowName; }
    QString jobName() const { return m_jobName; }

    // A record of level 0 is logged instead as an error naming the refused text.
    void log(const LogRecord &record, int flags = NoFlags) override;

private:
    const QString m_module;
    const QString m_flowName;
    const QString m_jobName;
};

} // namespace SRCore
