#include "clitool.h"

#include "headlessdocument.h"
#include "packageinfo.h"
#include "packagelisting.h"
#include "packagesession.h"
#include "scriptcheck.h"
#include "scriptexecution.h"
#include "scriptlanguages.h"

#include "package/declaration.h"
#include "package/packageprocessor.h"

#include "corelib/env/compatibilitymanager.h"
#include "corelib/env/envmanager.h"
#include "corelib/files/filehandler.h"
#include "corelib/files/processtempfolder.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logmanager.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

const QString packageSuffix = QStringLiteral(".tscript");

// The file that the package processor opens for `argument`: a folder stands for the marker file
// of the unarchived package it holds. Empty, with the reason, when there is none.
QString packageFile(const QString &argument, QString *reason)
{
    const QFileInfo info(argument);
    if (!info.exists()) {
        *reason = CliTool::tr("no such file or folder");
        return QString();
    }
    if (!info.isDir()) {
        return info.absoluteFilePath();
    }
    const QDir folder(info.absoluteFilePath());
    const QString marker = folder.dirName() + packageSuffix;
    if (!QFileInfo(folder.filePath(marker)).isFile()) {
        *reason = CliTool::tr("not a package folder: it holds no %1").arg(marker);
        return QString();
    }
    return folder.filePath(marker);
}

// "Router.js line 3, column 7: reason", leaving out what the checker did not say.
QString located(const QString &file, const ScriptCheck::Problem &problem)
{
    if (problem.line <= 0) {
        return QStringLiteral("%1: %2").arg(file, problem.message);
    }
    if (problem.column <= 0) {
        return CliTool::tr("%1 line %2: %3").arg(file).arg(problem.line).arg(problem.message);
    }
    return CliTool::tr("%1 line %2, column %3: %4")
        .arg(file)
        .arg(problem.line)
        .arg(problem.column)
        .arg(problem.message);
}

QString listed(const QStringList &names)
{
    return names.isEmpty() ? CliTool::tr("none") : names.join(QLatin1String(", "));
}

} // namespace

// What one run of the tool sets up for the whole process: a temporary folder of its own in the
// program's "temp" folder, where the program's runs keep theirs, and the message log, which goes
// into the program's message database; both in the per-user data folder.
class CliTool::Environment
{
public:
    explicit Environment(bool verbose)
        : m_temporary(SRCore::EnvManager::applicationDataPath() + QStringLiteral("/temp"))
    {
        if (m_temporary.isValid()) {
            SRCore::FileHandler::setTempFolder(m_temporary.path());
        }
        SRCore::LogManager *manager = SRCore::LogManager::instance();
        manager->setLogMessaging(verbose ? SRCore::LogManager::DatabaseAndConsole
                                         : SRCore::LogManager::DatabaseOnly);
        // The data folder of a newer version is not ours to write.
        SRCore::CompatibilityManager::initialise();
        const QString logs = SRCore::EnvManager::applicationDataPath() + QStringLiteral("/logs");
        bool logged =
            SRCore::CompatibilityManager::getInstance()->ensureScripterCompatibility(&m_problem)
            && QDir().mkpath(logs);
        if (logged && manager->setDatabaseFiles(logs) == 1) {
            m_problem = manager->lastError();
            logged = false;
        }
        if (logged) {
            manager->startThread();
        }
        // Without a database the messages would only pile up, unless they are printed.
        if (logged || verbose) {
            m_log = manager->createLogInterface(QStringLiteral("Scripter CLI"), nullptr, nullptr);
        }
    }

    ~Environment()
    {
        m_log.reset();
        SRCore::LogManager::finalize();
    }

    // Null when messages go nowhere.
    SRCore::ILogInterface *log() const { return m_log.get(); }
    // Why there is no message database; empty when there is one.
    QString problem() const { return m_problem; }

private:
    SRCore::ProcessTempFolder m_temporary;
    std::unique_ptr<SRCore::ILogInterface> m_log;
    QString m_problem;
};

