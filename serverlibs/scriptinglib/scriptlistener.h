#pragma once

#include <QObject>

namespace SRCore {
class ILogInterface;
}

// Hands the errors of a script interpreter to the message log, where the message pane shows
// them: connect an interpreter's error(message, scriptName, lineNumber) signal to onError().
class ScriptListener : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScriptListener)

public:
    // `log` is not owned and must outlive the listener; with none, errors go to the developer
    // log only.
    explicit ScriptListener(SRCore::ILogInterface *log, QObject *parent = nullptr);

public slots:
    // Logs an error message (level 3) naming the script, the line (when above 0) and the
    // interpreter's message.
    void onError(const QString &message, const QString &scriptName, int lineNumber);

private:
    SRCore::ILogInterface *m_log;
};
