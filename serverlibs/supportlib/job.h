#pragma once

#include "connection.h"
#include "jobbasic.h"
#include "jobrouter.h"

#include <QPointer>

// The job that an entry point handles (`job`): a JobBasic that can also be routed. It is sent
// along outgoing connections (sendTo, sendToSingle, and by traffic-light level sendToData and
// sendToLog), discarded (sendToNull) or failed (fail). After fail nothing more is sent. The
// files a script makes for the job go into a temporary folder of the job (createPathWithName),
// which goes when the run ends.
class Job : public JobBasic
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Job")

public:
    enum class Outcome { None, Sent, Discarded, Failed };

    // `tavrix` is the element that routes the job; it must outlive the job.
    Job(SRCore::IJT *ticket, TavrixBasic *tavrix, QObject *parent = nullptr);
    Job(std::unique_ptr<SRCore::IJT> ticket, TavrixBasic *tavrix, QObject *parent = nullptr);
    // A job without an element, as the runner makes it: it can't be routed until an entries
    // manager binds it to one (setElement).
    Job(SRCore::IJT *ticket, IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
        QObject *parent = nullptr);
    ~Job() override;

    void setElement(TavrixBasic *tavrix);
    // What the script did with the job; the strongest of several sends and discards.
    Outcome outcome() const { return m_outcome; }

    Q_INVOKABLE QString createPathWithName(const QString &name, bool createFolder = false) const;
    Q_INVOKABLE void sendTo(Connection *connection, const QString &path = QString(),
                            const QString &newName = QString());
    Q_INVOKABLE void sendToSingle(const QString &path = QString());
    Q_INVOKABLE void sendToData(int level, const QString &path = QString());
    Q_INVOKABLE void sendToLog(int level, const QString &path = QString());
    Q_INVOKABLE void sendToNull(const QString &path = QString());
    Q_INVOKABLE void fail(const QString &message, const QVariantList &arguments = QVariantList());

private:
    // The router of the element, or null with an error raised when the job can't be sent now.
    std::unique_ptr<JobRouter> router(const char *operation) const;
    void sendAlong(const JobRouter &router, const SRCore::FlowObject &connection,
                   const QString &path, const QString &newName);
    // The level is 1, 2 or 3 and the element has traffic-light connections; raises otherwise.
    bool checkTrafficLight(const JobRouter &router, int level, const char *operation) const;
    void attachLog(const SRCore::FlowObject &connection, const QString &path);

    QPointer<TavrixBasic> m_tavrix;
    Outcome m_outcome = Outcome::None;
};
