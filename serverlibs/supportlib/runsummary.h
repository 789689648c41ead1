#pragma once

#include <QString>
#include <QVector>

// What one entry point run did, for the author to see without opening folders: the jobs it
// sent and the private and global data it changed, in the order they happened, and the error
// that ended it. A value: made once at the end of the run and never changed.
class RunSummary
{
public:
    struct Output
    {
        QString connection; // the connection's name
        QString fileName;   // in the connection's folder, unique prefix included
        qint64 size = 0;    // bytes; for a folder, of all files in it
        QString path;
    };

    struct DataChange
    {
        enum class Scope { PrivateData, GlobalData };

        Scope scope = Scope::PrivateData;
        QString owner; // the job's name for private data, the scope for global data
        QString tag;
        QString oldValue; // empty when the tag was not set
        QString newValue;
    };

    RunSummary() = default;
    RunSummary(const QString &entryPoint, const QVector<Output> &outputs,
               const QVector<DataChange> &changes, const QString &errorMessage);

    QString entryPoint() const { return m_entryPoint; }
    const QVector<Output> &outputs() const { return m_outputs; }
    // Only tags whose value differs at the end of the run from the one before it.
    const QVector<DataChange> &changes() const { return m_changes; }
    // Why the run ended early (a script error, a stop); empty when it ran to its end.
    QString errorMessage() const { return m_errorMessage; }
    bool succeeded() const { return m_errorMessage.isEmpty(); }

private:
    QString m_entryPoint;
    QVector<Output> m_outputs;
    QVector<DataChange> m_changes;
    QString m_errorMessage;
};
