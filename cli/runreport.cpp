#include "runreport.h"

#include "guilib/log/basiclogmodel.h"

#include "corelib/logging/localizemanager.h"

#include <QDate>
#include <QDir>
#include <QJsonArray>

namespace Scripter {

namespace {

using GuiLib::BasicLogModel;

QString filesText(qsizetype count)
{
    if (count == 0) {
        return RunReport::tr("no files");
    }
    return count == 1 ? RunReport::tr("1 file") : RunReport::tr("%1 files").arg(count);
}

QJsonObject messageJson(const SRCore::LogRecord &record)
{
    return QJsonObject{
        {QStringLiteral("time"), record.time.toUTC().toString(Qt::ISODateWithMs)},
        {QStringLiteral("type"), SRCore::LogRecord::typeWord(record.level)},
        {QStringLiteral("message"), SRCore::LocalizeManager::getMessage(record)},
        {QStringLiteral("flow"), record.flow},
        {QStringLiteral("element"), record.element},
        {QStringLiteral("job"), record.file},
    };
}

QJsonArray connectionsJson(const TestRunResult &result)
{
    QJsonArray connections;
    for (const TestRunResult::Connection &connection : result.connections) {
        QJsonArray files;
        for (const RunSummary::Output &output : connection.outputs) {
            files.append(
                QJsonObject{{QStringLiteral("name"), output.fileName},
                            {QStringLiteral("size"), output.size},
                            {QStringLiteral("path"), QDir::toNativeSeparators(output.path)}});
        }
        connections.append(QJsonObject{{QStringLiteral("connection"), connection.name},
                                       {QStringLiteral("files"), files}});
    }
    return connections;
}

QJsonArray dataChangesJson(const RunSummary &summary)
{
    QJsonArray changes;
    for (const RunSummary::DataChange &change : summary.changes()) {
        changes.append(QJsonObject{
            {QStringLiteral("scope"), change.scope == RunSummary::DataChange::Scope::GlobalData
                                          ? QStringLiteral("global")
                                          : QStringLiteral("private")},
            {QStringLiteral("owner"), change.owner},
            {QStringLiteral("tag"), change.tag},
            {QStringLiteral("oldValue"), change.oldValue},
            {QStringLiteral("newValue"), change.newValue},
        });
    }
    return changes;
}

QJsonObject resultJson(const TestRunResult &result)
{
    QJsonArray messages;
    for (const SRCore::LogRecord &record : result.messages) {
        messages.append(messageJson(record));
    }
    QJsonArray expectations;
    for (const ExpectationResult &expectation : result.expectations) {
        expectations.append(QJsonObject{{QStringLiteral("expectation"), expectation.expectation},
                                        {QStringLiteral("passed"), expectation.passed},
                                        {QStringLiteral("detail"), expectation.detail}});
    }
    return QJsonObject{
        {QStringLiteral("package"), QDir::toNativeSeparators(result.package)},
        {QStringLiteral("element"), result.elementName},
        {QStringLiteral("entryPoint"), result.entryPoint},
        {QStringLiteral("passed"), result.passed()},
        {QStringLiteral("failures"), QJsonArray::fromStringList(result.runFailures())},
        {QStringLiteral("milliseconds"), result.milliseconds},
        {QStringLiteral("messages"), messages},
        {QStringLiteral("summary"),
         QJsonObject{{QStringLiteral("error"), result.summary.errorMessage()},
                     {QStringLiteral("outputs"), connectionsJson(result)},
                     {QStringLiteral("dataChanges"), dataChangesJson(result.summary)}}},
        {QStringLiteral("expectations"), expectations},
    };
}

} // namespace

QString RunReport::messageLine(const SRCore::LogRecord &record)
{
    const QDate today = QDate::currentDate();
    QString message = BasicLogModel::columnText(record, BasicLogModel::MessageColumn, today);
    message.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QStringLiteral("%1  %2  %3")
        .arg(BasicLogModel::columnText(record, BasicLogModel::TimeColumn, today),
             BasicLogModel::columnText(record, BasicLogModel::TypeColumn, today).leftJustified(8),
             message);
}

QString RunReport::summaryText(const TestRunResult &result)
{
    QString text;
    if (result.started) {
        text += tr("Outputs:") + QLatin1Char('\n');
        if (result.connections.isEmpty()) {
            text += QLatin1String("  ") + tr("no outgoing connections") + QLatin1Char('\n');
        }
        for (const TestRunResult::Connection &connection : result.connections) {
            text += QStringLiteral("  %1: %2\n")
                        .arg(connection.name, filesText(connection.outputs.size()));
            for (const RunSummary::Output &output : connection.outputs) {
                text += QStringLiteral("    %1  %2\n")
                            .arg(output.fileName, tr("%1 bytes").arg(output.size));
            }
        }
    }
    if (!result.expectations.isEmpty()) {
        text += tr("Expected results:") + QLatin1Char('\n');
        for (const ExpectationResult &expectation : result.expectations) {
            text += expectation.passed
                        ? QStringLiteral("  %1  %2\n").arg(tr("pass"), expectation.expectation)
                        : QStringLiteral("  %1  %2: %3\n")
                              .arg(tr("FAIL"), expectation.expectation, expectation.detail);
        }
    }
    const QStringList failures = result.runFailures();
    const int failedExpectations = result.failedExpectationCount();
    // Before the entry point is chosen there is only the element to name.
    const QString tested = result.entryPoint.isEmpty()
                               ? result.elementName
                               : tr("%1 of %2").arg(result.entryPoint, result.elementName);
    if (result.passed()) {
        text += tr("%1 passed").arg(tested);
    } else {
        QStringList reasons = failures;
        if (failedExpectations > 0) {
            reasons.append(failedExpectations == 1
                               ? tr("1 expected result did not hold")
                               : tr("%1 expected results did not hold").arg(failedExpectations));
        }
        text += tr("%1 FAILED: %2").arg(tested, reasons.join(QLatin1String("; ")));
    }
    return text + QLatin1Char('\n');
}

QJsonObject RunReport::toJson(const QList<TestRunResult> &results)
{
    QJsonArray runs;
    bool passed = true;
    for (const TestRunResult &result : results) {
        runs.append(resultJson(result));
        passed = passed && result.passed();
    }
    return QJsonObject{{QStringLiteral("passed"), passed}, {QStringLiteral("runs"), runs}};
}

} // namespace Scripter