CliTool::CliTool(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{}

CliTool::~CliTool() = default;

int CliTool::run(const QStringList &arguments)
{
    const QString program = CommandLine::programName();
    if (!m_commandLine.parse(arguments)) {
        return usageError(m_commandLine.error());
    }
    switch (m_commandLine.command()) {
    case CommandLine::Command::Help:
        m_out << CommandLine::helpText(m_commandLine.helpTopic()) << Qt::flush;
        return Success;
    case CommandLine::Command::Version:
        m_out << program << ' ' << QStringLiteral(TAVRIXSCRIPTER_VERSION) << Qt::endl;
        return Success;
    default:
        break;
    }

    m_password = m_commandLine.password();
    if (m_password.isNull() && !qEnvironmentVariable("TAVRIXSCRIPTER_PASSWORD").isEmpty()) {
        m_password = qEnvironmentVariable("TAVRIXSCRIPTER_PASSWORD");
    }
    m_environment = std::make_unique<Environment>(m_commandLine.verbose());
    if (m_commandLine.verbose() && !m_environment->problem().isEmpty()) {
        m_err << program << ": " << tr("messages are not stored: %1").arg(m_environment->problem())
              << Qt::endl;
    }
    const int status = runCommand();
    m_out.flush();
    m_environment.reset();
    return status;
}

int CliTool::runCommand()
{
    switch (m_commandLine.command()) {
    case CommandLine::Command::New:
        return createPackage();
    case CommandLine::Command::Info:
        return showInfo();
    case CommandLine::Command::Check:
        return checkPackage();
    case CommandLine::Command::Pack:
        return packPackage();
    case CommandLine::Command::Unpack:
        return unpackPackage();
    case CommandLine::Command::Resave:
        return resavePackage();
    case CommandLine::Command::Exec:
        return execScript();
    case CommandLine::Command::None:
    case CommandLine::Command::Help:
    case CommandLine::Command::Version:
        break;
    }
    return UsageError;
}

int CliTool::usageError(const QString &error)
{
    const QString program = CommandLine::programName();
    m_err << program << ": " << error << "; " << tr("see \"%1 --help\"").arg(program) << Qt::endl;
    return UsageError;
}

int CliTool::fail(const QString &file, const QString &cause)
{
    report(file, cause);
    return Failure;
}

void CliTool::report(const QString &file, const QString &message)
{
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // What was printed so far comes first where both streams go to one terminal.
    m_out.flush();
    m_err << CommandLine::programName() << ": " << QDir::toNativeSeparators(file) << ": " << line
          << Qt::endl;
}

bool CliTool::mayReplace(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return true;
    }
    if (info.isDir()) {
        if (m_commandLine.force()
            || QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot)) {
            return true;
        }
        fail(path, tr("the folder is not empty; use --force to replace its contents"));
        return false;
    }
    if (m_commandLine.force()) {
        return true;
    }
    fail(path, tr("exists already; use --force to replace it"));
    return false;
}

bool CliTool::openPackage(PackageSession &session, PackageListing &listing)
{
    QString reason;
    const QString path = packageFile(m_commandLine.path(), &reason);
    if (path.isEmpty()) {
        fail(reason);
        return false;
    }
    session.dialogs().setPassword(m_password);
    if (!session.open(path)) {
        fail(session.failure());
        return false;
    }
    if (!listing.read(session.packagePath(), session.isUnarchived(), &reason)) {
        fail(reason);
        return false;
    }
    return true;
}

bool CliTool::checkFolderPassword(const PackageSession &session, const PackageListing &listing)
{
    if (!session.isUnarchived() || !listing.isProtected()) {
        return true;
    }
    if (m_password.isNull()) {
        fail(PackageSession::missingPasswordMessage());
        return false;
    }
    if (!listing.acceptsPassword(m_password)) {
        fail(PackageSession::wrongPasswordMessage());
        return false;
    }
    return true;
}

