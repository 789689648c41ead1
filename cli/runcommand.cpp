#include "runcommand.h"

#include "clitool.h"
#include "junitreport.h"
#include "packagepaths.h"
#include "packagerun.h"
#include "runreport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

namespace Scripter {

RunCommand::RunCommand(const CommandLine &commandLine, const QString &password, QTextStream &out,
                       SRCore::ILogInterface *log, const QString &temporaryFolder, Report report)
    : m_commandLine(commandLine)
    , m_password(password)
    , m_out(out)
    , m_log(log)
    , m_temporaryFolder(temporaryFolder)
    , m_report(std::move(report))
{}

bool RunCommand::collectPackages(QList<QPair<QString, QString>> *packages)
{
    bool allFound = true;
    for (const QString &argument : m_commandLine.paths()) {
        const QFileInfo info(argument);
        QString reason;
        const QString file = PackagePaths::packageFile(argument, &reason);
        if (!file.isEmpty()) {
            packages->append({argument, file});
            continue;
        }
        const QStringList inFolder =
            info.isDir() ? PackagePaths::packagesIn(argument) : QStringList();
        if (inFolder.isEmpty()) {
            m_report(argument, reason);
            allFound = false;
        }
        for (const QString &package : inFolder) {
            const QString path = QDir(argument).filePath(package);
            packages->append({path, PackagePaths::packageFile(path, &reason)});
        }
    }
    return allFound;
}

int RunCommand::exec()
{
    QList<QPair<QString, QString>> packages;
    bool passed = collectPackages(&packages);

    PackageRun::Options options;
    options.entryPoint = m_commandLine.entryPoint();
    options.fixture = m_commandLine.fixture();
    options.job = m_commandLine.job();
    options.connection = m_commandLine.connection();
    options.testFolder = m_commandLine.testFolder();
    options.arguments = m_commandLine.arguments();
    options.timeoutSeconds = m_commandLine.timeout();
    options.password = m_password;
    PackageRun run(options, m_log, m_temporaryFolder);

    const bool json = m_commandLine.json();
    QList<TestRunResult> results;
    for (const auto &[name, file] : packages) {
        if (!json && packages.size() > 1) {
            m_out << QStringLiteral("== %1 ==").arg(QDir::toNativeSeparators(name)) << Qt::endl;
        }
        TestRunResult result = run.run(name, file, [this, json](const SRCore::LogRecord &record) {
            if (!json) {
                m_out << RunReport::messageLine(record) << Qt::endl;
            }
        });
        // A package that does not open has only its error line.
        if (!json && result.opened) {
            m_out << RunReport::summaryText(result) << Qt::flush;
        }
        for (const QString &failure : std::as_const(result.failures)) {
            m_report(name, failure);
        }
        passed = passed && result.passed();
        results.append(result);
    }
    if (json) {
        m_out << QJsonDocument(RunReport::toJson(results)).toJson(QJsonDocument::Indented);
    }
    m_out.flush();
    const QString junit = m_commandLine.junit();
    QString error;
    if (!junit.isEmpty() && !JUnitReport::save(results, junit, &error)) {
        m_report(junit, tr("the JUnit report can't be written: %1").arg(error));
        passed = false;
    }
    return passed ? CliTool::Success : CliTool::Failure;
}

} // namespace Scripter
