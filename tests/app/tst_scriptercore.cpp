// The application core: its working folders, message log and counters; the messages that other
// starts of the program send (new window, import sequences); the preferences and the style
// editor it shows.

#include "common/testmain.h"

#include "apptestsupport.h"

#include "app/coreactions.h"
#include "app/scripteractions.h"
#include "app/stylesheeteditor.h"

#include "package/declaration.h"
#include "testing/entrypointsrunner.h"

#include "editors/javascripteditor.h"
#include "editors/preferencesdialog.h"

#include "qsa/config.h"

#include "corelib/env/envmanager.h"
#include "corelib/jobs/countmanager.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>

#include <Qsci/qsciscintilla.h>

using namespace Scripter;
using AppTest::CoreFixture;

class tst_ScripterCore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void preparesTheWorkingFoldersAndEmptiesTemp();
    void logsTheStartAndEveryMessageBeforeStopping();
    void damagedCounterSettingsAreRemovedAndReported();
    void unusableMessageDatabaseIsReportedAndTheCoreRunsOn();

    void startsWithOneWindowAndActOpensAMaximisedNewOne();
    void importMessagesQueueOnlyExistingPackagesAndFixtures();
    void importSequenceOpensThePackagesInOrderAfterItsEnd_data();
    void importSequenceOpensThePackagesInOrderAfterItsEnd();
    void filesHandedOverWhileABatchOpensFollowIt_data();
    void filesHandedOverWhileABatchOpensFollowIt();

    void preferencesOpenOnTheLanguageOfTheCurrentTab_data();
    void preferencesOpenOnTheLanguageOfTheCurrentTab();
    void savedPreferencesReachEveryWindow();
    void styleEditorIsOneModalDialog();

private:
    QString dataPath(const QString &relative) const;
    // A saved package named `name` in the test's files folder.
    QString makePackage(const QString &name);

    std::unique_ptr<CoreFixture> m_world;
};

void tst_ScripterCore::init()
{
    m_world = std::make_unique<CoreFixture>();
    QVERIFY(m_world->isValid());
    // The per-user data folder follows XDG_DATA_HOME, so each test gets its own.
    QCOMPARE(QFileInfo(SRCore::EnvManager::applicationDataPath()).absolutePath(),
             m_world->path(SRCore::EnvManager::company()));
}

void tst_ScripterCore::cleanup()
{
    m_world.reset();
    QVERIFY(!ScripterCore::instance());
    ScripterCore::setStartingUp(false);
}

QString tst_ScripterCore::dataPath(const QString &relative) const
{
    return SRCore::EnvManager::applicationDataPath() + QLatin1Char('/') + relative;
}

QString tst_ScripterCore::makePackage(const QString &name)
{
    const QString path = m_world->makeFile(name + QStringLiteral(".tscript"));
    ScripterWindow *window = m_world->newWindow();
    if (!window->declaration()->setBasicValue(SRCore::XMLKey::NAME, name)) {
        return QString();
    }
    window->setCurrentFile(path, false);
    const bool saved = m_world->processor()->save(PackageProcessor::Save, window);
    window->setUnmodified();
    window->close();
    return saved ? path : QString();
}

void tst_ScripterCore::preparesTheWorkingFoldersAndEmptiesTemp()
{
    QVERIFY(QDir().mkpath(dataPath(QStringLiteral("temp/old/nested"))));
    QVERIFY(AppTest::writeFile(dataPath(QStringLiteral("temp/leftover.tscript")), QByteArray()));

    m_world->start();
    const ScripterCore *core = m_world->core();
    QCOMPARE(ScripterCore::instance(), core);
    for (const QString &folder : {core->logsFolder(), core->tempFolder(), core->settingsFolder(),
                                  core->problemFilesFolder()}) {
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        QVERIFY(QFileInfo(folder).isAbsolute());
    }
    QCOMPARE(core->logsFolder(), dataPath(QStringLiteral("logs")));
    QCOMPARE(core->problemFilesFolder(), dataPath(QStringLiteral("ProblemFiles")));
    QVERIFY(!QFileInfo::exists(dataPath(QStringLiteral("temp/leftover.tscript"))));
    QVERIFY(!QFileInfo::exists(dataPath(QStringLiteral("temp/old"))));
    QVERIFY(core->countManager());
    QCOMPARE(SRCore::FileManager::countManager(), core->countManager());
    QCOMPARE(core->countManager()->fileName(),
             dataPath(QStringLiteral("settings/CountSettings.xml")));

    m_world->stop();
    QVERIFY(!SRCore::FileManager::countManager());
}

