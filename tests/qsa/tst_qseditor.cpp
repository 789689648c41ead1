#include "common/testmain.h"

#include <qsa/config.h>
#include <qsa/qscompletionapis.h>
#include <qsa/qseditor.h>
#include <qsa/qsinterpreter.h>
#include <qsa/qsobjectfactory.h>

#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qsciscintilla.h>

#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QString positionText(const QSEditor &editor)
{
    return editor.statusBar()->findChild<QLabel *>()->text();
}

// Types as a user would, with the editor repainting between keys; "\n" presses Return.
void type(QSEditor &editor, const QString &text)
{
    QsciScintilla *edit = editor.textEdit();
    for (const QChar c : text) {
        QCoreApplication::processEvents();
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(edit, Qt::Key_Return);
        } else if (c.unicode() < 128) {
            QTest::keyClick(edit, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Scintilla reports cursor moves when it paints, and places popups on the screen: widgets that
// are typed into are shown, as they are for a user.
bool showEditor(QSEditor &editor)
{
    editor.show();
    return QTest::qWaitForWindowExposed(&editor);
}

} // namespace

// An object of the application's own, known to completion through the interpreter.
class Helper : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    Q_INVOKABLE QString greet(const QString &name) const { return name; }
};

class tst_QSEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void positionLabel_data();
    void positionLabel();
    void settingTextLeavesNothingToUndo();
    void undoRedoAvailability();
    void readSettingsAppliesTheOptions();
    void readSettingsAppliesTheStyles();
    void newLineIndentation_data();
    void newLineIndentation();
    void completion_data();
    void completion();
    void functionDeclaredWhileTypingIsOfferedOnceTypingPauses();
    void callTipAfterAnOpeningParenthesis();
    void noCompletionWhenSwitchedOff();
};

void tst_QSEditor::init()
{
    QSettings().clear();
}

void tst_QSEditor::positionLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("label");

    // clang-format off
    QTest::newRow("fresh document") << QString() << QString() << QStringLiteral(" Line: 1 Col: 1");
    QTest::newRow("two line breaks and two letters") << QString() << QStringLiteral("\n\nab") << QStringLiteral(" Line: 3 Col: 3");
    QTest::newRow("letters beyond ASCII count once") << QString() << QStringLiteral("\xe4\xf6\xfc") << QStringLiteral(" Line: 1 Col: 4");
    QTest::newRow("setting a text puts the cursor at its start") << QStringLiteral("one\ntwo") << QString() << QStringLiteral(" Line: 1 Col: 1");
    // clang-format on
}

void tst_QSEditor::positionLabel()
{
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, label);
    QSEditor editor;
    QVERIFY(showEditor(editor));
    editor.setText(text);
    type(editor, typed);
    QTRY_COMPARE(positionText(editor), label);
}

void tst_QSEditor::settingTextLeavesNothingToUndo()
{
    QSEditor editor;
    QVERIFY(showEditor(editor));
    type(editor, QStringLiteral("typed"));
    QVERIFY(editor.isUndoAvailable());

    // Listeners that ask for undo on textChanged, as the window's modified state does, must
    // see a fresh document.
    bool undoSeenOnChange = true;
    connect(&editor, &QSEditor::textChanged, this,
            [&] { undoSeenOnChange = editor.isUndoAvailable(); });
    QSignalSpy changes(&editor, &QSEditor::textChanged);
    QSignalSpy undo(&editor, &QSEditor::undoAvailable);
    editor.setText(QStringLiteral("loaded"));

    QCOMPARE(changes.count(), 1);
    QVERIFY(!undoSeenOnChange);
    QCOMPARE(undo.count(), 1);
    QCOMPARE(undo.at(0).at(0).toBool(), false);
    QVERIFY(!editor.textEdit()->isModified());
    QCOMPARE(editor.text(), QStringLiteral("loaded"));
}

void tst_QSEditor::undoRedoAvailability()
{
    QSEditor editor;
    QVERIFY(showEditor(editor));
    editor.setText(QStringLiteral("abc"));
    QSignalSpy undo(&editor, &QSEditor::undoAvailable);
    QSignalSpy redo(&editor, &QSEditor::redoAvailable);

    type(editor, QStringLiteral("xy"));
    QCOMPARE(undo.count(), 1); // sent on the change of availability only
    QCOMPARE(undo.at(0).at(0).toBool(), true);
    QCOMPARE(redo.count(), 0);

    editor.undo();
    QCOMPARE(editor.text(), QStringLiteral("abc"));
    QCOMPARE(undo.count(), 2);
    QCOMPARE(undo.at(1).at(0).toBool(), false);
    QCOMPARE(redo.count(), 1);
    QCOMPARE(redo.at(0).at(0).toBool(), true);

    editor.redo();
    QCOMPARE(editor.text(), QStringLiteral("xyabc"));
    QVERIFY(editor.isUndoAvailable());
    QVERIFY(!editor.isRedoAvailable());
    QCOMPARE(redo.count(), 2);
    QCOMPARE(redo.at(1).at(0).toBool(), false);
}

