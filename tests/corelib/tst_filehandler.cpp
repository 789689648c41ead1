#include "common/testmain.h"

#include "corelib/files/fileautocleaner.h"
#include "corelib/files/filehandler.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <QTemporaryDir>
#include <QTest>

using namespace SRCore;

namespace {

class RecordingLog : public ILogInterface
{
public:
    void log(const LogRecord &record, int) override { records.append(record); }
    QList<LogRecord> records;
};

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Relative paths of everything below `folder`, sorted, folders marked with a trailing "/".
QStringList listTree(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QDir(folder).relativeFilePath(info.filePath())
                       + (info.isDir() && !info.isSymLink() ? QStringLiteral("/") : QString());
    }
    entries.sort();
    return entries;
}

} // namespace

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
    void failedTreeCopyIsUndone();
    void removesFilesFoldersAndLinks();
    void cleanupKeepsWhatThePatternDoesNotMatch_data();
    void cleanupKeepsWhatThePatternDoesNotMatch();
    void cleanupRefusesBadInputWithoutRemovingAnything();
    void temporaryFoldersAndPathsAreFreshAndUnique();
    void savedDomReadsBackWithOneDeclaration_data();
    void savedDomReadsBackWithOneDeclaration();
    void saveToAMissingFolderFailsWithoutAFile();
    void readsTextInItsEncoding_data();
    void readsTextInItsEncoding();
    void readRefusesFoldersAndMissingFiles();
    void findsTheFirstFileDepthFirst();
    void autoCleanerRemovesItsFolder();
    void problemFolderIsSharedUnderTheMutex();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &relative) const { return m_dir->filePath(relative); }
};

void tst_FileHandler::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    FileHandler::setTempFolder(path(QStringLiteral("temp")));
}