void tst_ScripterCore::logsTheStartAndEveryMessageBeforeStopping()
{
    m_world->start();
    ScripterCore *core = m_world->core();
    core->sendLogMessage(SRCore::LogLevel::Warning, QStringLiteral("Look at '%1'"), QString(),
                         QString(), QString(), QStringLiteral("x.js"));
    core->sendLogMessage(SRCore::LogLevel::Debug, QStringLiteral("detail %1"), QString(), QString(),
                         QString(), QStringLiteral("7"));
    QCOMPARE(m_world->storedMessages(), QList<QStringList>({{"info", "Scripter started", ""},
                                                            {"warning", "Look at '%1'", "x.js"},
                                                            {"debug", "detail %1", "7"}}));
}

void tst_ScripterCore::damagedCounterSettingsAreRemovedAndReported()
{
    const QString counterFile = dataPath(QStringLiteral("settings/CountSettings.xml"));
    QVERIFY(QDir().mkpath(QFileInfo(counterFile).absolutePath()));
    QVERIFY(AppTest::writeFile(counterFile, "<CountSettings FormatVersion=\"1\"><LastArrivalSta"));

    m_world->start();
    QVERIFY(!m_world->core()->countManager());
    QVERIFY(!SRCore::FileManager::countManager());
    QVERIFY(!QFileInfo::exists(counterFile));
    const QList<QStringList> rows = m_world->storedMessages();
    QCOMPARE(rows.count(
                 QStringList({"error", "Can't load counter settings from file '%1'", counterFile})),
             1);
}

void tst_ScripterCore::unusableMessageDatabaseIsReportedAndTheCoreRunsOn()
{
    const QString database = dataPath(QStringLiteral("logs/messages.db"));
    QVERIFY(QDir().mkpath(QFileInfo(database).absolutePath()));
    QVERIFY(AppTest::writeFile(database, "this is the user's file, not SQLite"));

    // Without a database the window warns and works without its message pane; the program runs
    // on.
    DialogAnswerer boxes;
    boxes.then(DialogAnswerer::press(QMessageBox::Ok));
    m_world->start();
    QVERIFY(boxes.answeredAll());
    QCOMPARE(boxes.seen.value(0).section(QLatin1Char('|'), 0, 0), QStringLiteral("Database error"));
    QVERIFY(m_world->core()->countManager());
    ScripterWindow *window = m_world->window(0);
    QVERIFY(!window->messagePane());
    window->setWindowEnabled(false);
    window->setWindowEnabled();
    QVERIFY(window->actions()->saveAction()->isEnabled());
    QVERIFY(!window->actions()->clearLogsAction()->isEnabled());
    QVERIFY(!window->actions()->exportLogsAction()->isEnabled());
    m_world->core()->sendLogMessage(SRCore::LogLevel::Information, QStringLiteral("still running"));
    m_world->stop();

    QFile check(database);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), QByteArray("this is the user's file, not SQLite"));
}

void tst_ScripterCore::startsWithOneWindowAndActOpensAMaximisedNewOne()
{
    m_world->start();
    QCOMPARE(m_world->windows().size(), 1);
    QVERIFY(m_world->window(0)->isVisible());
    QVERIFY(m_world->window(0)->isUntitled());
    m_world->window(0)->activateWindow();
    QTRY_COMPARE(ScripterCore::activeScripterWindow(), m_world->window(0));

    m_world->core()->processMessage(QStringLiteral("act"));
    QCOMPARE(m_world->windows().size(), 2);
    ScripterWindow *window = m_world->window(1);
    QVERIFY(window->isVisible());
    QVERIFY(window->isMaximized());
    QVERIFY(window->isUntitled());
    QTRY_COMPARE(ScripterCore::activeScripterWindow(), window);
}

