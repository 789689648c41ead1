// The script expression dialog: the syntax rule, the live check while typing, loading from and
// saving to ".js" files with their failures, the question before edits are thrown away, and the
// value it gives a property through the application's factory.

#include "common/testmain.h"

#include "common/propertyediting.h"
#include "common/scriptingappproxy.h"

#include "scriptinggui/scriptexpressiondialog.h"
#include "scriptinggui/scriptvalidator.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlvalues.h"
#include "qsa/qseditor.h"

#include <Qsci/qsciscintilla.h>

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>

using ScriptingGui::ScriptExpressionDialog;
using ScriptingGui::ScriptValidator;
namespace XMLValues = SRCore::XMLValues;

namespace {

void typeScript(ScriptExpressionDialog *dialog, const QString &text)
{
    QsciScintilla *edit = dialog->findChild<QSEditor *>()->textEdit();
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class tst_ScriptExpressionDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void syntaxRule_data();
    void syntaxRule();
    void typingChecksTheSyntax();
    void okChecksTextStillWaiting();
    void savesJsFiles();
    void saveFailuresAreShown_data();
    void saveFailuresAreShown();
    void opensJsFiles();
    void cancelAsksOnlyAfterEdits();
    void evaluatesForTheSampleJob_data();
    void evaluatesForTheSampleJob();
    void propertyGetsTheExpression_data();
    void propertyGetsTheExpression();

private:
    QTemporaryDir m_files;
};

void tst_ScriptExpressionDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_ScriptExpressionDialog"));
    QVERIFY(m_files.isValid());
}

void tst_ScriptExpressionDialog::init()
{
    QSettings().clear();
}

void tst_ScriptExpressionDialog::syntaxRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line"); // 0: acceptable
    QTest::addColumn<int>("column");

    // clang-format off
    QTest::newRow("nothing")                     << ""                                  << 0 << 0;
    QTest::newRow("spaces and line breaks only") << "  \n\t\n "                         << 0 << 0;
    QTest::newRow("an expression")               << "job.getName() == \"a.pdf\""        << 0 << 0;
    QTest::newRow("typed functions")             << "function f( s : Tavrix ) { return 1; }\nf(s) + 1" << 0 << 0;
    QTest::newRow("a dangling operator")         << "1 +"                               << 1 << 4;
    QTest::newRow("an error on the second line") << "var a = 1;\nvar b = (;"           << 2 << 10;
    // clang-format on
}

void tst_ScriptExpressionDialog::syntaxRule()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);

    const ScriptValidator::SyntaxError error = ScriptValidator::check(text);
    QCOMPARE(error.line, line);
    if (line > 0) {
        QCOMPARE(error.column, column);
        QVERIFY(!error.message.isEmpty());
    }
    ScriptValidator validator;
    int position = 0;
    QCOMPARE(validator.validate(text, position),
             line == 0 ? QValidator::Acceptable : QValidator::Invalid);
}

void tst_ScriptExpressionDialog::typingChecksTheSyntax()
{
    ScriptExpressionDialog dialog(nullptr, QString());
    dialog.show();
    auto *errorText = dialog.findChild<QLabel *>("errorText");
    typeScript(&dialog, "(1 + ");
    QTRY_VERIFY(errorText->isVisible());
    QVERIFY(!dialogButton(&dialog, "okButton")->isEnabled());
    QVERIFY2(errorText->text().startsWith("Syntax error in line 1, column"),
             qPrintable(errorText->text()));

    typeScript(&dialog, "2)");
    QTRY_VERIFY(!errorText->isVisible());
    QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
    QCOMPARE(dialog.text(), QStringLiteral("(1 + 2)"));
}

void tst_ScriptExpressionDialog::okChecksTextStillWaiting()
{
    ScriptExpressionDialog dialog(nullptr, QString());
    dialog.show();
    typeScript(&dialog, "if (");
    // Ok before the check's pause is over: the check runs now and refuses.
    QVERIFY(press(&dialog, "okButton"));
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.findChild<QLabel *>("errorText")->isVisible());
    QVERIFY(!dialogButton(&dialog, "okButton")->isEnabled());
}