void tst_FileHandler::copiesAFileReplacingTheDestination()
{
    writeFile(path(QStringLiteral("a.txt")), "new content");
    writeFile(path(QStringLiteral("b.txt")), "old content that is longer");
    QFile::setPermissions(path(QStringLiteral("a.txt")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(FileHandler::copy(path(QStringLiteral("a.txt")), path(QStringLiteral("b.txt"))));
    QCOMPARE(readBytes(path(QStringLiteral("b.txt"))), QByteArray("new content"));
    QVERIFY(QFileInfo(path(QStringLiteral("b.txt"))).isExecutable());
    QCOMPARE(readBytes(path(QStringLiteral("a.txt"))), QByteArray("new content"));
}

void tst_FileHandler::copiesAWholeTreeWithHiddenEntriesAndLinks()
{
    writeFile(path(QStringLiteral("job/page1.pdf")), QByteArray(300000, 'x'));
    writeFile(path(QStringLiteral("job/.hidden")), "h");
    writeFile(path(QStringLiteral("job/sub/deeper/file.txt")), "deep");
    QDir().mkpath(path(QStringLiteral("job/empty")));
    QVERIFY(QFile::link(QStringLiteral("page1.pdf"), path(QStringLiteral("job/link.pdf"))));

    QString error;
    QVERIFY2(FileHandler::copy(path(QStringLiteral("job")), path(QStringLiteral("copy/of/job")),
                               nullptr, &error),
             qPrintable(error));
    QCOMPARE(listTree(path(QStringLiteral("copy/of/job"))), listTree(path(QStringLiteral("job"))));
    QCOMPARE(readBytes(path(QStringLiteral("copy/of/job/sub/deeper/file.txt"))),
             QByteArray("deep"));
    const QFileInfo link(path(QStringLiteral("copy/of/job/link.pdf")));
    QVERIFY(link.isSymLink());
    QCOMPARE(link.symLinkTarget(),
             QFileInfo(path(QStringLiteral("copy/of/job/page1.pdf"))).absoluteFilePath());
}

void tst_FileHandler::mergesIntoAnExistingFolder()
{
    writeFile(path(QStringLiteral("src/a.txt")), "A");
    writeFile(path(QStringLiteral("dst/a.txt")), "old A");
    writeFile(path(QStringLiteral("dst/keep.txt")), "K");
    QVERIFY(FileHandler::copy(path(QStringLiteral("src")), path(QStringLiteral("dst"))));
    QCOMPARE(readBytes(path(QStringLiteral("dst/a.txt"))), QByteArray("A"));
    QCOMPARE(readBytes(path(QStringLiteral("dst/keep.txt"))), QByteArray("K"));
}

void tst_FileHandler::refusedCopiesLeaveNothingBehindAndTellTheLog_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::newRow("missing source") << "missing"
                                    << "out";
    QTest::newRow("folder into itself") << "tree"
                                        << "tree/inside/copy";
    QTest::newRow("folder onto itself") << "tree"
                                        << "tree";
    QTest::newRow("file over a folder") << "tree/file.txt"
                                        << "folder";
    QTest::newRow("folder over a file") << "tree"
                                        << "plain.txt";
}

void tst_FileHandler::refusedCopiesLeaveNothingBehindAndTellTheLog()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    writeFile(path(QStringLiteral("tree/file.txt")), "t");
    writeFile(path(QStringLiteral("plain.txt")), "p");
    QDir().mkpath(path(QStringLiteral("folder")));
    const QStringList before = listTree(m_dir->path());

    RecordingLog log;
    QString error;
    QVERIFY(!FileHandler::copy(path(source), path(destination), &log, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(log.records.size(), 1);
    QCOMPARE(log.records.first().level, LogLevel::Error);
    QCOMPARE(log.records.first().argument, error);
    QCOMPARE(listTree(m_dir->path()), before);
    QCOMPARE(readBytes(path(QStringLiteral("plain.txt"))), QByteArray("p"));
}

void tst_FileHandler::failedTreeCopyIsUndone()
{
    // "b" is a folder in the source but a file in the destination: the copy fails after "a"
    // and its contents were already copied.
    writeFile(path(QStringLiteral("src/a/one.txt")), "1");
    writeFile(path(QStringLiteral("src/b/two.txt")), "2");
    writeFile(path(QStringLiteral("dst/b")), "in the way");
    writeFile(path(QStringLiteral("dst/own.txt")), "mine");
    const QStringList before = listTree(path(QStringLiteral("dst")));

    QString error;
    QVERIFY(!FileHandler::copy(path(QStringLiteral("src")), path(QStringLiteral("dst")), nullptr,
                               &error));
    QVERIFY(error.contains(QStringLiteral("two")) || error.contains(QStringLiteral("/b")));
    QCOMPARE(listTree(path(QStringLiteral("dst"))), before);
    QCOMPARE(readBytes(path(QStringLiteral("dst/own.txt"))), QByteArray("mine"));
}

void tst_FileHandler::removesFilesFoldersAndLinks()
{
    writeFile(path(QStringLiteral("tree/sub/file.txt")), "x");
    writeFile(path(QStringLiteral("target.txt")), "t");
    QVERIFY(QFile::link(path(QStringLiteral("target.txt")), path(QStringLiteral("link"))));

    QString error;
    QVERIFY(!FileHandler::remove(path(QStringLiteral("tree")), false, &error));
    QVERIFY(QFileInfo::exists(path(QStringLiteral("tree/sub/file.txt"))));
    QVERIFY(!FileHandler::removeFile(path(QStringLiteral("tree")), &error));
    QVERIFY(error.contains(QStringLiteral("folder")));

    QVERIFY(FileHandler::remove(path(QStringLiteral("tree")), true));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("tree"))));
    QVERIFY(FileHandler::removeFile(path(QStringLiteral("link"))));
    QVERIFY(!QFileInfo(path(QStringLiteral("link"))).isSymLink());
    QVERIFY(QFileInfo::exists(path(QStringLiteral("target.txt"))));
    QVERIFY(FileHandler::remove(path(QStringLiteral("never-there"))));
    QVERIFY(FileHandler::removeFile(path(QStringLiteral("never-there"))));
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
    const QString folder = path(QStringLiteral("package"));
    writeFile(folder + QStringLiteral("/pkg.js"), "js");
    writeFile(folder + QStringLiteral("/pkg.xml"), "xml");
    writeFile(folder + QStringLiteral("/.hidden"), "h");
    writeFile(folder + QStringLiteral("/sub/x.js"), "x");
    writeFile(folder + QStringLiteral("/.svn/entries"), "svn");
    QDir().mkpath(folder + QStringLiteral("/_svn"));

    QString error;
    QVERIFY2(FileHandler::cleanupFolder(folder, pattern, &error), qPrintable(error));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(listTree(folder), kept);
}