void tst_ScripterCore::importMessagesQueueOnlyExistingPackagesAndFixtures()
{
    m_world->start();
    ScripterCore *core = m_world->core();
    const QString package = m_world->makeFile(QStringLiteral("A.tscript"));
    const QString fixture = m_world->makeFile(QStringLiteral("B.tfixture"));
    const QString otherCase = m_world->makeFile(QStringLiteral("C.TSCRIPT"));
    const QString otherSuffix = m_world->makeFile(QStringLiteral("D.xml"));
    const QString folder = m_world->filePath(QStringLiteral("E.tscript"));
    QVERIFY(QDir().mkpath(folder));
    const QString program = QCoreApplication::applicationFilePath();
    // Control and empty messages do nothing.
    for (const QString &message :
         {QStringLiteral("ctrl"), QString(), QStringLiteral("PerformImportingDummy")}) {
        core->processMessage(message);
    }
    QCOMPARE(m_world->windows().size(), 1);
    QVERIFY(core->pendingImports().isEmpty());

    core->processMessage(QStringLiteral("message.startimportsequence"));
    core->processMessage(
        QStringList({program, package, otherCase, QString(), otherSuffix, folder,
                     m_world->filePath(QStringLiteral("missing.tscript")), fixture})
            .join(ScripterCore::importSeparator()));
    QCOMPARE(core->pendingImports(), QStringList({package, fixture}));
}

void tst_ScripterCore::importSequenceOpensThePackagesInOrderAfterItsEnd_data()
{
    QTest::addColumn<bool>("startingUp");
    QTest::newRow("at once") << false;
    QTest::newRow("during start-up, after the first window") << true;
}

void tst_ScripterCore::importSequenceOpensThePackagesInOrderAfterItsEnd()
{
    QFETCH(bool, startingUp);
    ScripterCore::setStartingUp(startingUp);
    m_world->start();
    const QString first = makePackage(QStringLiteral("Alpha"));
    const QString second = makePackage(QStringLiteral("Beta"));
    QVERIFY(!first.isEmpty());
    QVERIFY(!second.isEmpty());
    QSettings().remove(QStringLiteral("General/RecentPackagesList"));
    ScripterCore *core = m_world->core();
    const int before = m_world->windows().size();

    core->processMessage(QStringLiteral("message.startimportsequence"));
    core->processMessage(QStringList({QCoreApplication::applicationFilePath(), first, second})
                             .join(ScripterCore::importSeparator()));
    QCOMPARE(m_world->windows().size(), before);
    core->processMessage(QStringLiteral("message.endimportsequence"));
    QCOMPARE(core->pendingImports(), startingUp ? QStringList({first, second}) : QStringList());
    QCOMPARE(bool(m_world->processor()->windowFor(first)), !startingUp);

    ScripterCore::setStartingUp(false);
    core->processMessage(QStringLiteral("PerformImportingDummy"));
    QVERIFY(core->pendingImports().isEmpty());
    QVERIFY(m_world->processor()->windowFor(first));
    QVERIFY(m_world->processor()->windowFor(second));
    // Opened one after the other: the second is the newest entry of the recent list.
    QCOMPARE(QSettings().value(QStringLiteral("General/RecentPackagesList")).toStringList(),
             QStringList({second, first}));
}

void tst_ScripterCore::filesHandedOverWhileABatchOpensFollowIt_data()
{
    QTest::addColumn<QStringList>("messages");

    const QString start = QStringLiteral("message.startimportsequence");
    const QString end = QStringLiteral("message.endimportsequence");
    // "{A}" and "{B}" stand for two packages, "{A}|{B}" for both in one message.
    // clang-format off
    QTest::newRow("a sequence with one file") << QStringList{start, "{A}", end};
    QTest::newRow("a sequence with two files") << QStringList{start, "{A}|{B}", end};
    QTest::newRow("two sequences") << QStringList{start, "{A}", end, start, "{B}", end};
    QTest::newRow("a plain path") << QStringList{"{A}"};
    QTest::newRow("a plain path and a sequence") << QStringList{"{A}", start, "{B}", end};
    // clang-format on
}

