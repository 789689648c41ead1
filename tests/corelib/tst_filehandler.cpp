#include "common/filesystemfaults.h"
#include "common/recordinglog.h"
#include "common/testfiles.h"
#include "common/testmain.h"

#include "logtestsupport.h"

#include "corelib/files/fileautocleaner.h"
#include "corelib/files/filehandler.h"

#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace SRCore;

using TestFiles::readFile;
using TestFiles::snapshot;
using TestFiles::writeFile;

class tst_FileHandler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void copiesAFileReplacingTheDestination();
    void copiesAWholeTreeWithHiddenEntriesAndLinks();
    void mergesIntoAnExistingFolder();
    void refusedCopiesLeaveNothingBehindAndTellTheLog_data();
    void refusedCopiesLeaveNothingBehindAndTellTheLog();
    void removesFilesFoldersAndLinks();
    void cleanupKeepsWhatThePatternDoesNotMatch_data();
    void cleanupKeepsWhatThePatternDoesNotMatch();
    void cleanupRefusesBadInputWithoutRemovingAnything();
    void temporaryFoldersAndPathsAreFreshAndUnique();
    void savedDomReadsBackWithOneDeclaration_data();
    void savedDomReadsBackWithOneDeclaration();
    void saveToAMissingFolderFailsWithoutAFile();
    void fullDiskLeavesTheDestinationAsItWas_data();
    void fullDiskLeavesTheDestinationAsItWas();
    void readsTextInItsEncoding_data();
    void readsTextInItsEncoding();
    void readRefusesFoldersAndMissingFiles();
    void findsTheFirstFileDepthFirst();
    void autoCleanerRemovesItsFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &relative) const { return m_dir->filePath(relative); }
};

void tst_FileHandler::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    FileHandler::setTempFolder(path("temp"));
}