void tst_FileHandler::cleanupRefusesBadInputWithoutRemovingAnything()
{
    writeFile(path(QStringLiteral("folder/a.txt")), "a");
    QString error;
    QVERIFY(!FileHandler::cleanupFolder(path(QStringLiteral("folder")), QStringLiteral("[unclosed"),
                                        &error));
    QVERIFY(error.contains(QStringLiteral("[unclosed")));
    QVERIFY(QFileInfo::exists(path(QStringLiteral("folder/a.txt"))));

    QVERIFY(!FileHandler::cleanupFolder(path(QStringLiteral("folder/a.txt")), QString(), &error));
    QVERIFY(!FileHandler::cleanupFolder(path(QStringLiteral("missing")), QString(), &error));
    QVERIFY(QFileInfo::exists(path(QStringLiteral("folder/a.txt"))));
}

void tst_FileHandler::temporaryFoldersAndPathsAreFreshAndUnique()
{
    const QString package = path(QStringLiteral("My Package.tscript"));
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

    FileHandler::setTempFolder(path(QStringLiteral("plain.txt")));
    writeFile(path(QStringLiteral("plain.txt")), "not a folder");
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

    const QString file = path(QStringLiteral("manifest.xml"));
    writeFile(file, "previous");
    QString error;
    QVERIFY2(FileHandler::saveDomElement(elementOnly ? QDomNode(root) : QDomNode(document), file, 0,
                                         &error),
             qPrintable(error));
    const QByteArray bytes = readBytes(file);
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
    const QString file = path(QStringLiteral("missing/manifest.xml"));
    QString error;
    QVERIFY(!FileHandler::saveDomElement(document, file, 4, &error));
    QVERIFY(error.contains(file));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("missing"))));
    QVERIFY(!FileHandler::saveDomElement(QDomNode(), path(QStringLiteral("x.xml")), 4, &error));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.xml"))));
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
    writeFile(path(QStringLiteral("script.js")), bytes);
    QString text;
    QVERIFY(FileHandler::readFile(path(QStringLiteral("script.js")), text));
    QCOMPARE(text, QStringLiteral("function jobArrived() { // äöü €\n}\n"));
}

void tst_FileHandler::readRefusesFoldersAndMissingFiles()
{
    QString text = QStringLiteral("unchanged");
    QString error;
    QVERIFY(!FileHandler::readFile(m_dir->path(), text, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!FileHandler::readFile(path(QStringLiteral("missing.js")), text, &error));
    QVERIFY(error.contains(QStringLiteral("missing.js")));
    QCOMPARE(text, QStringLiteral("unchanged"));
}

void tst_FileHandler::findsTheFirstFileDepthFirst()
{
    writeFile(path(QStringLiteral("apps/a/deep/tool.exe")), "a");
    writeFile(path(QStringLiteral("apps/tool.exe")), "top");
    writeFile(path(QStringLiteral("apps/z/tool.exe")), "z");
    QDir().mkpath(path(QStringLiteral("apps/0loop")));
    QVERIFY(QFile::link(path(QStringLiteral("apps")), path(QStringLiteral("apps/0loop/back"))));

    QCOMPARE(
        FileHandler::findFileDepthFirst(path(QStringLiteral("apps")), QStringLiteral("tool.exe")),
        QFileInfo(path(QStringLiteral("apps/a/deep/tool.exe"))).absoluteFilePath());
    QCOMPARE(
        FileHandler::findFileDepthFirst(path(QStringLiteral("apps")), QStringLiteral("TOOL.EXE")),
        QString());
    QCOMPARE(FileHandler::findFileDepthFirst(path(QStringLiteral("missing")),
                                             QStringLiteral("tool.exe")),
             QString());
}

void tst_FileHandler::autoCleanerRemovesItsFolder()
{
    const QString folder = path(QStringLiteral("scratch"));
    writeFile(folder + QStringLiteral("/nested/file"), "x");
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

void tst_FileHandler::problemFolderIsSharedUnderTheMutex()
{
    {
        QMutexLocker locker(&FileHandler::mMutex);
        FileHandler::m_sProblemFolder = path(QStringLiteral("ProblemFiles"));
    }
    QCOMPARE(FileHandler::problemFolder(), path(QStringLiteral("ProblemFiles")));
}

TAVRIX_TEST_GUILESS_MAIN(tst_FileHandler)
#include "tst_filehandler.moc"
