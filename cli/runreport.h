#pragma once

#include "testrunresult.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace Scripter {

// How `run` shows its results: a message as the message pane shows it (time, type, the text
// with its arguments filled in), the end of a run as text (the outcome, the outputs per
// connection, the expected results), and all runs as one JSON document.
class RunReport
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::RunReport)

public:
    RunReport() = delete;

    static QString messageLine(const SRCore::LogRecord &record);
    // The lines after a run's messages.
    static QString summaryText(const TestRunResult &result);
    static QJsonObject toJson(const QList<TestRunResult> &results);
};

} // namespace Scripter
