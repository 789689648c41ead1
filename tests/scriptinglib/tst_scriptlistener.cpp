#include "common/recordinglog.h"
#include "common/testmain.h"

#include "scriptinglib/scriptlistener.h"

#include "corelib/logging/localizemanager.h"
#include "corelib/logging/logrecord.h"

#include <QTest>

using namespace SRCore;

class tst_ScriptListener : public QObject
{
    Q_OBJECT

private slots:
    void logsEachErrorAsAnErrorMessage_data();
    void logsEachErrorAsAnErrorMessage();
    void withoutALogErrorsGoToTheDeveloperLog();
};

void tst_ScriptListener::logsEachErrorAsAnErrorMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("scriptName");
    QTest::addColumn<int>("lineNumber");
    QTest::addColumn<QString>("shown");

    // clang-format off
    QTest::newRow("with its line") << QStringLiteral("Expected ')'") << QStringLiteral("ScriptName") << 12 << QStringLiteral("Error in script 'ScriptName', line 12: " "Expected ')'");
    QTest::newRow("without a line") << QStringLiteral("Out of memory") << QStringLiteral("main") << 0 << QStringLiteral("Error in script 'main': Out of memory");
    QTest::newRow("negative line is no line") << QStringLiteral("x") << QStringLiteral("s") << -1 << QStringLiteral("Error in script 's': x");
    QTest::newRow("commas and markers in the message are kept") << QStringLiteral("Expected ',' or ')', found '%1'") << QStringLiteral("main") << 3 << QStringLiteral("Error in script 'main', line 3: Expected ',' or ')', found '%1'");
    // clang-format on
}

void tst_ScriptListener::logsEachErrorAsAnErrorMessage()
{
    QFETCH(QString, message);
    QFETCH(QString, scriptName);
    QFETCH(int, lineNumber);
    QFETCH(QString, shown);
    RecordingLog log;
    ScriptListener listener(&log);
    listener.onError(message, scriptName, lineNumber);
    QCOMPARE(log.records().size(), 1);
    const LogRecord record = log.records().front();
    QCOMPARE(record.level, LogLevel::Error);
    QCOMPARE(LocalizeManager::getMessage(record), shown);
    // The stored text is the untranslated template, the specifics travel in the argument.
    QVERIFY(record.operation.startsWith(QStringLiteral("Error in script '%11'")));
    QVERIFY(record.argument.endsWith(message));
    QCOMPARE(record.flow + record.element + record.file, QString());
}

void tst_ScriptListener::withoutALogErrorsGoToTheDeveloperLog()
{
    ScriptListener listener(nullptr);
    QTest::ignoreMessage(QtWarningMsg, "Script error with no log to report it to: Error in script "
                                       "'s', line 3: lost");
    listener.onError(QStringLiteral("lost"), QStringLiteral("s"), 3);
}

TAVRIX_TEST_GUILESS_MAIN(tst_ScriptListener)

#include "tst_scriptlistener.moc"
