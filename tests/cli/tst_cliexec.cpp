// `exec FILE` of the built tool: script files of both languages give their output or their
// error. The VBScript conformance suite runs through it: every tests/scriptinglib/vbscript/*.vbs
// in a working folder of its own, and what it writes (its echo lines, then the error that ended
// it, if any) must equal the lines of the .out file beside it.

#include "common/testmain.h"

#include "clitestsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace CliTest;

namespace {

QStringList textLines(QString text)
{
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("<%1 can't be read>").arg(path)};
    }
    return textLines(QString::fromUtf8(file.readAll()));
}

// Both lists side by side from the first line where they part, marked where they differ.
QString difference(const QStringList &expected, const QStringList &actual)
{
    qsizetype first = 0;
    while (first < expected.size() && first < actual.size()
           && expected.at(first) == actual.at(first)) {
        ++first;
    }
    QString report =
        QStringLiteral("\nfirst difference at line %1 (- expected, + actual):\n").arg(first + 1);
    const qsizetype end = std::max(expected.size(), actual.size());
    for (qsizetype i = first; i < end && i < first + 12; ++i) {
        const QString want = i < expected.size() ? expected.at(i) : QStringLiteral("<none>");
        const QString got = i < actual.size() ? actual.at(i) : QStringLiteral("<none>");
        if (want == got) {
            report += QStringLiteral("  %1: %2\n").arg(i + 1).arg(want);
        } else {
            report += QStringLiteral("- %1: %2\n+ %1: %3\n").arg(i + 1).arg(want, got);
        }
    }
    return report;
}

} // namespace

class tst_CliExec : public QObject
{
    Q_OBJECT

private slots:
    void conformanceSuite_data();
    void conformanceSuite();
    void scriptFilesGiveTheirOutputOrTheirError_data();
    void scriptFilesGiveTheirOutputOrTheirError();
};

void tst_CliExec::conformanceSuite_data()
{
    QTest::addColumn<QString>("script");
    const QDir folder(QStringLiteral(TAVRIX_VBSCRIPT_SUITE_DIR));
    const QStringList scripts =
        folder.entryList({QStringLiteral("*.vbs")}, QDir::Files, QDir::Name);
    QVERIFY(!scripts.isEmpty());
    for (const QString &script : scripts) {
        QTest::newRow(qPrintable(script)) << folder.filePath(script);
    }
}

void tst_CliExec::conformanceSuite()
{
    QFETCH(QString, script);
    QString expectedPath = script;
    expectedPath.replace(expectedPath.size() - 4, 4, QStringLiteral(".out"));
    const QStringList expected = fileLines(expectedPath);

    // Scripts that work with files do so in the sandbox's working folder.
    const Sandbox sandbox;
    QVERIFY(sandbox.isValid());
    const Run run = sandbox.run({QStringLiteral("exec"), script});
    QVERIFY2(run.finished, run.describe());
    // The error that ended the script, without the tool's "program: file: " in front.
    const QString errorPrefix = QStringLiteral("tavrixscripter-cli: %1: ").arg(script);
    QStringList actual = textLines(run.out);
    for (const QString &line : run.errorLines()) {
        actual << (line.startsWith(errorPrefix) ? line.mid(errorPrefix.size()) : line);
    }
    QVERIFY2(actual == expected, qPrintable(difference(expected, actual)));
    QCOMPARE(run.exitCode, run.err.isEmpty() ? 0 : 1);
}

void tst_CliExec::scriptFilesGiveTheirOutputOrTheirError_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // null: no such file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("output");

    // clang-format off
    QTest::newRow("UTF-8") << "script.vbs" << QByteArray("WScript.Echo \"caf\xc3\xa9\", Len(\"caf\xc3\xa9\")\n") << 0 << "" << QStringLiteral("caf\u00e9 4");
    QTest::newRow("UTF-8 with its byte order mark") << "script.vbs" << QByteArray("\xef\xbb\xbfWScript.Echo \"caf\xc3\xa9\"\n") << 0 << "" << QStringLiteral("caf\u00e9");
    QTest::newRow("Windows-1252 as Notepad saves it") << "script.vbs" << QByteArray("WScript.Echo \"caf\xe9 \x80\"\r\n") << 0 << "" << QStringLiteral("caf\u00e9 \u20ac");
    QTest::newRow("UTF-16 with its byte order mark") << "script.vbs" << QByteArray("\xff\xfeW\0S\0c\0r\0i\0p\0t\0.\0E\0c\0h\0o\0 \0\x31\0", 30) << 0 << "" << QStringLiteral("1");
    QTest::newRow("no code at all") << "script.vbs" << QByteArray("") << 0 << "" << QString();
    QTest::newRow("missing file") << "gone.vbs" << QByteArray() << 1 << "tavrixscripter-cli: gone.vbs: No such file or directory" << "";
    QTest::newRow("not a script file") << "router.txt" << QByteArray("WScript.Echo 1") << 2 << "tavrixscripter-cli: exec runs JavaScript and VBScript files, named *.js or *.vbs, or use --language: 'router.txt'; see \"tavrixscripter-cli --help\"" << "";
    QTest::newRow("text that does not parse") << "broken.vbs" << QByteArray("WScript.Echo 1\nIf x Then\n") << 1 << "tavrixscripter-cli: broken.vbs: Line 2, column 10: Expected 'End If' to close the 'If' on line 2; found the end of the script" << "";
    QTest::newRow("error after output") << "late.vbs" << QByteArray("WScript.Echo \"before\"\nx = 1 / 0\nWScript.Echo \"after\"") << 1 << "tavrixscripter-cli: late.vbs: Line 2, column 1: Microsoft VBScript runtime error 11: Division by zero" << "before";
    QTest::newRow("endless recursion") << "deep.vbs" << QByteArray("Sub f: f: End Sub\nf") << 1 << "tavrixscripter-cli: deep.vbs: Line 1, column 8: Microsoft VBScript runtime error 28: Out of stack space" << "";
    QTest::newRow("JavaScript's echo and console") << "script.js" << QByteArray("WScript.Echo('one', 2);\nconsole.log('two');\n") << 0 << "" << "one 2\ntwo";
    QTest::newRow("JavaScript's helpers reach the disk") << "script.js" << QByteArray("File.write('made.txt', 'written');\nWScript.Echo(File.read('made.txt'), Dir.exists('.'));\n") << 0 << "" << "written true";
    QTest::newRow("a JavaScript error after output") << "script.js" << QByteArray("WScript.Echo('before');\nnoSuchFunction();\n") << 1 << "tavrixscripter-cli: script.js: Line 2: ReferenceError: noSuchFunction is not defined" << "before";
    QTest::newRow("JavaScript that does not parse") << "script.js" << QByteArray("var x = ;\n") << 1 << "tavrixscripter-cli: script.js: Line 1, column 9: SyntaxError: Expected token `numeric literal'" << "";
    // clang-format on
}

void tst_CliExec::scriptFilesGiveTheirOutputOrTheirError()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QFETCH(QString, output);
    const Sandbox sandbox;
    QVERIFY(sandbox.isValid());
    QVERIFY(content.isNull() || writeFile(sandbox.path(file), content));
    const Run run = sandbox.run({QStringLiteral("exec"), file});
    QVERIFY2(run.exitCode == exitCode, run.describe());
    QCOMPARE(run.errorLines(), error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(textLines(run.out), textLines(output));
}

TAVRIX_TEST_GUILESS_MAIN(tst_CliExec)
#include "tst_cliexec.moc"