void tst_ScriptExpressionDialog::savesJsFiles()
{
    FakeAppProxy proxy;
    const QString folder = m_files.filePath("saved");
    QVERIFY(QDir().mkpath(folder));
    ScriptExpressionDialog dialog(nullptr, QStringLiteral("job.getName()"));
    dialog.show();

    DialogAnswerer saved;
    saved.then(DialogAnswerer::with<QFileDialog>([&](QFileDialog *files) {
        QCOMPARE(files->windowTitle(), QStringLiteral("Save script file"));
        QCOMPARE(files->nameFilters(), QStringList{"Script file (*.js)"});
        chooseInDialog(files, folder + "/expression");
    }));
    QVERIFY(press(&dialog, "saveButton")); // no file yet: as Save as
    QVERIFY(saved.answeredAll());
    QCOMPARE(readAll(folder + "/expression.js"), QStringLiteral("job.getName()"));
    QCOMPARE(proxy.readSetting("Editors/ScriptExpressionDialog_LastPath", {}).toString(), folder);

    // Save writes the same file again, without asking.
    dialog.findChild<QSEditor *>()->textEdit()->append(QString::fromUtf8(" + \"ü\""));
    QVERIFY(press(&dialog, "saveButton"));
    QCOMPARE(readAll(folder + "/expression.js"), QString::fromUtf8("job.getName() + \"ü\""));

    // Save as starts in the folder of the last file.
    QString startedIn;
    saved.then(DialogAnswerer::with<QFileDialog>([&](QFileDialog *files) {
        startedIn = files->directory().absolutePath();
        files->reject();
    }));
    QVERIFY(press(&dialog, "saveAsButton"));
    QVERIFY(saved.answeredAll());
    QCOMPARE(startedIn, folder);
}

void tst_ScriptExpressionDialog::saveFailuresAreShown_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("a folder that is a file") << "blocker/expression.js" << "File openning error|File \"%1\" can't be opened for writing";
    QTest::newRow("a full disk")             << "/dev/full"             << "File writting error|Can't write to file \"%1\"";
    // clang-format on
}

