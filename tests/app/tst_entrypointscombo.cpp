// The entry point chooser of a main window: which entry points it offers for the script in the
// editor and the fixture, as the script gains and loses functions and the fixture changes.

#include "common/testmain.h"

#include "runnertestsupport.h"

#include "testing/entrypoints.h"

#include "editors/javascripteditor.h"

#include <QTabWidget>
#include <Qsci/qsciscintilla.h>

using namespace Scripter;
using RunnerTest::ExampleSession;
using RunnerTest::ExampleWindow;

namespace {

bool sameIcon(const QIcon &left, const QIcon &right)
{
    return left.pixmap(16).toImage() == right.pixmap(16).toImage();
}

// Made when asked: icons need the application object.
QIcon unchecked()
{
    return QIcon(QStringLiteral(":/Images/Ui_scripter/img_Unchecked.png"));
}

// What the user did to the fixture before looking at the chooser.
using FixtureChange = void (*)(ExampleWindow &);

void leaveAsItIs(ExampleWindow &)
{}
void selectBooking(ExampleWindow &example)
{
    example.selectConnection(QStringLiteral("Booking"));
}
void disableTheJob(ExampleWindow &example)
{
    FixtureTree *tree = example.window->fixture()->tree();
    tree->itemDoubleClickedHandler(tree->incomingGroup()->child(0), 0);
}
void disableApproval(ExampleWindow &example)
{
    FixtureTree *tree = example.window->fixture()->tree();
    tree->itemDoubleClickedHandler(example.selectConnection(QStringLiteral("Approval")), 0);
    tree->setCurrentItem(tree->basicItem());
}
void hideThePane(ExampleWindow &example)
{
    example.window->fixturePane()->hide();
}

} // namespace

Q_DECLARE_METATYPE(FixtureChange)

class tst_EntryPointsCombo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void offersWhatTheScriptDefinesAndTheFixtureFeeds_data();
    void offersWhatTheScriptDefinesAndTheFixtureFeeds();
    void followsTheScriptAsItGainsAndLosesFunctions();
    void appleScriptOffersNothing();
    void nothingIsOfferedWhileTheFixturePaneIsHidden();
    void toolTipSaysWhatTheChosenEntryPointStillNeeds_data();
    void toolTipSaysWhatTheChosenEntryPointStillNeeds();

private:
    EntryPointItem *row(int entryPoint) const
    {
        EntryPointsCombo *combo = m_example->selector();
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->item(i)->entryPoint() == entryPoint) {
                return combo->item(i);
            }
        }
        return nullptr;
    }

    std::unique_ptr<ExampleSession> m_session;
    ExampleWindow *m_example = nullptr;
};

void tst_EntryPointsCombo::init()
{
    m_session = std::make_unique<ExampleSession>();
    QVERIFY(m_session->open());
    m_example = m_session->example.get();
}

void tst_EntryPointsCombo::cleanup()
{
    m_session.reset();
}

void tst_EntryPointsCombo::offersWhatTheScriptDefinesAndTheFixtureFeeds_data()
{
    QTest::addColumn<FixtureChange>("change");
    QTest::addColumn<QList<int>>("offered");

    const QList<int> independent = {1, 3, 4, 5, 6, 7, 8, 9, 10};
    // clang-format off
    QTest::newRow("one job, two connections, none selected") << &leaveAsItIs << (QList<int>{0, 2} + independent);
    QTest::newRow("a selected connection feeds the connection entry points") << &selectBooking << (QList<int>{0, 2, 11, 12} + independent);
    QTest::newRow("a disabled job feeds nothing") << &disableTheJob << independent;
    QTest::newRow("the one enabled connection of two is meant") << &disableApproval << (QList<int>{0, 2, 11, 12} + independent);
    // clang-format on
}

void tst_EntryPointsCombo::offersWhatTheScriptDefinesAndTheFixtureFeeds()
{
    QFETCH(FixtureChange, change);
    QFETCH(QList<int>, offered);
    m_example->setProgram(RunnerTest::everyEntryPoint());
    change(*m_example);
    m_example->selector()->updateAvailability(true);

    QList<int> enabled;
    for (QAction *action : m_example->actions()->entryPointActions()) {
        if (action->isEnabled()) {
            enabled << action->data().toInt();
        }
    }
    std::sort(enabled.begin(), enabled.end());
    std::sort(offered.begin(), offered.end());
    QCOMPARE(enabled, offered);
    // The run action follows the chosen row.
    for (int entryPoint : {0, 11}) {
        m_example->selector()->setCurrentIndex(
            m_example->selector()->findText(EntryPoints::functionName(entryPoint)));
        QCOMPARE(m_example->actions()->invokeEntryPointAction()->isEnabled(),
                 offered.contains(entryPoint));
    }
}

