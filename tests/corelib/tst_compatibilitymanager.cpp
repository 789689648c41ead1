#include "common/testmain.h"

#include "common/testfiles.h"

#include "corelib/env/compatibilitymanager.h"
#include "corelib/env/envmanager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using SRCore::CompatibilityManager;

using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

const QString kLayoutFile = QStringLiteral("DataLayout.xml");

// The layout version recorded in `folder`, read independently of the code under test.
QString recordedLayout(const QString &folder)
{
    QXmlStreamReader reader(readFile(folder + QLatin1Char('/') + kLayoutFile));
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("DataLayout")) {
        return QString();
    }
    return reader.attributes().value(QLatin1String("FormatVersion")).toString();
}

} // namespace

class tst_CompatibilityManager : public QObject
{
    Q_OBJECT

private slots:
    void missingFolderIsCreatedAndRecorded();
    void recordedFolderIsLeftAsItIs();
    void folderWithoutRecordGetsOne();
    void unusableLayoutIsRefused_data();
    void unusableLayoutIsRefused();
    void unusableFolderIsRefused_data();
    void unusableFolderIsRefused();
    void instanceChecksTheApplicationDataFolder();
};

void tst_CompatibilityManager::missingFolderIsCreatedAndRecorded()
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Tavrix/TavrixScripter"));
    CompatibilityManager manager(folder);
    QString error;
    QVERIFY2(manager.ensureScripterCompatibility(&error), qPrintable(error));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(recordedLayout(folder), QString::number(CompatibilityManager::kLayoutVersion));
    // The writability probe leaves nothing behind.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{kLayoutFile});
}

void tst_CompatibilityManager::recordedFolderIsLeftAsItIs()
{
    QTemporaryDir folder;
    const QByteArray layout = "<?xml version=\"1.0\"?>\n<!-- kept -->\n"
                              "<DataLayout FormatVersion=\"1\"/>\n";
    QVERIFY(writeFile(folder.filePath(kLayoutFile), layout));
    QString error;
    QVERIFY2(CompatibilityManager(folder.path()).ensureScripterCompatibility(&error),
             qPrintable(error));
    QCOMPARE(readFile(folder.filePath(kLayoutFile)), layout);
}

void tst_CompatibilityManager::folderWithoutRecordGetsOne()
{
    // A folder of a version that recorded no layout keeps its contents and gets the record.
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("settings.ini")), "kept"));
    QVERIFY(CompatibilityManager(folder.path()).ensureScripterCompatibility());
    QCOMPARE(recordedLayout(folder.path()), QString::number(CompatibilityManager::kLayoutVersion));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("settings.ini"))), QByteArray("kept"));
}

void tst_CompatibilityManager::unusableLayoutIsRefused_data()
{
    QTest::addColumn<QByteArray>("layout");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("newer layout") << QByteArray( "<DataLayout FormatVersion=\"7\"><Future/></DataLayout>") << "laid out by a newer version of the program (layout 7";
    QTest::newRow("malformed layout file") << QByteArray("<DataLayout FormatVersion=\"1\">") << "Premature end of document";
    QTest::newRow("element unknown to layout 1") << QByteArray("<DataLayout FormatVersion=\"1\"><Future/></DataLayout>") << "Unexpected element <Future>";
    // clang-format on
}

void tst_CompatibilityManager::unusableLayoutIsRefused()
{
    QFETCH(QByteArray, layout);
    QFETCH(QString, cause);

    QTemporaryDir folder;
    const QString path = folder.filePath(kLayoutFile);
    QVERIFY(writeFile(path, layout));
    QString error;
    QVERIFY(!CompatibilityManager(folder.path()).ensureScripterCompatibility(&error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(folder.path())), qPrintable(error));
    QCOMPARE(readFile(path), layout);
}

void tst_CompatibilityManager::unusableFolderIsRefused_data()
{
    QTest::addColumn<QString>("folder"); // in a temporary folder holding "file"
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("data folder is a file") << "file" << "is a file, not a folder";
    QTest::newRow("data folder below a file") << "file/TavrixScripter" << "Can't create";
    // Permissions do not stop the super-user: a folder that nobody may write into.
    QTest::newRow("read-only data folder") << "/proc" << "is not writable";
    // clang-format on
}

void tst_CompatibilityManager::unusableFolderIsRefused()
{
    QFETCH(QString, folder);
    QFETCH(QString, cause);

    QTemporaryDir root;
    QVERIFY(writeFile(root.filePath(QStringLiteral("file")), "kept"));
    QString error;
    QVERIFY(!CompatibilityManager(QDir(root.path()).filePath(folder))
                 .ensureScripterCompatibility(&error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    QCOMPARE(readFile(root.filePath(QStringLiteral("file"))), QByteArray("kept"));
}

void tst_CompatibilityManager::instanceChecksTheApplicationDataFolder()
{
    QTemporaryDir programFolder;
    QByteArray program = QFile::encodeName(programFolder.filePath(QStringLiteral("scripter")));
    char *argv[] = {program.data(), nullptr};
    QVERIFY(SRCore::EnvManager::initialize(QStringLiteral("ScripterCustomization.xml"),
                                           QStringLiteral("CompatibilityTest"),
                                           QStringLiteral("TAVRIXscripter"), argv));
    CompatibilityManager::initialise();
    CompatibilityManager *instance = CompatibilityManager::getInstance();
    QVERIFY(instance);
    QCOMPARE(instance->dataFolder(), SRCore::EnvManager::applicationDataPath());
    CompatibilityManager::initialise();
    QCOMPARE(CompatibilityManager::getInstance(), instance);
}

TAVRIX_TEST_GUILESS_MAIN(tst_CompatibilityManager)
#include "tst_compatibilitymanager.moc"
