#include "common/testmain.h"

#include "common/dialoganswerer.h"
#include "common/recordinglog.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "editors/applescripteditor.h"
#include "editors/javascripteditor.h"
#include "editors/scrtextedit.h"
#include "editors/vbscripteditor.h"
#include "qsa/config.h"

#include <Qsci/qsciscintilla.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <memory>

using Scripter::AppleScriptEditor;
using Scripter::JavaScriptEditor;
using Scripter::VBScriptEditor;

namespace {

template<typename Editor>
std::unique_ptr<Editor> openEditor()
{
    auto editor = std::make_unique<Editor>();
    editor->resize(500, 300);
    editor->show();
    editor->activateWindow();
    if (!QTest::qWaitForWindowActive(editor.get())) {
        qWarning("The editor window did not become active");
    }
    return editor;
}

// Typing into a new script of `Editor` and asking for an empty script gives back the template
// as a fresh, unmodified document.
template<typename Editor>
void checkTemplateRestored()
{
    const auto editor = openEditor<Editor>();
    const QString original = editor->text();
    QTest::keyClicks(editor->textEdit(), QStringLiteral("changed "));
    QVERIFY(editor->text() != original);
    editor->setEmptyScript();
    QCOMPARE(editor->text(), original);
    QVERIFY(!editor->textEdit()->document()->isUndoAvailable());
    QVERIFY(!editor->textEdit()->document()->isModified());
}

// The colour the highlighter gave to the text at `position` of the block.
QColor colorAt(const QTextBlock &block, int position)
{
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.start <= position && position < range.start + range.length) {
            return range.format.foreground().color();
        }
    }
    return QColor();
}

} // namespace

class tst_LanguageEditors : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newScriptsListTheirTemplateEntryPoints();
    void setEmptyScriptRestoresTheTemplateWithoutUndo();
    void vbScriptFunctionsAreListedOrTheFailureLogged();
    void appleScriptFunctionsAreFoundByHandlerDefinitions_data();
    void appleScriptFunctionsAreFoundByHandlerDefinitions();
    void javaScriptFunctionsAreTheTopLevelDeclarations();
    void readSettingsAppliesTabWidthAndColours();
    void javaScriptEditsAnnounceUndoAndChange();
};

void tst_LanguageEditors::init()
{
    QSettings().clear();
}

void tst_LanguageEditors::newScriptsListTheirTemplateEntryPoints()
{
    QCOMPARE(JavaScriptEditor().functions(), (QStringList{"jobArrived", "timerFired"}));
    QCOMPARE(VBScriptEditor().functions(), (QStringList{"jobArrived", "timerFired"}));
    const AppleScriptEditor appleScript;
    QCOMPARE(appleScript.functions(), (QStringList{"jobarrived", "timerfired"}));
    QVERIFY(!appleScript.textEdit()->document()->isModified());
}

void tst_LanguageEditors::setEmptyScriptRestoresTheTemplateWithoutUndo()
{
    checkTemplateRestored<AppleScriptEditor>();
    checkTemplateRestored<VBScriptEditor>();

    const auto javaScript = openEditor<JavaScriptEditor>();
    const QString javaTemplate = javaScript->text();
    QTest::keyClicks(javaScript->textEdit(), QStringLiteral("changed "));
    QVERIFY(javaScript->text() != javaTemplate);
    QSignalSpy changed(javaScript.get(), &JavaScriptEditor::scriptChanged);
    javaScript->setEmptyScript();
    QCOMPARE(javaScript->text(), javaTemplate);
    QVERIFY(!javaScript->isUndoAvailable());
    QCOMPARE(changed.count(), 0);
}

// Which procedures a VBScript offers is the function lister's rule; the editor lists them or
// says why it cannot.
void tst_LanguageEditors::vbScriptFunctionsAreListedOrTheFailureLogged()
{
    RecordingLog log;
    VBScriptEditor editor(&log);
    editor.setText(
        QStringLiteral("Sub timerFired(s)\nEnd Sub\nFunction jobArrived(s, job)\nEnd Function"));
    QCOMPARE(editor.functions(), (QStringList{"timerFired", "jobArrived"}));
    QVERIFY(log.records().isEmpty());

    const QString broken =
        QStringLiteral("Function jobArrived(s, job)\n  If x Then\nEnd Function\n");
    editor.setText(broken);
    QCOMPARE(editor.functions(), QStringList());
    QCOMPARE(log.records().size(), 1);
    QCOMPARE(log.records().first().level, SRCore::LogLevel::Error);
    QCOMPARE(log.records().first().operation, "Can't load VBScript; list of functions isn't saved");
    QCOMPARE(editor.text(), broken);

    // Without a log the list is empty all the same.
    VBScriptEditor unlogged;
    unlogged.setText(broken);
    QCOMPARE(unlogged.functions(), QStringList());
}

