#pragma once

#include "testing/expectationresult.h"

#include "supportlib/runsummary.h"

#include "corelib/logging/logrecord.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

namespace Scripter {

// What `run` found out about one package: the messages of its run in the order they were
// logged, the run summary, how the fixture's expected results fared, and why the run failed
// where the messages don't say it (it could not start, it took too long).
struct TestRunResult
{
    struct Connection
    {
        QString name;
        QList<RunSummary::Output> outputs; // the files the run sent along it, in order
    };

    QString package;     // the package as the user named it
    QString elementName; // the element that was tested; the package's file name when unknown
    QString entryPoint;  // as run names it ("jobArrived", "scriptExpression", ...)
    bool opened = false;
    bool started = false;
    QList<SRCore::LogRecord> messages;
    RunSummary summary;
    // Every enabled outgoing connection of the fixture with what it received, then any other
    // connection that received something.
    QList<Connection> connections;
    ExpectationResults expectations;
    QStringList failures;
    qint64 milliseconds = 0;

    // The error messages of the run itself: the runner also logs each expected result that did
    // not hold as an error message, and those are counted as expectations, not twice.
    int errorMessageCount() const
    {
        int count = 0;
        for (const SRCore::LogRecord &record : messages) {
            count += record.level == SRCore::LogLevel::Error ? 1 : 0;
        }
        return count - failedExpectationCount();
    }
    int failedExpectationCount() const
    {
        int count = 0;
        for (const ExpectationResult &result : expectations) {
            count += result.passed ? 0 : 1;
        }
        return count;
    }
    // Why the run failed, one line each: the tool's own reasons, the error that ended the
    // script, the error messages; empty when it passed, expected results aside.
    QStringList runFailures() const
    {
        QStringList reasons = failures;
        if (started && !summary.succeeded()) {
            reasons.append(summary.errorMessage());
        }
        const int errors = errorMessageCount();
        if (errors > 0) {
            reasons.append(errors == 1 ? QCoreApplication::translate("Scripter::TestRunResult",
                                                                     "1 error message logged")
                                       : QCoreApplication::translate("Scripter::TestRunResult",
                                                                     "%1 error messages logged")
                                             .arg(errors));
        }
        return reasons;
    }
    bool passed() const { return runFailures().isEmpty() && failedExpectationCount() == 0; }
};

} // namespace Scripter
