#pragma once

#include "testing/entrypoints.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

namespace Scripter {

// The command line of tavrixscripter-cli: one command, its package or folder, its options.
// Knows nothing of packages; whether a path is usable is the command's business.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::CommandLine)

public:
    enum class Command { None, Help, Version, New, Info, Check, Pack, Unpack, Resave, Run, Exec };

    static QString programName();

    // Reads `arguments`, the program's name first. False for a usage error, which error()
    // explains in one line.
    bool parse(const QStringList &arguments);
    QString error() const { return m_error; }

    Command command() const { return m_command; }
    // For Help: the command whose help was asked for; None for the overview.
    Command helpTopic() const { return m_helpTopic; }

    // The command's one argument: a package, a folder, the new package's path or a script; for
    // run, the first of its packages.
    QString path() const { return m_paths.value(0); }
    // Every package or folder that run was given, in order.
    QStringList paths() const { return m_paths; }
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

    // run: --entry as an EntryPoints::Number; EntryPoints::Count when not given.
    int entryPoint() const { return m_entryPoint; }
    // run: --fixture, --job, --connection, --test-folder, --junit; empty when not given.
    QString fixture() const { return m_fixture; }
    QString job() const { return m_job; }
    QString connection() const { return m_connection; }
    QString testFolder() const { return m_testFolder; }
    QString junit() const { return m_junit; }
    // run: the --arg values by their key ("tag", "startup", "license").
    QMap<QString, QString> arguments() const { return m_arguments; }
    // run: --timeout in seconds; 0 for none.
    int timeout() const { return m_timeout; }
    // exec: the language (XMLValues) of the script, by --language or else by its suffix.
    QString language() const { return m_language; }

    // The name run knows entry point `number` by: its function, or "scriptExpression".
    static QString entryPointName(int number);
    // The EntryPoints::Number of `name` (any letter case); EntryPoints::Count when unknown.
    static int entryPointNumber(const QString &name);

    // The overview, or the help of one command.
    static QString helpText(Command topic = Command::None);

private:
    bool refuse(const QString &error);
    bool readRunOptions(bool entryGiven, const QString &entry, const QStringList &arguments,
                        bool timeoutGiven, const QString &timeout);

    QString m_error;
    Command m_command = Command::None;
    Command m_helpTopic = Command::None;
    QStringList m_paths;
    QString m_output;
    QString m_name;
    QStringList m_languages;
    QString m_password;
    bool m_unarchived = false;
    bool m_json = false;
    bool m_force = false;
    bool m_verbose = false;
    int m_entryPoint = EntryPoints::Count;
    QString m_fixture;
    QString m_job;
    QString m_connection;
    QString m_testFolder;
    QString m_junit;
    QMap<QString, QString> m_arguments;
    int m_timeout = 0;
    QString m_language;
};

} // namespace Scripter
