// The conformance suite: every vbscript/*.vbs runs in an engine with WScript, and what it
// writes (its echo lines, then the error that ended it, if any) must equal the lines of the
// .out file beside it.

#include "../common/recordingoutput.h"

#include "scriptinglib/vbscript/engine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("<%1 can't be read>").arg(path)};
    }
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text.split(QLatin1Char('\n'));
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

class TestVBScriptConformance : public QObject
{
    Q_OBJECT

private slots:
    void scripts_data();
    void scripts();
};

void TestVBScriptConformance::scripts_data()
{
    QTest::addColumn<QString>("script");
    const QString folder = QFINDTESTDATA("vbscript");
    QVERIFY(!folder.isEmpty());
    const QStringList scripts =
        QDir(folder).entryList({QStringLiteral("*.vbs")}, QDir::Files, QDir::Name);
    QVERIFY(!scripts.isEmpty());
    for (const QString &script : scripts) {
        QTest::newRow(qPrintable(script)) << QDir(folder).filePath(script);
    }
}

void TestVBScriptConformance::scripts()
{
    QFETCH(QString, script);
    QFile file(script);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString source = QString::fromUtf8(file.readAll());
    QString expectedPath = script;
    expectedPath.replace(expectedPath.size() - 4, 4, QStringLiteral(".out"));
    const QStringList expected = fileLines(expectedPath);

    // Scripts that work with files do so in a folder of their own.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    RecordingOutput output;
    {
        VBScript::Engine engine;
        engine.setOutput(&output);
        engine.addWScript();
        engine.load(source);
    }
    QDir::setCurrent(previous);
    QVERIFY2(output.lines == expected, qPrintable(difference(expected, output.lines)));
}

QTEST_GUILESS_MAIN(TestVBScriptConformance)
#include "tst_vbscriptconformance.moc"
