#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace Scripter {

// The command line of tavrixscripter-cli: one command, its package or folder, its options.
// Knows nothing of packages; whether a path is usable is the command's business.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::CommandLine)

public:
    enum class Command { None, Help, Version, New, Info, Check, Pack, Unpack, Resave, Exec };

    static QString programName();

    // Reads `arguments`, the program's name first. False for a usage error, which error()
    // explains in one line.
    bool parse(const QStringList &arguments);
    QString error() const { return m_error; }

    Command command() const { return m_command; }
    // For Help: the command whose help was asked for; None for the overview.
    Command helpTopic() const { return m_helpTopic; }

    // The command's one argument: a package, a folder, the new package's path or a script.
    QString path() const { return m_path; }
    // --output; empty when not given.
    QString output() const { return m_output; }
    // --name; null when not given.
    QString name() const { return m_name; }
    // --languages as the languages' option names ("js", "vbs", "applescript"), each once, in
    // the order given; empty when not given.
    QStringList languages() const { return m_languages; }
    // --password; null when not given.
    QString password() const { return m_password; }
    bool unarchived() const { return m_unarchived; }
    bool json() const { return m_json; }
    bool force() const { return m_force; }
    bool verbose() const { return m_verbose; }

    // The overview, or the help of one command.
    static QString helpText(Command topic = Command::None);

private:
    bool refuse(const QString &error);

    QString m_error;
    Command m_command = Command::None;
    Command m_helpTopic = Command::None;
    QString m_path;
    QString m_output;
    QString m_name;
    QStringList m_languages;
    QString m_password;
    bool m_unarchived = false;
    bool m_json = false;
    bool m_force = false;
    bool m_verbose = false;
};

} // namespace Scripter
