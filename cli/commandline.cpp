#include "commandline.h"

#include "scriptexecution.h"
#include "scriptlanguages.h"

#include "package/scriptpackage.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

namespace Scripter {

namespace {

using Command = CommandLine::Command;

struct CommandEntry
{
    Command command;
    const char *name;
    const char *synopsis; // the arguments after the name
    const char *summary;
};

// In the order the overview lists them. The texts are translated where they are shown.
const QList<CommandEntry> &commands()
{
    static const QList<CommandEntry> table = {
        {Command::New, "new",
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "PATH.tscript [--name NAME] [--languages LIST] [--unarchived] "
                           "[--force]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Creates a package from the default declaration and the new-script "
                           "templates, with its fixture, as the program's New and Save write "
                           "it.")},
        {Command::Info, "info",
         QT_TRANSLATE_NOOP("Scripter::CommandLine", "PACKAGE [--json] [--password P]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Shows the manifest, element name, languages, protection, property "
                           "definitions, entry points and the fixture's jobs and connections.")},
        {Command::Check, "check",
         QT_TRANSLATE_NOOP("Scripter::CommandLine", "PACKAGE [--password P]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Runs the JavaScript and VBScript syntax checks and compares the entry "
                           "points the programs define with those the declaration lists. Fails "
                           "when a check fails.")},
        {Command::Pack, "pack",
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "FOLDER [--output PATH.tscript] [--password P] [--force]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Writes an unarchived package folder as a package archive, with its "
                           "fixture beside it.")},
        {Command::Unpack, "unpack",
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "PACKAGE --output FOLDER [--password P] [--force]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Writes a package as an unarchived package folder: its members, the "
                           "empty marker file and the fixture.")},
        {Command::Resave, "resave",
         QT_TRANSLATE_NOOP("Scripter::CommandLine", "PACKAGE [--password P]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Opens the package and saves it as the program's Save does: the "
                           "declaration rewritten, the entry point lists taken from the current "
                           "programs, the fixture rewritten, the storage form kept. Syntax errors "
                           "are reported and do not stop the save.")},
        {Command::Run, "run",
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "PACKAGE... [--entry NAME] [--fixture FILE] [--job NAME] "
                           "[--connection NAME] [--arg KEY=VALUE] [--timeout SECONDS] "
                           "[--test-folder DIR] [--junit FILE] [--json] [--password P]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Runs an entry point of each package against its fixture as the "
                           "program's Test menu does, printing the messages as they come, then "
                           "the run summary and the expected results. A folder that is no "
                           "package stands for the packages in it. Fails when a run ends with "
                           "an error, logs an error or an expected result does not hold.")},
        {Command::Exec, "exec",
         QT_TRANSLATE_NOOP("Scripter::CommandLine", "FILE [--language js|vbs]"),
         QT_TRANSLATE_NOOP("Scripter::CommandLine",
                           "Runs a JavaScript (.js) or VBScript (.vbs) file's top-level code as "
                           "the Windows Script Host does, with the objects that scripts find "
                           "(File, Dir, Process, console) and WScript.Echo: what it echoes and "
                           "logs goes to stdout, the error that ends the script to stderr.")},
    };
    return table;
}

const CommandEntry *entryOf(Command command)
{
    for (const CommandEntry &entry : commands()) {
        if (entry.command == command) {
            return &entry;
        }
    }
    return nullptr;
}

Command commandNamed(const QString &name)
{
    for (const CommandEntry &entry : commands()) {
        if (name == QLatin1String(entry.name)) {
            return entry.command;
        }
    }
    return Command::None;
}

QString translated(const char *text)
{
    return QCoreApplication::translate("Scripter::CommandLine", text);
}

