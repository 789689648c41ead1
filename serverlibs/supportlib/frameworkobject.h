#pragma once

#include <QObject>
#include <QVariantList>

class IFrameworkEntriesManager;
class IFrameworkEnvironment;
class UserGlobalData;

namespace SRCore {
class ILogInterface;
}

// Base of the objects that scripts see (s, job, c, e, Dataset and the helpers): the environment
// of the run they belong to and the log interface of the program. What a script may call is each
// class's Q_INVOKABLE methods; they are the table ScriptingApi::objects() of the editor, and a
// test keeps the two equal.
//
// A method that fails raises its error in the script through the run's engine; outside a call
// from a script the error is logged instead. Threads: an object is used by one thread at a
// time, the one that runs the script.
class FrameworkObject : public QObject
{
    Q_OBJECT

public:
    // Neither pointer is owned; both must outlive the object. `log` may be null.
    FrameworkObject(IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
                    QObject *parent = nullptr);
    ~FrameworkObject() override;

    SRCore::ILogInterface *getLogInterface() const { return m_log; }
    IFrameworkEnvironment *environment() const { return m_environment; }

protected:
    // The current call from the script fails with `message`.
    void raiseError(const QString &message) const;
    // A message of the script, through the entries manager when one runs the script. Levels are
    // -1, 1, 2 and 3; 0 is refused by the log, any other level is an error of the call.
    void logScriptMessage(int level, const QString &message, const QVariantList &arguments,
                          const QString &jobName = QString()) const;
    // A message of the run itself (untranslated text of the context "LogMessages").
    void logRunMessage(int level, const char *message, const QStringList &arguments,
                       const QString &jobName = QString()) const;
    IFrameworkEntriesManager *entriesManager() const;
    // The parent of the objects that calls make for the script; lives as long as the run.
    QObject *runScope() const;

    // The global data of the flow, shared by s and e; a failure is raised.
    QString globalData(const QString &scope, const QString &tag) const;
    void storeGlobalData(const QString &scope, const QString &tag, const QString &value) const;

    // A value from the script as text: lists joined by commas, objects as JSON.
    static QString scriptText(const QVariant &value);

private:
    UserGlobalData *userGlobalData() const;

    IFrameworkEnvironment *m_environment;
    SRCore::ILogInterface *m_log;
};
