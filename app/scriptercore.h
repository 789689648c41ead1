#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace SRCore {
class CountManager;
class ILogInterface;
class LogManager;
} // namespace SRCore

namespace Scripter {

// The one long-lived controller of the program: it prepares the per-user working folders,
// starts the message log and keeps the log interface through which the shell writes messages,
// and the counter of job arrival stamps. Exactly one exists while the program runs; other
// components reach it through instance().
class ScripterCore : public QObject
{
    Q_OBJECT

public:
    explicit ScripterCore(QObject *parent = nullptr);
    ~ScripterCore() override;

    // The running core; null before it is created and after it is destroyed.
    static ScripterCore *instance();

    QString logsFolder() const { return m_logsFolder; }
    QString tempFolder() const { return m_tempFolder; }
    QString settingsFolder() const { return m_settingsFolder; }
    QString problemFilesFolder() const { return m_problemFilesFolder; }

    // The log interface named "Scripter control"; never null.
    SRCore::ILogInterface *controlLogInterface() const;
    // Null when the counter settings could not be loaded.
    SRCore::CountManager *countManager() const { return m_countManager.get(); }

public slots:
    // Writes one message to the message database; `operation` is the message text and may hold
    // "%1", filled with `argument` when shown.
    void sendLogMessage(int level, const QString &operation, const QString &flow = QString(),
                        const QString &element = QString(), const QString &job = QString(),
                        const QString &argument = QString());

private:
    void setupFolders();
    QString prepareFolder(const QString &name);

    SRCore::LogManager *m_logManager = nullptr;
    std::unique_ptr<SRCore::CountManager> m_countManager;
    QString m_logsFolder;
    QString m_tempFolder;
    QString m_settingsFolder;
    QString m_problemFilesFolder;
    std::unique_ptr<SRCore::ILogInterface> m_controlLog;
};

} // namespace Scripter
