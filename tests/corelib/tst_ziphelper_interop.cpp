// Archives written by ZipHelper open with ZipHelper, zip, unzip and Python's zipfile, and theirs
// extract with ZipHelper.

#include "common/testmain.h"

#include "ziptestsupport.h"

#include "corelib/archive/ziphelper.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace ZipTest;

// Writes the contents of a folder into an archive with another tool.
using Writer = std::function<ToolResult(const QString &archive, const QString &folder)>;
Q_DECLARE_METATYPE(Writer)

class tst_ZipHelperInterop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void everyToolReadsOurArchives_data();
    void everyToolReadsOurArchives();
    void weExtractArchivesOfOtherTools_data();
    void weExtractArchivesOfOtherTools();
    void namesWithoutUtf8FlagAreReadAsCp437();
};

void tst_ZipHelperInterop::initTestCase()
{
    const QStringList tools = {"zip", "unzip", "python3"};
    for (const QString &tool : tools) {
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 qPrintable(tool + " is missing; scripts/install-deps.sh installs it"));
    }
}

void tst_ZipHelperInterop::everyToolReadsOurArchives_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("encrypt");
    QTest::newRow("default level") << -1 << false;
    QTest::newRow("stored") << 0 << false;
    QTest::newRow("fastest deflate, encrypted") << 1 << true;
    QTest::newRow("best deflate, encrypted") << 9 << true;
    QTest::newRow("stored, encrypted") << 0 << true;
}

void tst_ZipHelperInterop::everyToolReadsOurArchives()
{
    QFETCH(int, level);
    QFETCH(bool, encrypt);
    QTemporaryDir dir;
    const Snapshot source = makeSampleTree(dir.filePath("source"));
    const QString archive = dir.filePath("archive.zip");
    const QString secret = encrypt ? password() : QString();
    QString error;
    QVERIFY2(ZipHelper::compressFolderContents(dir.filePath("source"), archive, encrypt, secret,
                                               level, &error),
             qPrintable(error));

    // What is written is what was asked for: every file stored or deflated, encrypted or not.
    QJsonArray entries;
    QVERIFY(PythonZip::readEntries(archive, &entries));
    QCOMPARE(entries.size(), source.contents.size());
    for (const QJsonValue &value : std::as_const(entries)) {
        const QJsonArray entry = value.toArray();
        const QString name = entry.at(0).toString();
        if (!name.endsWith(QLatin1Char('/')) && !source.contents.value(name).isEmpty()) {
            QCOMPARE(entry.at(1).toInt(), int(encrypt));
            QCOMPARE(entry.at(2).toInt(), level == 0 ? 0 : 8);
        }
    }

    QVERIFY2(
        ZipHelper::extractFiles(archive, dir.filePath("target"), encrypt, secret, false, &error),
        qPrintable(error));
    QCOMPARE(differences(source, snapshot(dir.filePath("target"))), QString());
    const QStringList passwordArguments = encrypt ? QStringList{"-P", password()} : QStringList();

    const ToolResult unzip = runTool(
        "unzip", passwordArguments + QStringList{"-q", archive, "-d", dir.filePath("unzip")});
    QVERIFY2(unzip.exitCode == 0, unzip.output.constData());
    QCOMPARE(differences(source, snapshot(dir.filePath("unzip"))), QString());

    // zip runs the tester through the shell.
    const QString tester = encrypt ? "unzip -tqq -P '" + password() + "'" : "unzip -tqq";
    const ToolResult zipTest = runTool("zip", {"-T", "-TT", tester, archive});
    QVERIFY2(zipTest.exitCode == 0, zipTest.output.constData());

    // Python compares every entry with the source file of the same name.
    QStringList expected;
    for (auto it = source.contents.cbegin(); it != source.contents.cend(); ++it) {
        expected << it.key() + '='
                        + QCryptographicHash::hash(it.value(), QCryptographicHash::Sha1).toHex();
    }
    const ToolResult python = runPython(R"(
import sys, hashlib, zipfile
z = zipfile.ZipFile(sys.argv[1])
z.setpassword(sys.argv[2].encode())
for info in z.infolist():
    print(info.filename + '=' + hashlib.sha1(z.read(info)).hexdigest())
)",
                                        {archive, password()});
    QVERIFY2(python.exitCode == 0, python.output.constData());
    QStringList read = QString::fromUtf8(python.output).split('\n', Qt::SkipEmptyParts);
    read.sort();
    QCOMPARE(read, expected);
}

void tst_ZipHelperInterop::weExtractArchivesOfOtherTools_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<bool>("encrypted");
    const auto zip = [](const QStringList &options) {
        return Writer([options](const QString &archive, const QString &source) {
            return runTool("zip", options + QStringList{"-r", "-q", archive, "."}, source);
        });
    };
    // clang-format off
    QTest::newRow("zip") << zip({}) << false;
    QTest::newRow("zip with password") << zip({"-P", password()}) << true;
    QTest::newRow("Python zipfile") << Writer([](const QString &archive, const QString &source) { return runPython(R"(
import os, sys, zipfile
os.chdir(sys.argv[2])
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    for folder, folders, files in os.walk('.'):
        for name in sorted(folders) + sorted(files):
            z.write(os.path.join(folder, name)[2:])
)", {archive, source}); }) << false;
    // clang-format on
}

void tst_ZipHelperInterop::weExtractArchivesOfOtherTools()
{
    QFETCH(Writer, writer);
    QFETCH(bool, encrypted);
    QTemporaryDir dir;
    const Snapshot source = makeSampleTree(dir.filePath("source"));
    const QString archive = dir.filePath("archive.zip");
    const ToolResult written = writer(archive, dir.filePath("source"));
    QVERIFY2(written.exitCode == 0, written.output.constData());

    QString error;
    QVERIFY2(ZipHelper::extractFiles(archive, dir.filePath("target"), encrypted,
                                     encrypted ? password() : QString(), false, &error),
             qPrintable(error));
    const Snapshot extracted = snapshot(dir.filePath("target"));
    QCOMPARE(differences(source, extracted), QString());
}

void tst_ZipHelperInterop::namesWithoutUtf8FlagAreReadAsCp437()
{
    QTemporaryDir dir;
    const QString archive = dir.filePath("archive.zip");
    // Old Windows tools store names in the DOS code page without the UTF-8 flag. Python always
    // sets the flag for non-ASCII names, so its name encoder is replaced for this archive.
    const ToolResult written = runPython(R"(
import sys, zipfile
zipfile.ZipInfo._encodeFilenameFlags = lambda self: (self.filename.encode('cp437'), self.flag_bits)
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr('Gr\u00fc\u00dfe/caf\u00e9 \u00a3.txt', 'cp437')
)",
                                         {archive});
    QVERIFY2(written.exitCode == 0, written.output.constData());
    QString error;
    QVERIFY2(
        ZipHelper::extractFiles(archive, dir.filePath("target"), false, QString(), false, &error),
        qPrintable(error));
    QCOMPARE(readFile(dir.filePath("target/Grüße/café £.txt")), QByteArray("cp437"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_ZipHelperInterop)
#include "tst_ziphelper_interop.moc"