void tst_EntryPointsCombo::followsTheScriptAsItGainsAndLosesFunctions()
{
    m_example->setProgram(QStringLiteral("function jobArrived( s, job ) {}\n"));
    const EntryPointItem *timer = row(EntryPoints::TimerFired);
    QVERIFY(sameIcon(timer->icon(), unchecked()));
    QVERIFY(!timer->action()->isEnabled());
    QVERIFY(row(EntryPoints::JobArrived)->action()->isEnabled());
    // The script expression needs no function.
    QVERIFY(row(EntryPoints::ScriptExpression)->action()->isEnabled());
    QVERIFY(!sameIcon(row(EntryPoints::ScriptExpression)->icon(), unchecked()));

    // Typing the function in: the chooser catches up on its own.
    JavaScriptEditor *editor = m_example->window->javaScriptEditor();
    editor->textEdit()->append(QStringLiteral("function timerFired( s ) {}\n"));
    QVERIFY(m_example->selector()->isUpdatePending());
    QTRY_VERIFY(timer->action()->isEnabled());
    QVERIFY(sameIcon(timer->icon(), timer->action()->icon()));
    QVERIFY(!m_example->selector()->isUpdatePending());

    // And out again.
    editor->textEdit()->setText(QStringLiteral("function timerFired( s ) {}\n"));
    QTRY_VERIFY(!row(EntryPoints::JobArrived)->action()->isEnabled());
    QVERIFY(sameIcon(row(EntryPoints::JobArrived)->icon(), unchecked()));
    QVERIFY(timer->action()->isEnabled());
}

void tst_EntryPointsCombo::appleScriptOffersNothing()
{
    m_example->setProgram(RunnerTest::everyEntryPoint());
    m_example->window->scriptTabs()->setCurrentIndex(ScripterWindow::AppleScriptTab);
    for (const QAction *action : m_example->actions()->entryPointActions()) {
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    }
    QVERIFY(!m_example->actions()->invokeEntryPointAction()->isEnabled());

    m_example->window->scriptTabs()->setCurrentIndex(ScripterWindow::JavaScriptTab);
    QVERIFY(row(EntryPoints::TimerFired)->action()->isEnabled());
    QVERIFY(m_example->actions()->invokeEntryPointAction()->isEnabled());
}

void tst_EntryPointsCombo::nothingIsOfferedWhileTheFixturePaneIsHidden()
{
    m_example->setProgram(RunnerTest::everyEntryPoint());
    m_example->window->fixturePane()->hide();
    // The editor changes while the pane is hidden; the timer's update must not offer anything.
    m_example->window->javaScriptEditor()->textEdit()->append(QStringLiteral("\n"));
    m_example->selector()->updateAvailability(true);
    for (const QAction *action : m_example->actions()->entryPointActions()) {
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    }
    QVERIFY(!m_example->actions()->invokeEntryPointAction()->isEnabled());

    m_example->window->fixturePane()->show();
    QVERIFY(row(EntryPoints::TimerFired)->action()->isEnabled());
}

void tst_EntryPointsCombo::toolTipSaysWhatTheChosenEntryPointStillNeeds_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<FixtureChange>("change");
    QTest::addColumn<int>("entryPoint");
    QTest::addColumn<QString>("says");

    const QString every = RunnerTest::everyEntryPoint();
    const QString jobOnly = QStringLiteral("function jobArrived( s, job ) {}\n");
    // clang-format off
    QTest::newRow("fixture pane hidden") << every << &hideThePane << int(EntryPoints::TimerFired) << "Show the fixture pane";
    QTest::newRow("no enabled job") << every << &disableTheJob << int(EntryPoints::JobArrived) << "incoming job";
    QTest::newRow("no connection chosen") << every << &leaveAsItIs << int(EntryPoints::IsConnectionPropertyValid) << "outgoing connection";
    QTest::newRow("function not defined") << jobOnly << &leaveAsItIs << int(EntryPoints::TimerFired) << "no timerFired function";
    QTest::newRow("ready: the entry point's own tip") << every << &leaveAsItIs << int(EntryPoints::JobArrived) << "";
    // clang-format on
}

void tst_EntryPointsCombo::toolTipSaysWhatTheChosenEntryPointStillNeeds()
{
    QFETCH(QString, program);
    QFETCH(FixtureChange, change);
    QFETCH(int, entryPoint);
    QFETCH(QString, says);
    m_example->setProgram(program);
    change(*m_example);
    EntryPointsCombo *combo = m_example->selector();
    combo->setCurrentIndex(combo->findText(row(entryPoint)->text()));
    combo->updateAvailability(true);

    if (says.isEmpty()) {
        QCOMPARE(combo->toolTip(), row(entryPoint)->toolTip());
    } else {
        QVERIFY2(combo->toolTip().contains(says), qPrintable(combo->toolTip()));
    }
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_EntryPointsCombo)
#include "tst_entrypointscombo.moc"