// The options of one command, with their help lines.
struct Options
{
    QCommandLineOption verbose{{QStringLiteral("v"), QStringLiteral("verbose")},
                               CommandLine::tr("Also print the messages that the program shows "
                                               "in its message pane.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            CommandLine::tr("Show this help.")};
    QCommandLineOption name{QStringLiteral("name"),
                            CommandLine::tr("The element's name (default: \"TavrixScript\", as "
                                            "in a new package of the program)."),
                            CommandLine::tr("NAME")};
    QCommandLineOption languages{QStringLiteral("languages"),
                                 CommandLine::tr("The languages the package includes, separated "
                                                 "by commas: js, vbs, applescript (default: js)."),
                                 CommandLine::tr("LIST")};
    QCommandLineOption unarchived{QStringLiteral("unarchived"),
                                  CommandLine::tr("Write the unarchived folder form: a folder "
                                                  "named like the package, holding the members "
                                                  "and the empty PATH.tscript marker.")};
    QCommandLineOption json{QStringLiteral("json"), CommandLine::tr("Print JSON.")};
    QCommandLineOption password{{QStringLiteral("p"), QStringLiteral("password")},
                                CommandLine::tr("The password of a protected package (default: "
                                                "the environment variable "
                                                "TAVRIXSCRIPTER_PASSWORD)."),
                                CommandLine::tr("P")};
    QCommandLineOption force{{QStringLiteral("f"), QStringLiteral("force")},
                             CommandLine::tr("Replace an existing package, or the contents of a "
                                             "folder that is not empty (version-control data "
                                             "\".svn\" and \"_svn\" stays).")};
    QCommandLineOption packOutput{{QStringLiteral("o"), QStringLiteral("output")},
                                  CommandLine::tr("The archive to write (default: beside the "
                                                  "folder, named like it)."),
                                  CommandLine::tr("PATH.tscript")};
    QCommandLineOption entry{QStringLiteral("entry"),
                             CommandLine::tr("The entry point to run (default: jobArrived when "
                                             "the fixture has a current job, else "
                                             "timerFired)."),
                             CommandLine::tr("NAME")};
    QCommandLineOption fixture{QStringLiteral("fixture"),
                               CommandLine::tr("The fixture to run against (default: the "
                                               "package's)."),
                               CommandLine::tr("FILE")};
    QCommandLineOption job{QStringLiteral("job"),
                           CommandLine::tr("The incoming job that is the current job, as "
                                           "selecting it in the fixture pane makes it."),
                           CommandLine::tr("NAME")};
    QCommandLineOption connection{QStringLiteral("connection"),
                                  CommandLine::tr("The outgoing connection that is the current "
                                                  "connection."),
                                  CommandLine::tr("NAME")};
    QCommandLineOption argument{QStringLiteral("arg"),
                                CommandLine::tr("The entry point's argument that the program "
                                                "asks for: tag=TAG, startup=TRUE|FALSE or "
                                                "license=KEY."),
                                CommandLine::tr("KEY=VALUE")};
    QCommandLineOption timeout{QStringLiteral("timeout"),
                               CommandLine::tr("Stop a run that takes longer, as the program's "
                                               "time-out does, and fail."),
                               CommandLine::tr("SECONDS")};
    QCommandLineOption testFolder{QStringLiteral("test-folder"),
                                  CommandLine::tr("Where the test flow is built (default: the "
                                                  "fixture's test folder)."),
                                  CommandLine::tr("DIR")};
    QCommandLineOption junit{QStringLiteral("junit"),
                             CommandLine::tr("Also write a JUnit XML report."),
                             CommandLine::tr("FILE")};
    QCommandLineOption runJson{QStringLiteral("json"),
                               CommandLine::tr("Print the messages, run summaries and expected "
                                               "results as one JSON document instead.")};
    QCommandLineOption language{QStringLiteral("language"),
                                CommandLine::tr("The script's language: js or vbs (default: by "
                                                "the file's suffix)."),
                                CommandLine::tr("LANGUAGE")};
    QCommandLineOption unpackOutput{{QStringLiteral("o"), QStringLiteral("output")},
                                    CommandLine::tr("The package folder to write; its name "
                                                    "becomes the package's name."),
                                    CommandLine::tr("FOLDER")};

    QList<QCommandLineOption> of(Command command) const
    {
        switch (command) {
        case Command::New:
            return {name, languages, unarchived, force, verbose, help};
        case Command::Info:
            return {json, password, verbose, help};
        case Command::Check:
        case Command::Resave:
            return {password, verbose, help};
        case Command::Pack:
            return {packOutput, password, force, verbose, help};
        case Command::Unpack:
            return {unpackOutput, password, force, verbose, help};
        case Command::Run:
            return {entry,      fixture, job,     connection, argument, timeout,
                    testFolder, junit,   runJson, password,   verbose,  help};
        case Command::Exec:
            return {language, verbose, help};
        case Command::None:
        case Command::Help:
        case Command::Version:
            break;
        }
        return {verbose, help};
    }
};

QString optionLine(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names()) {
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    }
    QString line = QStringLiteral("  ") + names.join(QLatin1String(", "));
    if (!option.valueName().isEmpty()) {
        line += QLatin1Char(' ') + option.valueName();
    }
    return line.leftJustified(26) + QLatin1Char(' ') + option.description() + QLatin1Char('\n');
}

} // namespace

QString CommandLine::programName()
{
    return QStringLiteral("tavrixscripter-cli");
}

bool CommandLine::refuse(const QString &error)
{
    m_error = error;
    return false;
}

