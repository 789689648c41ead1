#pragma once

#include "dataset.h"
#include "frameworkobject.h"

#include <QStringList>

#include <memory>

namespace SRCore {
class IJT;
}

// A job as a script reads and annotates it (`job`): its file or folder and what its ticket
// carries: private data, hierarchy location, e-mail information, job state and metadata
// datasets. What travels along with the job when it is sent is the ticket as it is then. Script
// expressions see a job of this class; entry points see a Job, which can also be routed.
class JobBasic : public FrameworkObject
{
    Q_OBJECT

public:
    // A job of a ticket that someone else owns and keeps alive.
    JobBasic(SRCore::IJT *ticket, IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
             QObject *parent = nullptr);
    // A job that owns its ticket.
    JobBasic(std::unique_ptr<SRCore::IJT> ticket, IFrameworkEnvironment *environment,
             SRCore::ILogInterface *log, QObject *parent = nullptr);
    ~JobBasic() override;

    SRCore::IJT *ticket() const { return m_ticket; }
    // The name of the job in messages: its file or folder name with the unique prefix.
    QString jobName() const;

    Q_INVOKABLE QString getPath() const;
    Q_INVOKABLE QString getName() const;
    Q_INVOKABLE QString getNameProper() const;
    Q_INVOKABLE QString getExtension() const;
    Q_INVOKABLE QString getUniqueNamePrefix() const;
    Q_INVOKABLE bool isFile() const;
    Q_INVOKABLE bool isFolder() const;
    Q_INVOKABLE qint64 getByteCount() const;
    Q_INVOKABLE int getFileCount() const;

    Q_INVOKABLE QString getPrivateData(const QString &tag) const;
    Q_INVOKABLE void setPrivateData(const QString &tag, const QString &value);
    Q_INVOKABLE QStringList getPrivateDataTags() const;

    Q_INVOKABLE QStringList getHierarchyPath() const;
    Q_INVOKABLE void setHierarchyPath(const QStringList &segments);
    Q_INVOKABLE QStringList getEmailAddresses() const;
    Q_INVOKABLE void setEmailAddresses(const QStringList &addresses);
    Q_INVOKABLE QString getEmailBody() const;
    Q_INVOKABLE void setEmailBody(const QString &body);
    Q_INVOKABLE QString getJobState() const;
    Q_INVOKABLE void setJobState(const QString &state);

    Q_INVOKABLE Dataset *getDataset(const QString &name) const;
    Q_INVOKABLE QStringList getDatasetTags() const;
    Q_INVOKABLE void setDataset(const QString &name, Dataset *dataset);
    Q_INVOKABLE Dataset *createDataset(const QString &model, const QString &path) const;

    Q_INVOKABLE QString getVariableAsString(const QString &text) const;
    Q_INVOKABLE void log(int level, const QString &message,
                         const QVariantList &arguments = QVariantList()) const;

protected:
    // Where the backing files of datasets live, so that they outlive the run's temporary files.
    static QString datasetsFolder();

private:
    Dataset *wrap(std::unique_ptr<SRCore::Metadata> metadata) const;

    std::unique_ptr<SRCore::IJT> m_ownedTicket;
    SRCore::IJT *m_ticket;
};