void tst_FileHandler::copiesAFileReplacingTheDestination()
{
    QVERIFY(writeFile(path("a.txt"), "new content"));
    QVERIFY(writeFile(path("b.txt"), "old content that is longer"));
    QFile::setPermissions(path("a.txt"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(FileHandler::copy(path("a.txt"), path("b.txt")));
    QCOMPARE(readFile(path("b.txt")), QByteArray("new content"));
    QVERIFY(QFileInfo(path("b.txt")).isExecutable());
    QCOMPARE(readFile(path("a.txt")), QByteArray("new content"));
}

void tst_FileHandler::copiesAWholeTreeWithHiddenEntriesAndLinks()
{
    QVERIFY(writeFile(path("job/page1.pdf"), QByteArray(300000, 'x')));
    QVERIFY(writeFile(path("job/.hidden"), "h"));
    QVERIFY(writeFile(path("job/sub/deeper/file.txt"), "deep"));
    QDir().mkpath(path("job/empty"));
    QVERIFY(QFile::link(QStringLiteral("page1.pdf"), path("job/link.pdf")));

    QString error;
    QVERIFY2(FileHandler::copy(path("job"), path("copy/of/job"), nullptr, &error),
             qPrintable(error));
    QCOMPARE(snapshot(path("copy/of/job")).keys(), snapshot(path("job")).keys());
    QCOMPARE(readFile(path("copy/of/job/sub/deeper/file.txt")), QByteArray("deep"));
    const QFileInfo link(path("copy/of/job/link.pdf"));
    QVERIFY(link.isSymLink());
    QCOMPARE(link.symLinkTarget(), QFileInfo(path("copy/of/job/page1.pdf")).absoluteFilePath());
}

void tst_FileHandler::mergesIntoAnExistingFolder()
{
    QVERIFY(writeFile(path("src/a.txt"), "A"));
    QVERIFY(writeFile(path("dst/a.txt"), "old A"));
    QVERIFY(writeFile(path("dst/keep.txt"), "K"));
    QVERIFY(FileHandler::copy(path("src"), path("dst")));
    QCOMPARE(readFile(path("dst/a.txt")), QByteArray("A"));
    QCOMPARE(readFile(path("dst/keep.txt")), QByteArray("K"));
}

void tst_FileHandler::refusedCopiesLeaveNothingBehindAndTellTheLog_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    // clang-format off
    QTest::newRow("missing source") << "missing" << "out";
    QTest::newRow("folder into itself") << "tree" << "tree/inside/copy";
    QTest::newRow("folder onto itself") << "tree" << "tree";
    QTest::newRow("file over a folder") << "tree/file.txt" << "folder";
    QTest::newRow("folder over a file") << "tree" << "plain.txt";
    QTest::newRow("tree copied half-way is undone") << "tree" << "clash";
    // clang-format on
}

void tst_FileHandler::refusedCopiesLeaveNothingBehindAndTellTheLog()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QVERIFY(writeFile(path("tree/file.txt"), "t"));
    QVERIFY(writeFile(path("plain.txt"), "p"));
    QDir().mkpath(path("folder"));
    // "b" is a folder in the tree but a file in "clash": the copy fails after "a" was copied.
    QVERIFY(writeFile(path("tree/a/one.txt"), "1"));
    QVERIFY(writeFile(path("tree/b/two.txt"), "2"));
    QVERIFY(writeFile(path("clash/b"), "in the way"));
    const auto before = snapshot(m_dir->path());

    RecordingLog log;
    QString error;
    // The message pane translates an operation when it shows it, in the language of that moment;
    // the record keeps the key.
    const LogTest::TranslatedLogMessages translated;
    QVERIFY(!FileHandler::copy(path(source), path(destination), &log, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(log.records().size(), 1);
    QCOMPARE(log.records().first().level, LogLevel::Error);
    QCOMPARE(log.records().first().operation, QStringLiteral("Copying failed: %1"));
    QCOMPARE(log.records().first().argument, error);
    QCOMPARE(snapshot(m_dir->path()), before);
    QCOMPARE(readFile(path("plain.txt")), QByteArray("p"));
}

void tst_FileHandler::removesFilesFoldersAndLinks()
{
    QVERIFY(writeFile(path("tree/sub/file.txt"), "x"));
    QVERIFY(writeFile(path("target.txt"), "t"));
    QVERIFY(QFile::link(path("target.txt"), path("link")));

    QString error;
    QVERIFY(!FileHandler::remove(path("tree"), false, &error));
    QVERIFY(QFileInfo::exists(path("tree/sub/file.txt")));
    QVERIFY(!FileHandler::removeFile(path("tree"), &error));
    QVERIFY(error.contains(QStringLiteral("folder")));

    QVERIFY(FileHandler::remove(path("tree"), true));
    QVERIFY(!QFileInfo::exists(path("tree")));
    QVERIFY(FileHandler::removeFile(path("link")));
    QVERIFY(!QFileInfo(path("link")).isSymLink());
    QVERIFY(QFileInfo::exists(path("target.txt")));
    QVERIFY(FileHandler::remove(path("never-there")));
    QVERIFY(FileHandler::removeFile(path("never-there")));
}

void tst_FileHandler::cleanupKeepsWhatThePatternDoesNotMatch_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("kept");
    // clang-format off
    QTest::newRow("no pattern removes everything") << QString() << QStringList();
    QTest::newRow("version-control folders stay") << QStringLiteral("[^(\\.svn|_svn)]") << QStringList({".svn/", ".svn/entries", "_svn/"});
    QTest::newRow("only matching names go") << QStringLiteral("\\.js$") << QStringList( {".hidden", ".svn/", ".svn/entries", "_svn/", "pkg.xml", "sub/", "sub/x.js"});
    // clang-format on
}

void tst_FileHandler::cleanupKeepsWhatThePatternDoesNotMatch()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, kept);
    const QString folder = path("package");
    QVERIFY(writeFile(folder + QStringLiteral("/pkg.js"), "js"));
    QVERIFY(writeFile(folder + QStringLiteral("/pkg.xml"), "xml"));
    QVERIFY(writeFile(folder + QStringLiteral("/.hidden"), "h"));
    QVERIFY(writeFile(folder + QStringLiteral("/sub/x.js"), "x"));
    QVERIFY(writeFile(folder + QStringLiteral("/.svn/entries"), "svn"));
    QDir().mkpath(folder + QStringLiteral("/_svn"));

    QString error;
    QVERIFY2(FileHandler::cleanupFolder(folder, pattern, &error), qPrintable(error));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(snapshot(folder).keys(), kept);
}

