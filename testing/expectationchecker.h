#pragma once

#include "expectationresult.h"
#include "fixtureexpectations.h"

#include "supportlib/runsummary.h"

#include "corelib/logging/logrecord.h"

#include <QCoreApplication>
#include <QList>
#include <QMap>

namespace Scripter {

// Holds a fixture's expected results against what a test run left: one ExpectationResult per
// expectation, in the order connections, jobs, messages, "no errors". Reads the connections'
// folders on disk; otherwise works on values, so that it runs without a window.
class ExpectationChecker
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::ExpectationChecker)

public:
    // What a run left.
    struct Run
    {
        RunSummary summary;
        // Connection name -> its output folder in the test flow; a connection that took no part
        // in the run has none.
        QMap<QString, QString> outgoingFolders;
        // Job name (as the fixture tree shows it) -> its private data after the run; a job that
        // took no part in the run has none.
        QMap<QString, QMap<QString, QString>> privateData;
        QList<SRCore::LogRecord> messages; // in the order they were logged
    };

    ExpectationChecker() = delete;

    static ExpectationResults check(const FixtureExpectations &expected, const Run &run);

private:
    static void checkConnection(const FixtureExpectations::Connection &expected, const Run &run,
                                ExpectationResults &results);
    static void checkJob(const FixtureExpectations::Job &expected, const Run &run,
                         ExpectationResults &results);
    static ExpectationResult checkMessage(const FixtureExpectations::Message &expected,
                                          const Run &run);
    static ExpectationResult checkNoErrors(const Run &run);
};

} // namespace Scripter