int CliTool::createPackage()
{
    // The unarchived form lives in a folder named like the package; PATH may name the marker in
    // such a folder already, or the place of the archive beside which the folder is made.
    const QFileInfo requested(m_commandLine.path());
    const QString baseName = requested.completeBaseName();
    const bool unarchived = m_commandLine.unarchived();
    QString packagePath = requested.absoluteFilePath();
    if (unarchived && requested.absoluteDir().dirName() != baseName) {
        packagePath = requested.absoluteDir().filePath(baseName + QLatin1Char('/') + baseName
                                                       + packageSuffix);
    }
    const QString folder = QFileInfo(packagePath).absolutePath();
    const QString parent = unarchived ? QFileInfo(folder).absolutePath() : folder;
    if (!QFileInfo(parent).isDir()) {
        return fail(parent, tr("no such folder"));
    }
    bool createdFolder = false;
    if (unarchived && QFileInfo::exists(folder)) {
        if (!QFileInfo(folder).isDir()) {
            return fail(folder, tr("not a folder"));
        }
        if (!mayReplace(folder)) {
            return Failure;
        }
    } else if (unarchived) {
        if (!QDir().mkdir(folder)) {
            return fail(folder, tr("can't create the folder"));
        }
        createdFolder = true;
    } else if (!mayReplace(packagePath)
               || !mayReplace(PackageProcessor::fixturePath(packagePath))) {
        return Failure;
    }

    PackageSession session(m_environment->log());
    // A fresh document is what the program's New shows: the default declaration, the editors'
    // templates and an empty fixture.
    Declaration *declaration = session.document()->declaration();
    if (!m_commandLine.name().isNull()) {
        declaration->setBasicValue(XMLKey::NAME, m_commandLine.name());
    }
    const QStringList languages = m_commandLine.languages();
    if (!languages.isEmpty()) {
        for (const ScriptLanguages::Language &language : ScriptLanguages::all()) {
            declaration->setBasicValue(language.includeFlag, languages.contains(language.option)
                                                                 ? XMLValues::YES
                                                                 : XMLValues::NO);
        }
    }
    if (!session.saveAs(packagePath, unarchived, true)) {
        if (createdFolder) {
            SRCore::FileHandler::remove(folder);
        }
        return fail(session.failure());
    }
    m_out << QDir::toNativeSeparators(packagePath) << Qt::endl;
    return Success;
}

int CliTool::showInfo()
{
    PackageSession session(m_environment->log());
    PackageListing listing;
    if (!openPackage(session, listing)) {
        return Failure;
    }
    const PackageInfo info(session, listing);
    if (m_commandLine.json()) {
        m_out << QJsonDocument(info.toJson()).toJson(QJsonDocument::Indented);
    } else {
        m_out << info.toText();
    }
    return Success;
}

int CliTool::checkPackage()
{
    PackageSession session(m_environment->log());
    PackageListing listing;
    if (!openPackage(session, listing)) {
        return Failure;
    }
    const HeadlessDocument *document = session.document();
    const QList<ScriptLanguages::Language> languages =
        ScriptLanguages::included(*document->declaration());
    if (languages.isEmpty()) {
        m_out << tr("The package includes no program.") << Qt::endl;
    }
    bool passed = true;
    for (const ScriptLanguages::Language &language : languages) {
        const QString file = listing.programFileName(language.name);
        const QStringList functions = document->scriptFunctions(language.name);
        ScriptCheck::Problem problem;
        const bool valid =
            ScriptCheck::check(language.name, document->scriptText(language.name), &problem);
        const QString status = !ScriptCheck::isChecked(language.name)
                                   ? tr("not checked")
                                   : (valid ? tr("syntax ok") : tr("syntax error"));
        m_out << QStringLiteral("%1  %2  %3  %4\n")
                     .arg(language.name.leftJustified(11), file, status,
                          tr("entry points: %1").arg(listed(functions)));
        if (!valid) {
            report(m_commandLine.path(), located(file, problem));
            passed = false;
            // A program that does not parse has no trustworthy list to compare.
            continue;
        }
        const QStringList declared = listing.declaredFunctions(language.name);
        if (declared != functions) {
            report(m_commandLine.path(),
                   tr("%1 lists the %2 entry points %3, but %4 defines %5; resave the package")
                       .arg(listing.declarationFileName(), language.name, listed(declared), file,
                            listed(functions)));
            passed = false;
        }
    }
    return passed ? Success : Failure;
}

