#pragma once

#include "testrunresult.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class QIODevice;

namespace Scripter {

// The results of `run` as a JUnit XML report, as CI systems read it: a testsuite per package,
// a testcase per entry point run, a failure for a run that failed and one per expected result
// that did not hold, the run's messages as the testcase's system-out.
class JUnitReport
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::JUnitReport)

public:
    JUnitReport() = delete;

    static void write(const QList<TestRunResult> &results, QIODevice *device);
    // Writes the report to `path` whole or not at all; false with the reason.
    static bool save(const QList<TestRunResult> &results, const QString &path,
                     QString *errorMessage);
};

} // namespace Scripter