void tst_FileHandler::cleanupRefusesBadInputWithoutRemovingAnything()
{
    QVERIFY(writeFile(path("folder/a.txt"), "a"));
    QString error;
    QVERIFY(!FileHandler::cleanupFolder(path("folder"), QStringLiteral("[unclosed"), &error));
    QVERIFY(error.contains(QStringLiteral("[unclosed")));
    QVERIFY(QFileInfo::exists(path("folder/a.txt")));

    QVERIFY(!FileHandler::cleanupFolder(path("folder/a.txt"), QString(), &error));
    QVERIFY(!FileHandler::cleanupFolder(path("missing"), QString(), &error));
    QVERIFY(QFileInfo::exists(path("folder/a.txt")));
}

void tst_FileHandler::temporaryFoldersAndPathsAreFreshAndUnique()
{
    const QString package = path("My Package.tscript");
    const QString first =
        FileHandler::createTempFolderForFile(package, QStringLiteral("tempPackageFolder"));
    const QString second =
        FileHandler::createTempFolderForFile(package, QStringLiteral("tempPackageFolder"));
    QVERIFY(!first.isEmpty());
    QVERIFY(first != second);
    for (const QString &folder : {first, second}) {
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QCOMPARE(QFileInfo(folder).absolutePath(), FileHandler::tempFolder());
        QVERIFY(QFileInfo(folder).fileName().startsWith(
            QStringLiteral("tempPackageFolder-My_Package-")));
    }

    const QString file =
        FileHandler::getTempFilePath(QStringLiteral("archive"), QStringLiteral(".tscript"));
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(file.endsWith(QStringLiteral(".tscript")));
    QVERIFY(file
            != FileHandler::getTempFilePath(QStringLiteral("archive"), QStringLiteral(".tscript")));

    FileHandler::setTempFolder(path("plain.txt"));
    QVERIFY(writeFile(path("plain.txt"), "not a folder"));
    QString error;
    QVERIFY(FileHandler::createTempFolderForFile(package, QStringLiteral("x"), &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void tst_FileHandler::savedDomReadsBackWithOneDeclaration_data()
{
    QTest::addColumn<bool>("withInstruction");
    QTest::addColumn<bool>("elementOnly");
    QTest::newRow("document without declaration") << false << false;
    QTest::newRow("document with declaration") << true << false;
    QTest::newRow("element") << false << true;
}

void tst_FileHandler::savedDomReadsBackWithOneDeclaration()
{
    QFETCH(bool, withInstruction);
    QFETCH(bool, elementOnly);
    QDomDocument document;
    if (withInstruction) {
        document.appendChild(document.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    }
    QDomElement root = document.createElement(QStringLiteral("Manifest"));
    document.appendChild(root);
    QDomElement name = document.createElement(QStringLiteral("ScripterInstanceName"));
    name.appendChild(document.createTextNode(QStringLiteral("Grüße & <tags>")));
    root.appendChild(name);

    const QString file = path("manifest.xml");
    QVERIFY(writeFile(file, "previous"));
    QString error;
    QVERIFY2(FileHandler::saveDomElement(elementOnly ? QDomNode(root) : QDomNode(document), file, 0,
                                         &error),
             qPrintable(error));
    const QByteArray bytes = readFile(file);
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QCOMPARE(bytes.count("<?xml"), 1);

    QDomDocument reread;
    QVERIFY(reread.setContent(bytes));
    QCOMPARE(reread.documentElement().firstChildElement().text(), QStringLiteral("Grüße & <tags>"));
}

void tst_FileHandler::saveToAMissingFolderFailsWithoutAFile()
{
    QDomDocument document;
    document.appendChild(document.createElement(QStringLiteral("Root")));
    const QString file = path("missing/manifest.xml");
    QString error;
    QVERIFY(!FileHandler::saveDomElement(document, file, 4, &error));
    QVERIFY(error.contains(file));
    QVERIFY(!QFileInfo::exists(path("missing")));
    QVERIFY(!FileHandler::saveDomElement(QDomNode(), path("x.xml"), 4, &error));
    QVERIFY(!QFileInfo::exists(path("x.xml")));
}

void tst_FileHandler::fullDiskLeavesTheDestinationAsItWas_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("size");

    // clang-format off
    QTest::newRow("copy of a small file") << "copy" << 100;
    QTest::newRow("copy of a large file") << "copy" << 4 * 1024 * 1024;
    QTest::newRow("saved XML document") << "save" << 0;
    // clang-format on
}

void tst_FileHandler::fullDiskLeavesTheDestinationAsItWas()
{
    QFETCH(QString, operation);
    QFETCH(int, size);

    const QString disk = path("disk");
    FileSystemFaults::Faults faults;
    if (!faults.smallFileSystem(disk, 1024 * 1024)) {
        QSKIP(qPrintable(faults.reason()));
    }
    const QString destination = disk + QStringLiteral("/destination.xml");
    writeFile(destination, "previous content");
    QVERIFY(FileSystemFaults::fill(disk));

    QString error;
    if (operation == QLatin1String("copy")) {
        writeFile(path("source"), QByteArray(size, 'x'));
        QVERIFY(!FileHandler::copy(path("source"), destination, nullptr, &error));
    } else {
        QDomDocument document;
        document.appendChild(document.createElement(QStringLiteral("Root")));
        QVERIFY(!FileHandler::saveDomElement(document, destination, 4, &error));
    }
    QVERIFY2(error.contains(qt_error_string(ENOSPC)), qPrintable(error));
    QCOMPARE(readFile(destination), QByteArray("previous content"));
    QCOMPARE(TestFiles::entriesBelow(disk), QStringList({"destination.xml", "filler"}));
}

void tst_FileHandler::readsTextInItsEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("function jobArrived() { // äöü €\n}\n");
    QTest::newRow("UTF-8") << text.toUtf8();
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QTest::newRow("UTF-16 with byte-order mark") << QByteArray(utf16.encode(text));
}

void tst_FileHandler::readsTextInItsEncoding()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(writeFile(path("script.js"), bytes));
    QString text;
    QVERIFY(FileHandler::readFile(path("script.js"), text));
    QCOMPARE(text, QStringLiteral("function jobArrived() { // äöü €\n}\n"));
}

void tst_FileHandler::readRefusesFoldersAndMissingFiles()
{
    QString text = QStringLiteral("unchanged");
    QString error;
    QVERIFY(!FileHandler::readFile(m_dir->path(), text, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!FileHandler::readFile(path("missing.js"), text, &error));
    QVERIFY(error.contains(QStringLiteral("missing.js")));
    QCOMPARE(text, QStringLiteral("unchanged"));
}

void tst_FileHandler::findsTheFirstFileDepthFirst()
{
    QVERIFY(writeFile(path("apps/a/deep/tool.exe"), "a"));
    QVERIFY(writeFile(path("apps/tool.exe"), "top"));
    QVERIFY(writeFile(path("apps/z/tool.exe"), "z"));
    QDir().mkpath(path("apps/0loop"));
    QVERIFY(QFile::link(path("apps"), path("apps/0loop/back")));

    QCOMPARE(FileHandler::findFileDepthFirst(path("apps"), QStringLiteral("tool.exe")),
             QFileInfo(path("apps/a/deep/tool.exe")).absoluteFilePath());
    QCOMPARE(FileHandler::findFileDepthFirst(path("apps"), QStringLiteral("TOOL.EXE")), QString());
    QCOMPARE(FileHandler::findFileDepthFirst(path("missing"), QStringLiteral("tool.exe")),
             QString());
}

void tst_FileHandler::autoCleanerRemovesItsFolder()
{
    const QString folder = path("scratch");
    QVERIFY(writeFile(folder + QStringLiteral("/nested/file"), "x"));
    {
        const FileAutoCleaner cleaner(folder);
        QCOMPARE(cleaner.folder(), folder);
        QVERIFY(QFileInfo::exists(folder));
    }
    QVERIFY(!QFileInfo::exists(folder));
    {
        const FileAutoCleaner nothing{QString()};
    }
    QVERIFY(QFileInfo::exists(m_dir->path()));
}

TAVRIX_TEST_GUILESS_MAIN(tst_FileHandler)
#include "tst_filehandler.moc"