int CliTool::packPackage()
{
    QString reason;
    const QString source = packageFile(m_commandLine.path(), &reason);
    if (source.isEmpty()) {
        return fail(reason);
    }
    QString output = m_commandLine.output();
    if (output.isEmpty()) {
        const QFileInfo marker(source);
        // An archive has nowhere else to go by default; an empty marker is an unarchived package.
        if (marker.size() != 0) {
            return usageError(tr("pack needs --output for a package that is an archive already"));
        }
        output = QFileInfo(marker.absolutePath()).absolutePath() + QLatin1Char('/')
                 + marker.completeBaseName() + packageSuffix;
    }
    output = QFileInfo(output).absoluteFilePath();

    PackageSession session(m_environment->log());
    PackageListing listing;
    if (!openPackage(session, listing) || !checkFolderPassword(session, listing)) {
        return Failure;
    }
    if (!QFileInfo(QFileInfo(output).absolutePath()).isDir()) {
        return fail(QFileInfo(output).absolutePath(), tr("no such folder"));
    }
    if (!mayReplace(output) || !mayReplace(PackageProcessor::fixturePath(output))) {
        return Failure;
    }
    if (!session.saveAs(output, false, false)) {
        return fail(output, session.failure());
    }
    m_out << QDir::toNativeSeparators(output) << Qt::endl;
    return Success;
}

int CliTool::unpackPackage()
{
    PackageSession session(m_environment->log());
    PackageListing listing;
    if (!openPackage(session, listing) || !checkFolderPassword(session, listing)) {
        return Failure;
    }
    // The folder's name is the unarchived package's name.
    const QString folder = QFileInfo(m_commandLine.output()).absoluteFilePath();
    const QString name = QFileInfo(folder).fileName();
    if (name.isEmpty()) {
        return fail(m_commandLine.output(), tr("a package folder needs a name"));
    }
    if (!QFileInfo(QFileInfo(folder).absolutePath()).isDir()) {
        return fail(QFileInfo(folder).absolutePath(), tr("no such folder"));
    }
    bool createdFolder = false;
    if (QFileInfo::exists(folder)) {
        if (!QFileInfo(folder).isDir()) {
            return fail(folder, tr("not a folder"));
        }
        if (!mayReplace(folder)) {
            return Failure;
        }
    } else if (QDir().mkdir(folder)) {
        createdFolder = true;
    } else {
        return fail(folder, tr("can't create the folder"));
    }
    const QString marker = folder + QLatin1Char('/') + name + packageSuffix;
    if (!session.saveAs(marker, true, false)) {
        if (createdFolder) {
            SRCore::FileHandler::remove(folder);
        }
        return fail(folder, session.failure());
    }
    m_out << QDir::toNativeSeparators(marker) << Qt::endl;
    return Success;
}

int CliTool::resavePackage()
{
    PackageSession session(m_environment->log());
    PackageListing listing;
    if (!openPackage(session, listing)) {
        return Failure;
    }
    // Authors fix their programs outside the program; a syntax error is theirs to see, not a
    // reason to keep the old declaration.
    const HeadlessDocument *document = session.document();
    for (const ScriptLanguages::Language &language :
         ScriptLanguages::included(*document->declaration())) {
        ScriptCheck::Problem problem;
        if (!ScriptCheck::check(language.name, document->scriptText(language.name), &problem)) {
            report(m_commandLine.path(),
                   tr("warning: %1").arg(located(listing.programFileName(language.name), problem)));
        }
    }
    session.dialogs().setSaveDespiteErrors(true);
    if (!session.save(true)) {
        return fail(session.failure());
    }
    m_out << QDir::toNativeSeparators(session.packagePath()) << Qt::endl;
    return Success;
}

int CliTool::execScript()
{
    ScriptExecution execution(m_out);
    QString error;
    return execution.run(m_commandLine.path(), &error) ? Success : fail(error);
}

} // namespace Scripter