bool CommandLine::parse(const QStringList &arguments)
{
    const QStringList words = arguments.mid(1);
    if (words.isEmpty()) {
        return refuse(tr("no command given"));
    }
    const QString first = words.first();
    if (first == QLatin1String("help") || first == QLatin1String("-h")
        || first == QLatin1String("--help")) {
        m_command = Command::Help;
        if (words.size() > 2) {
            return refuse(tr("help takes at most one command"));
        }
        if (words.size() == 2) {
            m_helpTopic = commandNamed(words.at(1));
            if (m_helpTopic == Command::None) {
                return refuse(tr("unknown command '%1'").arg(words.at(1)));
            }
        }
        return true;
    }
    if (first == QLatin1String("--version")) {
        m_command = Command::Version;
        return words.size() == 1 || refuse(tr("--version takes no arguments"));
    }
    m_command = commandNamed(first);
    if (m_command == Command::None) {
        return refuse(first.startsWith(QLatin1Char('-'))
                          ? tr("the command must come first, before '%1'").arg(first)
                          : tr("unknown command '%1'").arg(first));
    }

    const Options options;
    QCommandLineParser parser;
    parser.addOptions(options.of(m_command));
    if (!parser.parse(QStringList{arguments.first()} + words.mid(1))) {
        return refuse(parser.errorText());
    }
    if (parser.isSet(options.help)) {
        m_helpTopic = m_command;
        m_command = Command::Help;
        return true;
    }
    m_verbose = parser.isSet(options.verbose);

    const QStringList positional = parser.positionalArguments();
    const CommandEntry *entry = entryOf(m_command);
    const QString usage =
        QStringLiteral("%1 %2").arg(QLatin1String(entry->name), translated(entry->synopsis));
    if (positional.isEmpty()) {
        return refuse(tr("missing argument; usage: %1").arg(usage));
    }
    if (positional.size() > 1 && m_command != Command::Run) {
        return refuse(tr("unexpected argument '%1'; usage: %2").arg(positional.at(1), usage));
    }
    m_paths = positional;
    const QString path = positional.first();

    // Only the options of the command are asked for: the parser knows no others.
    const auto readPassword = [this, &parser, &options] {
        if (parser.isSet(options.password)) {
            // Given, even when empty: an empty password is a wrong one, not a missing one.
            m_password = parser.value(options.password);
            if (m_password.isNull()) {
                m_password = QLatin1String("");
            }
        }
    };
    switch (m_command) {
    case Command::New:
        if (!ScriptPackage::isPackagePath(path)) {
            return refuse(tr("the new package's path must end in .tscript: '%1'").arg(path));
        }
        m_force = parser.isSet(options.force);
        m_unarchived = parser.isSet(options.unarchived);
        if (parser.isSet(options.name)) {
            m_name = parser.value(options.name);
            if (m_name.trimmed().isEmpty()) {
                return refuse(tr("--name needs a name"));
            }
        }
        if (parser.isSet(options.languages)) {
            const QStringList names =
                parser.value(options.languages).split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString &name : names) {
                const ScriptLanguages::Language *language = ScriptLanguages::fromOption(name);
                if (!language) {
                    return refuse(tr("unknown language '%1'; use js, vbs or applescript")
                                      .arg(name.trimmed()));
                }
                if (!m_languages.contains(language->option)) {
                    m_languages.append(language->option);
                }
            }
            if (m_languages.isEmpty()) {
                return refuse(tr("--languages needs at least one of js, vbs, applescript"));
            }
        }
        break;
    case Command::Info:
        readPassword();
        m_json = parser.isSet(options.json);
        break;
    case Command::Check:
    case Command::Resave:
        readPassword();
        break;
    case Command::Pack:
        readPassword();
        m_force = parser.isSet(options.force);
        m_output = parser.value(options.packOutput);
        if (!m_output.isEmpty() && !ScriptPackage::isPackagePath(m_output)) {
            return refuse(tr("the archive's path must end in .tscript: '%1'").arg(m_output));
        }
        break;
    case Command::Unpack:
        readPassword();
        m_force = parser.isSet(options.force);
        m_output = parser.value(options.unpackOutput);
        if (m_output.isEmpty()) {
            return refuse(tr("unpack needs --output FOLDER"));
        }
        break;
    case Command::Run:
        readPassword();
        m_json = parser.isSet(options.runJson);
        m_fixture = parser.value(options.fixture);
        m_job = parser.value(options.job);
        m_connection = parser.value(options.connection);
        m_testFolder = parser.value(options.testFolder);
        m_junit = parser.value(options.junit);
        return readRunOptions(parser.isSet(options.entry), parser.value(options.entry),
                              parser.values(options.argument), parser.isSet(options.timeout),
                              parser.value(options.timeout));
    case Command::Exec:
        if (parser.isSet(options.language)) {
            const ScriptLanguages::Language *language =
                ScriptLanguages::fromOption(parser.value(options.language));
            m_language = language ? language->name : QString();
        } else {
            m_language = ScriptExecution::languageOf(path);
        }
        if (!ScriptExecution::runsLanguage(m_language)) {
            return refuse(parser.isSet(options.language)
                              ? tr("exec runs JavaScript or VBScript: --language js or vbs")
                              : tr("exec runs JavaScript and VBScript files, named *.js or "
                                   "*.vbs, or use --language: '%1'")
                                    .arg(path));
        }
        break;
    case Command::None:
    case Command::Help:
    case Command::Version:
        break;
    }
    return true;
}