void tst_QSEditor::readSettingsAppliesTheOptions()
{
    QSEditor editor;
    QsciScintilla *edit = editor.textEdit();

    Config::setIndentTabSize(8);
    Config::setIndentIndentSize(2);
    Config::setIndentKeepTabs(false);
    Config::setIndentAutoIndent(false);
    Config::setParenMatching(false);
    Config::setCompletion(false);
    Config::setWordWrap(true);
    editor.readSettings();
    QCOMPARE(edit->tabWidth(), 8);
    QCOMPARE(edit->indentationWidth(), 2);
    QVERIFY(!edit->indentationsUseTabs());
    QVERIFY(!edit->autoIndent());
    QCOMPARE(edit->braceMatching(), QsciScintilla::NoBraceMatch);
    QCOMPARE(edit->autoCompletionSource(), QsciScintilla::AcsNone);
    QVERIFY(edit->autoCompletionThreshold() < 1);
    QCOMPARE(edit->wrapMode(), QsciScintilla::WrapWord);

    Config::setIndentTabSize(3);
    Config::setIndentKeepTabs(true);
    Config::setIndentAutoIndent(true);
    Config::setParenMatching(true);
    Config::setCompletion(true);
    Config::setWordWrap(false);
    editor.readSettings();
    QCOMPARE(edit->tabWidth(), 3);
    QVERIFY(edit->indentationsUseTabs());
    QVERIFY(edit->autoIndent());
    QCOMPARE(edit->braceMatching(), QsciScintilla::SloppyBraceMatch);
    QCOMPARE(edit->autoCompletionSource(), QsciScintilla::AcsAPIs);
    QCOMPARE(edit->autoCompletionThreshold(), 3);
    QCOMPARE(edit->wrapMode(), QsciScintilla::WrapNone);
}

void tst_QSEditor::readSettingsAppliesTheStyles()
{
    QSEditor editor;
    QMap<QString, ConfigStyle> styles = Config::readStyles();
    styles[QStringLiteral("Standard")].font.setPointSize(17);
    styles[QStringLiteral("Standard")].color = QColor(0x11, 0x22, 0x33);
    styles[QStringLiteral("Comment")].color = Qt::red;
    styles[QStringLiteral("Keyword")].font.setPointSize(21);
    styles[QStringLiteral("String")].color = Qt::magenta;
    Config::saveStyles(styles);
    editor.readSettings();

    const QsciLexer *lexer = editor.textEdit()->lexer();
    QCOMPARE(lexer->defaultFont().pointSize(), 17);
    QCOMPARE(lexer->font(QsciLexerJavaScript::Identifier).pointSize(), 17);
    QCOMPARE(lexer->color(QsciLexerJavaScript::Identifier), QColor(0x11, 0x22, 0x33));
    QCOMPARE(lexer->color(QsciLexerJavaScript::Comment), QColor(Qt::red));
    QCOMPARE(lexer->color(QsciLexerJavaScript::CommentLine), QColor(Qt::red));
    QCOMPARE(lexer->font(QsciLexerJavaScript::Keyword).pointSize(), 21);
    QCOMPARE(lexer->color(QsciLexerJavaScript::SingleQuotedString), QColor(Qt::magenta));
    QCOMPARE(lexer->color(QsciLexerJavaScript::RawString), QColor(Qt::magenta));
}

void tst_QSEditor::newLineIndentation_data()
{
    QTest::addColumn<bool>("keepTabs");
    QTest::addColumn<int>("indentSize");
    QTest::addColumn<bool>("autoIndent");
    QTest::addColumn<QString>("indentation");

    // clang-format off
    QTest::newRow("keep tabs indents with a tab") << true << 4 << true << QStringLiteral("\t");
    QTest::newRow("keep tabs fills a wider indent with tabs") << true << 8 << true << QStringLiteral("\t\t");
    QTest::newRow("without keep tabs indents with spaces") << false << 2 << true << QStringLiteral("  ");
    QTest::newRow("without auto indent the line starts bare") << true << 4 << false << QString();
    // clang-format on
}

