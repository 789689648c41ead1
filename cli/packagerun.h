#pragma once

#include "testrunresult.h"

#include "testing/entrypoints.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>

#include <functional>

namespace SRCore {
class ILogInterface;
}

namespace Scripter {

class FixtureItem;
class HeadlessDocument;

// `run` for one package: opens it as the program does, chooses the fixture, the current job and
// connection and the entry point as a user would in the window, and runs the entry point
// through the program's runner (EntryPointsRunner) and entries manager, with the answers of the
// command line in place of the runner's dialogs. Nothing of the package or its fixture is
// saved.
//
// GUI thread only; needs a QApplication. One run at a time in the process.
class PackageRun
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::PackageRun)

public:
    struct Options
    {
        int entryPoint = EntryPoints::Count; // Count: by the fixture
        QString fixture;                     // empty: the package's
        QString job;                         // empty: as the fixture has it
        QString connection;
        QString testFolder; // empty: the fixture's
        QMap<QString, QString> arguments;
        int timeoutSeconds = 0; // 0: none
        QString password;       // null: none given
    };

    using MessageShown = std::function<void(const SRCore::LogRecord &record)>;

    // `log` takes the messages of the tool; `temporaryFolder` holds the runs' temporary
    // folders. Neither is owned.
    PackageRun(const Options &options, SRCore::ILogInterface *log, const QString &temporaryFolder);

    // Runs the package `packageFile` (an archive, a marker or a fixture beside a package), named
    // `package` in reports. `shown` sees every message of the run as it is logged.
    TestRunResult run(const QString &package, const QString &packageFile,
                      const MessageShown &shown);

private:
    // Each step is false after adding why to `result`.
    bool prepare(HeadlessDocument &document, TestRunResult &result) const;
    bool chooseEntryPoint(HeadlessDocument &document, TestRunResult &result, int *entryPoint) const;
    bool select(HeadlessDocument &document, FixtureItem *group, const QString &name,
                const QString &what, TestRunResult &result) const;
    QString argument(const QString &key, const QStringList &choices, TestRunResult &result) const;
    static void collectConnections(const HeadlessDocument &document, TestRunResult &result);

    Options m_options;
    SRCore::ILogInterface *m_log;
    QString m_temporaryFolder;
};

} // namespace Scripter
