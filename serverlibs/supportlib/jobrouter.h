#pragma once

#include "runsummary.h"

#include "corelib/flow/flowobject.h"

#include <QCoreApplication>
#include <QList>

namespace SRCore {
class Flow;
class IJT;
} // namespace SRCore

// Sends jobs along the outgoing connections of a flow element (docs/test-flow.md): a send copies
// the file or folder into the folder at the connection's end under a new unique prefix and writes
// the ticket of the new job, a copy of the sender's ticket, into the tickets folder. A send that
// fails leaves nothing behind.
class JobRouter
{
    Q_DECLARE_TR_FUNCTIONS(JobRouter)

public:
    // What a traffic-light connection carries.
    enum class Traffic { Data, Log };

    // The element `elementId` of `flow`, which must outlive the router.
    JobRouter(const SRCore::Flow &flow, const QString &elementId);

    QList<SRCore::FlowObject> outgoingConnections() const;
    bool isOutgoing(const SRCore::FlowObject &connection) const;
    // The folder at the end of an outgoing connection; empty when it has none.
    QString folderOf(const SRCore::FlowObject &connection) const;
    // The outgoing traffic-light connections that carry `traffic` files of `level` (1 success,
    // 2 warning, 3 error): their traffic type takes that kind of file ("Data with log" takes
    // data) and their field for the level is "Yes".
    QList<SRCore::FlowObject> trafficLightConnections(Traffic traffic, int level) const;
    // The field that says whether a traffic-light connection carries `level`; empty for a level
    // other than 1, 2 and 3.
    static QString levelField(int level);

    // Sends `path` as a job with `ticket` along `connection`, named `name` after its new prefix
    // (empty: the name of `path` without its prefix). False, with the reason, when the path does
    // not exist or lies in an output folder, the connection is not outgoing, or the copy or the
    // ticket can't be written.
    bool send(const SRCore::IJT &ticket, const QString &path, const SRCore::FlowObject &connection,
              const QString &name, RunSummary::Output *output, QString *errorMessage) const;

private:
    bool isInOutputFolder(const QString &path) const;
    // The next unique prefix that no ticket uses yet.
    static QString reservePrefix(QString *errorMessage);

    const SRCore::Flow &m_flow;
    QString m_elementId;
};