void tst_QSEditor::newLineIndentation()
{
    QFETCH(bool, keepTabs);
    QFETCH(int, indentSize);
    QFETCH(bool, autoIndent);
    QFETCH(QString, indentation);
    Config::setIndentTabSize(4);
    Config::setIndentIndentSize(indentSize);
    Config::setIndentKeepTabs(keepTabs);
    Config::setIndentAutoIndent(autoIndent);
    QSEditor editor;
    QVERIFY(showEditor(editor));

    type(editor, QStringLiteral("function f() {\n"));
    QCOMPARE(editor.textEdit()->text(1), indentation);
}

void tst_QSEditor::completion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("completed");

    // clang-format off
    QTest::newRow("method of s") << QString() << "s.setT" << "s.setTimerInterval";
    QTest::newRow("method of job") << QString() << "job.fa" << "job.fail";
    QTest::newRow("keyword") << QString() << "retu" << "return";
    QTest::newRow("function of the script") << "function jobArrived( s : Tavrix, job : Job ) {}\n" << "jobA" << "jobArrived";
    QTest::newRow("method of an object of the interpreter") << QString() << "helper.gr" << "helper.greet";
    QTest::newRow("object of the interpreter") << QString() << "help" << "helper";
    QTest::newRow("class of an object factory") << QString() << "Recta" << "Rectangle";
    // clang-format on
}

void tst_QSEditor::completion()
{
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, completed);
    QSEditor editor;
    QSInterpreter interpreter;
    Helper helper;
    helper.setObjectName(QStringLiteral("helper"));
    interpreter.addTransientObject(&helper);
    QSObjectFactory factory;
    QVERIFY(factory.registerClass(QStringLiteral("Rectangle")));
    interpreter.addObjectFactory(&factory);
    editor.setInterpreter(&interpreter, nullptr);
    QVERIFY(showEditor(editor));
    editor.setText(text);
    editor.textEdit()->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);

    type(editor, typed);
    QVERIFY(editor.textEdit()->isListActive());
    QTest::keyClick(editor.textEdit(), Qt::Key_Return);
    QCOMPARE(editor.text(), text + completed);
}

void tst_QSEditor::functionDeclaredWhileTypingIsOfferedOnceTypingPauses()
{
    QSEditor editor;
    QVERIFY(showEditor(editor));
    editor.setText(QStringLiteral("function first() {}\n"));
    editor.textEdit()->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    type(editor, QStringLiteral("firs"));
    QVERIFY(editor.textEdit()->isListActive());
    QTest::keyClick(editor.textEdit(), Qt::Key_Escape);

    // The functions were read when first asked for; one declared since is read in the pause.
    type(editor, QStringLiteral("\nfunction second() {}\n"));
    QTest::qWait(QSCompletionApis::ReadDelayMs * 2);
    type(editor, QStringLiteral("seco"));
    QVERIFY(editor.textEdit()->isListActive());
    QTest::keyClick(editor.textEdit(), Qt::Key_Return);
    QVERIFY2(editor.text().endsWith(QStringLiteral("second")), qPrintable(editor.text()));
}

void tst_QSEditor::callTipAfterAnOpeningParenthesis()
{
    QSEditor editor;
    QVERIFY(showEditor(editor));
    type(editor, QStringLiteral("s.getPropertyValue"));
    QTest::keyClick(editor.textEdit(), Qt::Key_Escape);
    type(editor, QStringLiteral("("));
    QVERIFY(editor.textEdit()->isCallTipActive());

    type(editor, QStringLiteral(");\nx.unknown("));
    QVERIFY(!editor.textEdit()->isCallTipActive());
}

void tst_QSEditor::noCompletionWhenSwitchedOff()
{
    Config::setCompletion(false);
    QSEditor editor;
    QVERIFY(showEditor(editor));
    type(editor, QStringLiteral("s.get"));
    QVERIFY(!editor.textEdit()->isListActive());
    type(editor, QStringLiteral("(\nretu"));
    QVERIFY(!editor.textEdit()->isCallTipActive());
    QVERIFY(!editor.textEdit()->isListActive());

    // And back on without a new editor.
    Config::setCompletion(true);
    editor.readSettings();
    type(editor, QStringLiteral("\ns."));
    QVERIFY(editor.textEdit()->isListActive());
}

TAVRIX_TEST_MAIN(tst_QSEditor)
#include "tst_qseditor.moc"