void tst_ScriptExpressionDialog::saveFailuresAreShown()
{
    QFETCH(QString, path);
    QFETCH(QString, message);

    FakeAppProxy proxy;
    QFile blocker(m_files.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // For the full disk "full" is chosen, and written with ".js" added: a link to the device
    // that is always full.
    const bool fullDisk = path == "/dev/full";
    const QString chosen = m_files.filePath(fullDisk ? QStringLiteral("full") : path);
    const QString target = fullDisk ? chosen + ".js" : chosen;
    if (fullDisk) {
        QFile::remove(target);
        QVERIFY(QFile::link("/dev/full", target));
    }
    ScriptExpressionDialog dialog(nullptr, QStringLiteral("1 + 1"));
    dialog.show();
    DialogAnswerer saved;
    saved.then(DialogAnswerer::with<QFileDialog>([chosen](QFileDialog *files) {
        files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(chosen);
        static_cast<QDialog *>(files)->accept();
    }));
    saved.then(DialogAnswerer::press(QMessageBox::Ok));
    QVERIFY(press(&dialog, "saveAsButton"));
    QVERIFY(saved.answeredAll());
    QCOMPARE(saved.seen.value(1), message.arg(target));
    QCOMPARE(dialog.text(), QStringLiteral("1 + 1"));
    QVERIFY(QSettings().value("Editors/ScriptExpressionDialog_LastPath").isNull());
}

void tst_ScriptExpressionDialog::opensJsFiles()
{
    FakeAppProxy proxy;
    const QString path = m_files.filePath("open.js");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString::fromUtf8("s.log(1, \"ä\");\nfalse").toUtf8());
    file.close();

    // Into an empty editor: no question.
    ScriptExpressionDialog empty(nullptr, QString());
    empty.show();
    DialogAnswerer opened;
    opened.then(DialogAnswerer::with<QFileDialog>([&](QFileDialog *files) {
        QCOMPARE(files->windowTitle(), QStringLiteral("Open script file"));
        chooseInDialog(files, path);
    }));
    QVERIFY(press(&empty, "openButton"));
    QVERIFY(opened.answeredAll());
    QCOMPARE(empty.text(), QString::fromUtf8("s.log(1, \"ä\");\nfalse"));
    QCOMPARE(proxy.readSetting("Editors/ScriptExpressionDialog_LastPath", {}).toString(),
             m_files.path());

    // Over a text: the question, and No keeps the text.
    ScriptExpressionDialog full(nullptr, QStringLiteral("true"));
    full.show();
    opened.then(DialogAnswerer::with<QFileDialog>([&](QFileDialog *files) {
        QCOMPARE(files->directory().absolutePath(), m_files.path());
        chooseInDialog(files, path);
    }));
    opened.then(DialogAnswerer::press(QMessageBox::No));
    QVERIFY(press(&full, "openButton"));
    QCOMPARE(opened.seen.last(), QStringLiteral("Replace the script text|Do you want to replace "
                                                "the existent script text by the new one?"));
    QCOMPARE(full.text(), QStringLiteral("true"));

    // The file goes while the question is open: reading fails and the text stays.
    opened.then(DialogAnswerer::with<QFileDialog>(
        [&](QFileDialog *files) { chooseInDialog(files, path); }));
    opened.then(DialogAnswerer::with<QMessageBox>([path](QMessageBox *question) {
        QFile::remove(path);
        question->button(QMessageBox::Yes)->click();
    }));
    opened.then(DialogAnswerer::press(QMessageBox::Ok));
    QVERIFY(press(&full, "openButton"));
    QTRY_VERIFY(opened.answeredAll());
    QCOMPARE(opened.seen.last(),
             QStringLiteral("File reading error|Can't read from file \"%1\"").arg(path));
    QCOMPARE(full.text(), QStringLiteral("true"));
}

