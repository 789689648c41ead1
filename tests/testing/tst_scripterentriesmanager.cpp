// The program's entries manager: the flow it gives the scripting objects, and the names its
// messages carry, before and after the bound fixture built a test flow.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "testing/scripterentriesmanager.h"

#include "corelib/flow/flow.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace FixtureTest;

class tst_ScripterEntriesManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void flowIsTheBoundFixtures_data();
    void flowIsTheBoundFixtures();
};

void tst_ScripterEntriesManager::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_ScripterEntriesManager::flowIsTheBoundFixtures_data()
{
    QTest::addColumn<bool>("bound");
    QTest::addColumn<bool>("built");
    QTest::addColumn<QString>("names"); // "flow|element" of a message; "none" without a flow

    // clang-format off
    QTest::newRow("no fixture: an empty flow") << false << false << "|";
    QTest::newRow("a fixture without a test flow") << true << false << "none";
    QTest::newRow("a fixture's test flow") << true << true << "Test Flow|Script Element";
    // clang-format on
}

void tst_ScripterEntriesManager::flowIsTheBoundFixtures()
{
    QFETCH(bool, bound);
    QFETCH(bool, built);
    QFETCH(QString, names);

    QTemporaryDir dir;
    FakePackageWindow window;
    QVERIFY(window.fixture()->tree()->basicItem()->setPropertyValue(XMLKey::TESTFOLDER, dir.path()));
    Scripter::ScripterEntriesManager manager(dir.filePath(QStringLiteral("temp")), &window.log);
    QCOMPARE(Scripter::ScripterEntriesManager::instance(), &manager);
    if (bound) {
        manager.bindFixture(window.fixture());
    }
    if (built) {
        QVERIFY(window.fixture()->buildTestFlow());
    }
    const SRCore::Flow *flow = manager.getFlow(QString());
    QCOMPARE(flow ? QStringLiteral("%1|%2").arg(flow->getFlowName(),
                                                flow->getFlowObject(QStringLiteral("1")).getName())
                  : QStringLiteral("none"),
             names);

    manager.logMessage(1, QStringLiteral("%11 and %12"),
                       {QStringLiteral("a"), QStringLiteral("b")});
    const SRCore::LogRecord record = window.log.records().constLast();
    QCOMPARE(record.argument, QStringLiteral("a,b"));
    QCOMPARE(QStringLiteral("%1|%2").arg(record.flow, record.element),
             names == QLatin1String("none") ? QStringLiteral("|") : names);
}

TAVRIX_TEST_MAIN(tst_ScripterEntriesManager)
#include "tst_scripterentriesmanager.moc"