void tst_ScripterCore::filesHandedOverWhileABatchOpensFollowIt()
{
    QFETCH(QStringList, messages);

    m_world->start();
    const QString damaged = m_world->filePath(QStringLiteral("Damaged.tscript"));
    QVERIFY(AppTest::writeFile(damaged, "not a zip archive"));
    const QString first = makePackage(QStringLiteral("Later"));
    const QString second = makePackage(QStringLiteral("Latest"));
    QVERIFY(!first.isEmpty());
    QVERIFY(!second.isEmpty());
    messages.replaceInStrings(QStringLiteral("|"), ScripterCore::importSeparator());
    messages.replaceInStrings(QStringLiteral("{A}"), first);
    messages.replaceInStrings(QStringLiteral("{B}"), second);
    ScripterCore *core = m_world->core();
    const QString start = QStringLiteral("message.startimportsequence");
    const QString end = QStringLiteral("message.endimportsequence");

    // Other instances hand their packages over while the error box of the first file is open.
    bool deliveredDuringBox = false;
    bool openedTooEarly = false;
    QTimer::singleShot(0, core, [&] {
        deliveredDuringBox = QApplication::activeModalWidget() != nullptr;
        for (const QString &message : std::as_const(messages)) {
            core->processMessage(message);
        }
        openedTooEarly = m_world->processor()->windowFor(first) != nullptr;
    });
    DialogAnswerer boxes;
    boxes.then(DialogAnswerer::press(QMessageBox::Ok));
    for (const QString &message : {start, damaged, end}) {
        core->processMessage(message);
    }

    QVERIFY(deliveredDuringBox);
    QVERIFY(!openedTooEarly);
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY(m_world->processor()->windowFor(first));
    QCOMPARE(bool(m_world->processor()->windowFor(second)),
             messages.join(QString()).contains(second));
    QVERIFY(core->pendingImports().isEmpty());
}

void tst_ScripterCore::preferencesOpenOnTheLanguageOfTheCurrentTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("page");
    // clang-format off
    QTest::newRow("JavaScript") << int(ScripterWindow::JavaScriptTab) << QStringLiteral("QSAScriptEditor");
    QTest::newRow("VBScript") << int(ScripterWindow::VBScriptTab) << QStringLiteral("VBScriptEditor");
    QTest::newRow("AppleScript") << int(ScripterWindow::AppleScriptTab) << QStringLiteral("AppleScriptEditor");
    // clang-format on
}

void tst_ScripterCore::preferencesOpenOnTheLanguageOfTheCurrentTab()
{
    QFETCH(int, tab);
    QFETCH(QString, page);
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    window->scriptTabs()->setCurrentIndex(tab);

    window->actions()->preferencesAction()->trigger();
    PreferencesDialog *dialog = m_world->core()->preferencesDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->currentScript(), page);

    // One dialog serves every request.
    dialog->hide();
    m_world->core()->showPreferences(window);
    QCOMPARE(m_world->core()->preferencesDialog(), dialog);
}

void tst_ScripterCore::savedPreferencesReachEveryWindow()
{
    Config::setWordWrap(false);
    m_world->start();
    ScripterWindow *second = m_world->newWindow();
    m_world->core()->showPreferences(m_world->window(0));
    PreferencesDialog *dialog = m_world->core()->preferencesDialog();
    QSignalSpy changed(m_world->core(), &ScripterCore::preferensesChanged);

    dialog->findChild<QCheckBox *>(QStringLiteral("wordWrapBox"))->setChecked(true);
    dialog->findChild<QSpinBox *>(QStringLiteral("runTimeoutSpinBox"))->setValue(30);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QVERIFY(Config::wordWrap());
    QVERIFY(!dialog->isVisible());
    for (ScripterWindow *window : m_world->windows()) {
        QCOMPARE(window->javaScriptEditor()->textEdit()->wrapMode(), QsciScintilla::WrapWord);
    }
    // The run time-out is the program's setting; the dialog shows it again.
    QCOMPARE(QSettings().value(EntryPointsRunner::kTimeoutKey).toInt(), 30);
    QSettings().setValue(EntryPointsRunner::kTimeoutKey, 5);
    m_world->core()->showPreferences(second);
    QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("runTimeoutSpinBox"))->value(), 5);
    Config::setWordWrap(false);
}

void tst_ScripterCore::styleEditorIsOneModalDialog()
{
    m_world->start();
    m_world->window(0)->activateWindow();
    QTRY_COMPARE(ScripterCore::activeScripterWindow(), m_world->window(0));
    m_world->core()->coreActions()->editStyleAction()->trigger();
    StyleSheetEditor *editor = m_world->core()->styleSheetEditor();
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->isModal());
    editor->close();
    m_world->core()->showStyleSheetEditor();
    QCOMPARE(m_world->core()->styleSheetEditor(), editor);
    editor->close();
    qApp->setStyleSheet(QString());
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_ScripterCore)
#include "tst_scriptercore.moc"