void tst_ScriptExpressionDialog::cancelAsksOnlyAfterEdits()
{
    {
        ScriptExpressionDialog dialog(nullptr, QStringLiteral("1"));
        dialog.show();
        QVERIFY(press(&dialog, "cancelButton"));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    ScriptExpressionDialog dialog(nullptr, QStringLiteral("1"));
    dialog.show();
    typeScript(&dialog, " + 1");
    DialogAnswerer asked;
    asked.then(DialogAnswerer::press(QMessageBox::No));
    QVERIFY(press(&dialog, "cancelButton"));
    QCOMPARE(asked.seen, QStringList{"Reject changes?|Are you sure you wish to cancel script "
                                     "editing and reject all of the current changes?"});
    QVERIFY(dialog.isVisible());

    // Closing the window asks the same.
    asked.then(DialogAnswerer::press(QMessageBox::Yes));
    dialog.close();
    QCOMPARE(asked.seen.size(), 2);
    QVERIFY(asked.seen.last().startsWith("Reject changes?|"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

// One sample job whose expressions the application evaluates to a fixed answer.
class EvaluatingProxy : public FakeAppProxy
{
public:
    void sampleJobs(QMap<QString, QString> &jobs, QString &flowId) const override
    {
        flowId = QStringLiteral("1");
        jobs.insert(QStringLiteral("/jobs/order.pdf"), QStringLiteral("1-/-Script Element"));
    }
    bool evaluateScriptExpression(const QString &expression, const QString &job,
                                  const QString &element, QString *result) override
    {
        asked = {expression, job, element};
        *result = answer;
        return evaluates;
    }

    QString answer;
    bool evaluates = true;
    QStringList asked;
};

void tst_ScriptExpressionDialog::evaluatesForTheSampleJob_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("evaluates");
    QTest::addColumn<QString>("shown"); // empty: nothing is evaluated

    // clang-format off
    QTest::newRow("a value")            << "1 + 1"  << true  << "Value: 2 [type: int]";
    QTest::newRow("an exception")       << "x.y"    << false << "Error: Line 1, column 1: ReferenceError";
    QTest::newRow("a syntax error")     << "1 +"    << true  << "";
    // clang-format on
}

void tst_ScriptExpressionDialog::evaluatesForTheSampleJob()
{
    QFETCH(QString, expression);
    QFETCH(bool, evaluates);
    QFETCH(QString, shown);

    {
        EvaluatingProxy proxy;
        proxy.evaluates = evaluates;
        proxy.answer = shown.section(": ", 1);
        ScriptExpressionDialog dialog(nullptr, QString());
        dialog.show();
        typeScript(&dialog, expression);
        QVERIFY(press(&dialog, "evaluateButton"));
        QCOMPARE(dialog.findChild<QLabel *>("evaluation")->text(), shown);
        if (shown.isEmpty()) { // the expression does not compile: nothing is asked
            QVERIFY(proxy.asked.isEmpty());
            QVERIFY(dialog.findChild<QLabel *>("errorText")->isVisible());
        } else {
            QCOMPARE(proxy.asked,
                     (QStringList{expression, "/jobs/order.pdf", "1-/-Script Element"}));
        }
    }
    // Without sample jobs there is nothing to evaluate for.
    ScriptExpressionDialog without(nullptr, QString());
    without.show();
    QVERIFY(!dialogButton(&without, "evaluateButton")->isVisible());
}

void tst_ScriptExpressionDialog::propertyGetsTheExpression_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("prompt");

    // clang-format off
    QTest::newRow("bool")          << "bool"         << "evaluates to boolean value (true or false)";
    QTest::newRow("enumeration")   << "enum:A;B"     << "one of the enumerated values";
    QTest::newRow("path")          << "path"         << "file or folder path string";
    QTest::newRow("number")        << "number"       << "numeric value";
    QTest::newRow("string")        << "string"       << "string value";
    QTest::newRow("file filter")   << "filefilter"   << "A file matches the filter";
    QTest::newRow("folder filter") << "folderfilter" << "A folder matches the filter";
    QTest::newRow("anything else") << "password"     << "Enter a JavaScript expression";
    // clang-format on
}

void tst_ScriptExpressionDialog::propertyGetsTheExpression()
{
    QFETCH(QString, type);
    QFETCH(QString, prompt);

    ScriptingAppProxy proxy;
    Editing editing("Setting", type, "inline;scriptexp", QString());
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<ScriptExpressionDialog>([&](ScriptExpressionDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        QVERIFY(dialog->findChild<QLabel *>("prompt")->text().contains(prompt));
        typeScript(dialog, "job.getName().length > 3");
        QTRY_VERIFY(dialogButton(dialog, "okButton")->isEnabled());
        QVERIFY(press(dialog, "okButton"));
    }));
    QVERIFY(editing.choose("Define script expression"));
    QVERIFY(dialogs.answeredAll());
    const SRCore::XMLValueProcessor value(editing.property->valueText());
    QCOMPARE(value.valueType(), SRCore::XMLValueProcessor::ValueType::ScriptExpression);
    QCOMPARE(value.values(), QStringList{"job.getName().length > 3"});
    QCOMPARE(editing.property->editor(), XMLValues::EDITOR_SCRIPTEXP);
    QCOMPARE(editing.shownValue(), QStringLiteral("Script expression defined"));

    // Opened again it shows the expression; cancelling changes nothing.
    QString shown;
    dialogs.then(DialogAnswerer::with<ScriptExpressionDialog>([&](ScriptExpressionDialog *dialog) {
        const auto closer = closeWhenDone(dialog);
        shown = dialog->text();
        QVERIFY(press(dialog, "cancelButton"));
    }));
    editing.reopen();
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(shown, QStringLiteral("job.getName().length > 3"));
    QCOMPARE(value.values(), SRCore::XMLValueProcessor(editing.property->valueText()).values());
}

TAVRIX_TEST_MAIN(tst_ScriptExpressionDialog)
#include "tst_scriptexpressiondialog.moc"
