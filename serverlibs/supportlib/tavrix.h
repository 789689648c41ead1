#pragma once

#include "job.h"
#include "tavrixbasic.h"

#include <QHash>
#include <QPointer>

// The flow element that runs the script (`s`) in a run: besides its properties (TavrixBasic)
// its connections, its timer, the jobs waiting for it, new jobs, the flow's global data and the
// folders a script may need.
class Tavrix : public TavrixBasic
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Tavrix")

public:
    Tavrix(SRCore::Flow *flow, const QString &elementId, IFrameworkEnvironment *environment,
           SRCore::IJT *ticket, SRCore::ILogInterface *log, QObject *parent = nullptr);
    ~Tavrix() override;

    Q_INVOKABLE QVariantList getOutConnections();
    Q_INVOKABLE QVariantList getInConnections();
    Q_INVOKABLE int getTimerInterval() const;
    Q_INVOKABLE void setTimerInterval(int seconds);
    Q_INVOKABLE QVariantList getJobs();
    Q_INVOKABLE Job *createNewJob(const QString &name);
    Q_INVOKABLE QString getGlobalData(const QString &scope, const QString &tag) const;
    Q_INVOKABLE void setGlobalData(const QString &scope, const QString &tag, const QString &value);
    Q_INVOKABLE QString getSpecialFolderPath(const QString &kind) const;

private:
    // The connections whose `end` field names the element, as scripting objects.
    QVariantList connections(const QString &end);

    // One object per connection, so that a script sees the same object each time.
    QHash<QString, QPointer<Connection>> m_connections;
};
