// The entry point chooser of a main window: which entry points it offers for the script in the
// editor and the fixture, as the script gains and loses functions and the fixture changes.

#include "common/testmain.h"

#include "runnertestsupport.h"

#include "testing/entrypoints.h"

#include "editors/javascripteditor.h"

#include <Qsci/qsciscintilla.h>

using namespace Scripter;
using RunnerTest::ExampleSession;

namespace {

bool sameIcon(const QIcon &left, const QIcon &right)
{
    return left.pixmap(16).toImage() == right.pixmap(16).toImage();
}

// What the user did before looking at the chooser.
using Change = void (*)(ExampleSession &);

FixtureTree *tree(const ExampleSession &example)
{
    return example.window->fixture()->tree();
}

// clang-format off
void leaveAsItIs(ExampleSession &) {}
void selectBooking(ExampleSession &example) { example.selectConnection(QStringLiteral("Booking")); }
void disableTheJob(ExampleSession &example) { tree(example)->itemDoubleClickedHandler(tree(example)->incomingGroup()->child(0), 0); }
void disableApproval(ExampleSession &example) { tree(example)->itemDoubleClickedHandler(example.selectConnection("Approval"), 0); tree(example)->setCurrentItem(tree(example)->basicItem()); }
void hideThePane(ExampleSession &example) { example.window->fixturePane()->hide(); }
void showAppleScript(ExampleSession &example) { example.window->scriptTabs()->setCurrentIndex(ScripterWindow::AppleScriptTab); }
void showAppleScriptAndBack(ExampleSession &example) { showAppleScript(example); example.window->scriptTabs()->setCurrentIndex(ScripterWindow::JavaScriptTab); }
// clang-format on

} // namespace

Q_DECLARE_METATYPE(Change)

class tst_EntryPointsCombo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void offersWhatTheScriptDefinesAndTheFixtureFeedsAndTellsWhatIsMissing_data();
    void offersWhatTheScriptDefinesAndTheFixtureFeedsAndTellsWhatIsMissing();
    void followsTheScriptAsItGainsAndLosesFunctions();

private:
    std::unique_ptr<ExampleSession> m_example;
};

void tst_EntryPointsCombo::init()
{
    m_example = std::make_unique<ExampleSession>();
    QVERIFY(m_example->open());
}

void tst_EntryPointsCombo::cleanup()
{
    m_example.reset();
}

void tst_EntryPointsCombo::offersWhatTheScriptDefinesAndTheFixtureFeedsAndTellsWhatIsMissing_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QList<int>>("offered");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("tip"); // what the chooser's tip says of it; empty: its own tip

    const QString every = RunnerTest::everyEntryPoint();
    const QList<int> independent = {1, 3, 4, 5, 6, 7, 8, 9, 10};
    const QList<int> all = QList<int>{0, 2} + independent;
    const QList<int> withConnection = all + QList<int>{11, 12};
    // clang-format off
    QTest::newRow("one job, two connections, none selected") << every << &leaveAsItIs << all << 11 << "outgoing connection";
    QTest::newRow("a selected connection feeds the connection entry points") << every << &selectBooking << withConnection << 11 << "";
    QTest::newRow("a disabled job feeds nothing") << every << &disableTheJob << independent << 0 << "incoming job";
    QTest::newRow("the one enabled connection of two is meant") << every << &disableApproval << withConnection << 12 << "";
    QTest::newRow("nothing while the fixture pane is hidden") << every << &hideThePane << QList<int>() << 1 << "Show the fixture pane";
    QTest::newRow("nothing for an AppleScript script") << every << &showAppleScript << QList<int>() << 1 << "AppleScript";
    QTest::newRow("all again back in the JavaScript script") << every << &showAppleScriptAndBack << all << 1 << "";
    QTest::newRow("only the functions the script defines") << "function jobArrived( s, job ) {}\n" << &leaveAsItIs << QList<int>{0, 2} << 1 << "no timerFired function";
    // clang-format on
}

void tst_EntryPointsCombo::offersWhatTheScriptDefinesAndTheFixtureFeedsAndTellsWhatIsMissing()
{
    QFETCH(QString, program);
    QFETCH(Change, change);
    QFETCH(QList<int>, offered);
    QFETCH(int, chosen);
    QFETCH(QString, tip);
    m_example->setProgram(program);
    change(*m_example);
    m_example->choose(chosen);
    // The editor's change comes after the user's: its update must follow the fixture and tab.
    m_example->window->javaScriptEditor()->textEdit()->append(QStringLiteral("\n"));
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
    // The run action and the tip follow the chosen row.
    QCOMPARE(m_example->actions()->invokeEntryPointAction()->isEnabled(), offered.contains(chosen));
    const QString shown = m_example->selector()->toolTip();
    QVERIFY2(tip.isEmpty() ? shown == m_example->item(chosen)->toolTip() : shown.contains(tip),
             qPrintable(shown));
}

void tst_EntryPointsCombo::followsTheScriptAsItGainsAndLosesFunctions()
{
    const QIcon unchecked(QStringLiteral(":/Images/Ui_scripter/img_Unchecked.png"));
    m_example->setProgram(QStringLiteral("function jobArrived( s, job ) {}\n"));
    const EntryPointItem *timer = m_example->item(EntryPoints::TimerFired);
    const EntryPointItem *job = m_example->item(EntryPoints::JobArrived);
    QVERIFY(sameIcon(timer->icon(), unchecked));
    QVERIFY(!timer->action()->isEnabled());
    QVERIFY(job->action()->isEnabled());
    // The script expression needs no function.
    QVERIFY(m_example->item(EntryPoints::ScriptExpression)->action()->isEnabled());
    QVERIFY(!sameIcon(m_example->item(EntryPoints::ScriptExpression)->icon(), unchecked));

    // Typing the function in: the chooser catches up on its own.
    QsciScintilla *text = m_example->window->javaScriptEditor()->textEdit();
    text->append(QStringLiteral("function timerFired( s ) {}\n"));
    QVERIFY(m_example->selector()->isUpdatePending());
    QTRY_VERIFY(timer->action()->isEnabled());
    QVERIFY(sameIcon(timer->icon(), timer->action()->icon()));
    QVERIFY(!m_example->selector()->isUpdatePending());

    // And out again.
    text->setText(QStringLiteral("function timerFired( s ) {}\n"));
    QTRY_VERIFY(!job->action()->isEnabled());
    QVERIFY(sameIcon(job->icon(), unchecked));
    QVERIFY(timer->action()->isEnabled());
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_EntryPointsCombo)
#include "tst_entrypointscombo.moc"
