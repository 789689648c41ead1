#pragma once

#include "commandline.h"
#include "testrunresult.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class QTextStream;

namespace SRCore {
class ILogInterface;
}

namespace Scripter {

// `run PACKAGE...`: runs an entry point of every package named (a folder that is no package
// folder stands for the packages in it) and reports each on `out` as it goes: the messages
// while the script runs, then the outputs, the expected results and the outcome; or, with
// --json, one JSON document at the end and nothing else. --junit also writes a JUnit report.
class RunCommand
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::RunCommand)

public:
    // Says on stderr that `file` failed, and why.
    using Report = std::function<void(const QString &file, const QString &message)>;

    // `log` takes the tool's messages; `temporaryFolder` holds the runs' folders.
    RunCommand(const CommandLine &commandLine, const QString &password, QTextStream &out,
               SRCore::ILogInterface *log, const QString &temporaryFolder, Report report);

    // CliTool::Success when every run passed, else CliTool::Failure.
    int exec();

private:
    // The package files to run, paired with the names the user gave; false when an argument
    // names none (reported).
    bool collectPackages(QList<QPair<QString, QString>> *packages);
    void printResult(const TestRunResult &result);

    const CommandLine &m_commandLine;
    QString m_password;
    QTextStream &m_out;
    SRCore::ILogInterface *m_log;
    QString m_temporaryFolder;
    Report m_report;
};

} // namespace Scripter