bool CommandLine::readRunOptions(bool entryGiven, const QString &entry,
                                 const QStringList &arguments, bool timeoutGiven,
                                 const QString &timeout)
{
    if (entryGiven) {
        m_entryPoint = entryPointNumber(entry);
        if (m_entryPoint == EntryPoints::Count) {
            QStringList known;
            for (int number = 0; number < EntryPoints::Count; ++number) {
                known.append(entryPointName(number));
            }
            return refuse(tr("unknown entry point '%1'; use one of %2")
                              .arg(entry, known.join(QLatin1String(", "))));
        }
    }
    static const QStringList keys = {QStringLiteral("tag"), QStringLiteral("startup"),
                                     QStringLiteral("license")};
    for (const QString &argument : arguments) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString key = argument.left(equals).trimmed();
        if (equals < 0 || !keys.contains(key)) {
            return refuse(
                tr("--arg takes tag=TAG, startup=TRUE|FALSE or license=KEY: '%1'").arg(argument));
        }
        m_arguments.insert(key, argument.mid(equals + 1));
    }
    if (timeoutGiven) {
        bool number = false;
        m_timeout = timeout.toInt(&number);
        if (!number || m_timeout <= 0) {
            return refuse(
                tr("--timeout needs a whole number of seconds above 0: '%1'").arg(timeout));
        }
    }
    return true;
}

QString CommandLine::entryPointName(int number)
{
    return number == EntryPoints::ScriptExpression ? QStringLiteral("scriptExpression")
                                                   : EntryPoints::functionName(number);
}

int CommandLine::entryPointNumber(const QString &name)
{
    for (int number = 0; number < EntryPoints::Count; ++number) {
        if (entryPointName(number).compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            return number;
        }
    }
    return EntryPoints::Count;
}

QString CommandLine::helpText(Command topic)
{
    const QString program = programName();
    if (const CommandEntry *entry = entryOf(topic)) {
        QString text = tr("Usage: %1 %2 %3")
                           .arg(program, QLatin1String(entry->name), translated(entry->synopsis))
                       + QLatin1String("\n\n") + translated(entry->summary) + QLatin1String("\n");
        if (topic != Command::New && topic != Command::Exec) {
            text += QLatin1Char('\n')
                    + tr("PACKAGE is a .tscript archive, an unarchived package folder or its "
                         ".tscript marker file, or the .tfixture file beside a package.")
                    + QLatin1Char('\n');
        }
        text += QLatin1Char('\n') + tr("Options:") + QLatin1Char('\n');
        const Options options;
        for (const QCommandLineOption &option : options.of(topic)) {
            text += optionLine(option);
        }
        return text;
    }

    QString text = tr("Usage: %1 COMMAND [OPTIONS]").arg(program) + QLatin1String("\n\n")
                   + tr("Creates, inspects, checks and converts TavrixScripter script packages "
                        "without a desktop, through the program's own package, declaration and "
                        "fixture code, runs their entry points against their fixtures, and runs "
                        "JavaScript and VBScript files.")
                   + QLatin1String("\n\n") + tr("Commands:") + QLatin1Char('\n');
    for (const CommandEntry &entry : commands()) {
        text +=
            QStringLiteral("  %1 %2\n").arg(QLatin1String(entry.name), translated(entry.synopsis));
    }
    text += QLatin1Char('\n')
            + tr("PACKAGE is a .tscript archive, an unarchived package folder or its .tscript "
                 "marker file. A protected package needs its password (--password, or the "
                 "environment variable TAVRIXSCRIPTER_PASSWORD); the unarchived folder form is "
                 "read without it, except by pack and unpack.")
            + QLatin1String("\n\n")
            + tr("Exit status: 0 on success, 1 when the work fails, 2 for a usage error. Errors "
                 "go to stderr, one line each, naming the file and the cause.")
            + QLatin1String("\n\n")
            + tr("The environment variable TAVRIXSCRIPTER_LOCK_WAIT_MS sets how many milliseconds "
                 "a save waits for another program's save of the same package.")
            + QLatin1String("\n\n")
            + tr("\"%1 help COMMAND\" or \"%1 COMMAND --help\" describes a command's options; "
                 "--verbose also prints the messages that the program shows in its message "
                 "pane.")
                  .arg(program)
            + QLatin1Char('\n');
    return text;
}

} // namespace Scripter