void tst_LanguageEditors::appleScriptFunctionsAreFoundByHandlerDefinitions_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");

    // clang-format off
    QTest::newRow("capital O, mixed case and a space before the parenthesis") << "On JobArrived (s, j)\nend JobArrived" << QStringList{"jobarrived"};
    QTest::newRow("a handler line without parentheses is not listed") << "on timerfired\nend timerfired" << QStringList{};
    QTest::newRow("blanks before on are allowed") << "\t  on timerfired(s)" << QStringList{"timerfired"};
    QTest::newRow("text after the parentheses is allowed") << "on jobarrived(s, j) -- new job" << QStringList{"jobarrived"};
    QTest::newRow("a line comment hides the handler") << "-- on timerfired(s)" << QStringList{};
    QTest::newRow("a handler inside a block comment is not listed") << "(* on timerfired(s) *)\non jobarrived(s, j)" << QStringList{"jobarrived"};
    QTest::newRow("everything from the first comment to the last one is removed") << "(* one *)\non timerfired(s)\n(* two *)\non jobarrived(s, j)" << QStringList{"jobarrived"};
    QTest::newRow("an unclosed block comment hides nothing") << "(* open\non timerfired(s)" << QStringList{"timerfired"};
    QTest::newRow("a handler defined twice is listed twice") << "on timerfired(s)\nend timerfired\non timerfired(s)" << QStringList{"timerfired", "timerfired"};
    QTest::newRow("names come in the order of the entry point list") << "on getLibraryForConnectionProperty(s, c, tag)\non isPropertyValid(s, tag, value)\n" "on initializeProcessing(e)" << QStringList{"initializeProcessing", "isPropertyValid", "getLibraryForConnectionProperty"};
    QTest::newRow("a longer name is no entry point") << "on isPropertyValidNow(s)" << QStringList{};
    QTest::newRow("a handler that is no entry point is ignored") << "on helper(x)\non licenseApplication(e, license)" << QStringList{"licenseApplication"};
    // clang-format on
}

void tst_LanguageEditors::appleScriptFunctionsAreFoundByHandlerDefinitions()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);

    AppleScriptEditor editor;
    editor.setText(script);
    QCOMPARE(editor.functions(), expected);
    QCOMPARE(editor.text(), script);
}

// Which declarations count is the interpreter's rule; the editor lists them quietly, also from
// a script with a syntax error.
void tst_LanguageEditors::javaScriptFunctionsAreTheTopLevelDeclarations()
{
    const auto editor = openEditor<JavaScriptEditor>();
    const QString script = QStringLiteral("function outer( s : Tavrix ) { function inner() {} "
                                          "}\nfunction second(x) {}\nfunction broken( {");
    editor->setText(script);
    DialogAnswerer watcher;
    const QStringList functions = editor->functions();
    QCoreApplication::processEvents();
    QVERIFY2(watcher.seen.isEmpty(), qPrintable(watcher.seen.join(QLatin1Char(','))));
    QCOMPARE(functions.mid(0, 2), (QStringList{"outer", "second"}));
    QVERIFY(!functions.contains(QStringLiteral("inner")));
    QCOMPARE(editor->text(), script);
}

void tst_LanguageEditors::readSettingsAppliesTabWidthAndColours()
{
    AppleScriptEditor editor;
    editor.setText(QStringLiteral("tell application"));
    QTextBlock block = editor.textEdit()->document()->firstBlock();
    const QColor defaultKeyword = Config::defaultStyles().value(QStringLiteral("Keyword")).color;
    QCOMPARE(colorAt(block, 1), defaultKeyword);

    QMap<QString, ConfigStyle> styles = Config::readStyles();
    styles[QStringLiteral("Standard")].font.setPointSize(20);
    styles[QStringLiteral("Keyword")].color = QColor(0x11, 0x22, 0x33);
    Config::saveStyles(styles);
    Config::setIndentTabSize(7);
    // Nothing changes before the editor is told to re-read the settings.
    QCOMPARE(colorAt(block, 1), defaultKeyword);

    editor.readSettings();
    const QFont standard = Config::readStyles().value(QStringLiteral("Standard")).font;
    QCOMPARE(editor.textEdit()->tabStopDistance(),
             QFontMetricsF(standard).horizontalAdvance(QLatin1Char('x')) * 7);
    QCOMPARE(colorAt(editor.textEdit()->document()->firstBlock(), 1), QColor(0x11, 0x22, 0x33));
}

void tst_LanguageEditors::javaScriptEditsAnnounceUndoAndChange()
{
    const auto editor = openEditor<JavaScriptEditor>();
    QSignalSpy changed(editor.get(), &JavaScriptEditor::scriptChanged);
    QSignalSpy undo(editor.get(), &QSEditor::undoAvailable);
    QSignalSpy redo(editor.get(), &QSEditor::redoAvailable);
    QVERIFY(!editor->isUndoAvailable());

    editor->textEdit()->setFocus();
    QTest::keyClicks(editor->textEdit(), QStringLiteral("ab"));
    QCOMPARE(changed.count(), 2);
    QVERIFY(!undo.isEmpty());
    QCOMPARE(undo.last().at(0).toBool(), true);
    QCOMPARE(redo.last().at(0).toBool(), false);

    editor->undo();
    QVERIFY(!editor->isUndoAvailable());
    QCOMPARE(undo.last().at(0).toBool(), false);
    QCOMPARE(redo.last().at(0).toBool(), true);
}

TAVRIX_TEST_MAIN(tst_LanguageEditors)
#include "tst_languageeditors.moc"
