// The ".tfixture" archive on its own: what it holds, reading it back, and everything that can be
// wrong with an archive handed to the reader.

#include "common/testmain.h"

#include "common/filesystemfaults.h"
#include "fixturetestsupport.h"

#include "testing/fixturearchive.h"

#include "corelib/archive/ziphelper.h"
#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QTest>

#include <cerrno>

using namespace FixtureTest;

namespace {

std::unique_ptr<SRCore::Flow> sampleFlow()
{
    auto flow = SRCore::Flow::createEmptyFlow(QStringLiteral("1"));
    SRCore::FlowObject header = flow->getHeader();
    header.createField(SRCore::XMLKey::TYPE).setValue(QStringLiteral("Flow"));
    header.createField(SRCore::XMLKey::NAME).setValue(QStringLiteral("Invoices"));

    SRCore::FlowObject job = SRCore::FlowObject::create();
    job.setProperty(SRCore::XMLKey::CLASS, QStringLiteral("IncommingJobs"));
    job.setProperty(SRCore::XMLKey::ID_, QStringLiteral("2"));
    job.createField(SRCore::XMLKey::TYPE).setValue(QStringLiteral("IncommingJobs"));
    SRCore::FlowObjectField path = job.createField(SRCore::XMLKey::FILEORFOLDER);
    path.setValue(QStringLiteral("/data/jobs/Rechnung «März» <1> & 2.pdf"));
    path.setProperty(SRCore::XMLKey::EDITOR, QStringLiteral("choosefile;choosefolder"));
    path.setProperty(SRCore::XMLKey::SUBTYPE, QStringLiteral("choosefolder"));
    job.createField(SRCore::XMLKey::EMAILBODYTEXT)
        .setValue(QStringLiteral("  line one\r\nline two\t "));
    flow->createFlowObject(job);
    return flow;
}

} // namespace

class tst_FixtureArchive : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<TestFolder>(); }

    void roundTripKeepsDocumentAndManifest();
    void failedWriteKeepsThePreviousArchive_data();
    void failedWriteKeepsThePreviousArchive();
    void badArchiveIsRefusedWithReason_data();
    void badArchiveIsRefusedWithReason();

private:
    QString path(const QString &name) const { return m_folder->path(name); }

    std::unique_ptr<TestFolder> m_folder;
};

void tst_FixtureArchive::roundTripKeepsDocumentAndManifest()
{
    const auto flow = sampleFlow();
    const QString archive = path(QStringLiteral("invoice.router.tfixture"));
    // An older file in the way is replaced; the writer need not read it.
    QVERIFY(writeFile(archive, "an older fixture"));
    QString error;
    QVERIFY2(
        Scripter::FixtureArchive::write(archive, QStringLiteral("Invoice Router"), *flow, &error),
        qPrintable(error));
    QVERIFY(entriesBelow(m_folder->tempRoot).isEmpty());
    // The document first, then the manifest; the complete base name keeps a dotted name's dots.
    QCOMPARE(PythonZip::names(archive), QStringList({"invoice.router.xml", "manifest.xml"}));

    Scripter::FixtureArchive::Content content;
    RecordingLog log;
    QVERIFY2(Scripter::FixtureArchive::read(archive, content, &log, &error), qPrintable(error));
    QVERIFY(log.records().isEmpty());
    QVERIFY(entriesBelow(m_folder->tempRoot).isEmpty());
    QCOMPARE(content.instanceName, QStringLiteral("Invoice Router"));
    QCOMPARE(content.formatVersion, QStringLiteral("1.0"));
    QCOMPARE(content.fixtureFileName, QStringLiteral("invoice.router.xml"));
    QCOMPARE(content.flow->toXml(), flow->toXml());
    const SRCore::FlowObject job = content.flow->getFlowObject(QStringLiteral("2"));
    QCOMPARE(job.getField(SRCore::XMLKey::EMAILBODYTEXT).getValue(),
             QStringLiteral("  line one\r\nline two\t "));
    QCOMPARE(job.getField(SRCore::XMLKey::FILEORFOLDER).getSubType(),
             QStringLiteral("choosefolder"));

    // The manifest on its own, as any other reader of the archive sees it.
    const QString unpacked = path(QStringLiteral("unpacked"));
    QVERIFY(ZipHelper::extractFiles(archive, unpacked, false, QString(), false));
    SRCore::ScriptPackageManifest manifest;
    QVERIFY(manifest.loadFromFile(unpacked + QStringLiteral("/manifest.xml")));
    QCOMPARE(manifest.fieldKeys(), QStringList({SRCore::XMLKey::SCRIPTERINSTANCENAME,
                                                SRCore::XMLKey::SCRIPTFIXTUREFORMATVERSION,
                                                SRCore::XMLKey::SCRIPTFIXTUREFILE}));
}

void tst_FixtureArchive::failedWriteKeepsThePreviousArchive_data()
{
    QTest::addColumn<QString>("archiveName");
    QTest::addColumn<QString>("instanceName");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("no temporary folder can be made") << "router.tfixture" << "Router" << "temp folder" << "";
    QTest::newRow("instance name XML cannot store") << "router.tfixture" << "Rou\x01ter" << "" << "";
    QTest::newRow("document named like the manifest") << "Manifest.tfixture" << "Router" << "" << "";
    QTest::newRow("full disk") << "disk/router.tfixture" << "Router" << "full disk" << qt_error_string(ENOSPC);
    // clang-format on
}

void tst_FixtureArchive::failedWriteKeepsThePreviousArchive()
{
    QFETCH(QString, archiveName);
    QFETCH(QString, instanceName);
    QFETCH(QString, fault);
    QFETCH(QString, cause);
    const QString archive = path(archiveName);
    FileSystemFaults::Faults faults;
    if (fault == QLatin1String("full disk")
        && !faults.smallFileSystem(path(QStringLiteral("disk")), 1024 * 1024)) {
        QSKIP(qPrintable(faults.reason()));
    }
    // Not an archive: the writer must not even read what it replaces.
    QVERIFY(writeFile(archive, "the previous fixture"));
    const QByteArray before = readFile(archive);
    if (fault == QLatin1String("temp folder")) {
        const QString blocked = path(QStringLiteral("blocked"));
        QVERIFY(writeFile(blocked, "a file where the temporary folder should be"));
        SRCore::FileHandler::setTempFolder(blocked);
    } else if (fault == QLatin1String("full disk")) {
        QVERIFY(FileSystemFaults::fill(path(QStringLiteral("disk"))));
    }

    QString error;
    QVERIFY(!Scripter::FixtureArchive::write(archive, instanceName, *sampleFlow(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(cause), qPrintable(error));
    QCOMPARE(readFile(archive), before);
    QVERIFY(entriesBelow(m_folder->tempRoot).isEmpty());
}

void tst_FixtureArchive::badArchiveIsRefusedWithReason_data()
{
    const QByteArray manifest = "<Manifest><ScripterInstanceName>R</ScripterInstanceName>"
                                "<ScriptFixtureFormatVersion>1.0</ScriptFixtureFormatVersion>"
                                "<ScriptFixtureFile>router.xml</ScriptFixtureFile></Manifest>";
    const QByteArray document = sampleFlow()->toXml().toUtf8();
    using Entries = QList<PythonZip::Entry>;

    // The file handed to the reader: the archive of `entries`, cut to `keepBytes` when that is
    // not negative; or `rawFile` when there are no entries; or nothing at all.
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<int>("keepBytes");
    QTest::addColumn<QByteArray>("rawFile");
    QTest::addColumn<QString>("expectedFixtureName");
    QTest::addColumn<QStringList>("expectedLog");

    const QString manifestError =
        QStringLiteral("3|Parse error in manifest from package '%11': line %12, column %13, "
                       "message '%14'|@ARCHIVE@");
    const QString fixtureError =
        QStringLiteral("3|Parse error in fixture from package '%11': line %12, column %13, "
                       "message '%14'|@ARCHIVE@");

    const Entries good{{QStringLiteral("manifest.xml"), manifest},
                       {QStringLiteral("router.xml"), document}};
    // clang-format off
    QTest::newRow("missing archive") << Entries() << -1 << QByteArray() << QString() << QStringList();
    QTest::newRow("not a zip") << Entries() << -1 << QByteArray("<Flow/>") << QString() << QStringList();
    QTest::newRow("empty file") << Entries() << -1 << QByteArray("") << QString() << QStringList();
    QTest::newRow("truncated archive") << good << 200 << QByteArray() << QString() << QStringList();
    QTest::newRow("no manifest") << Entries{{QStringLiteral("router.xml"), document}} << -1 << QByteArray() << QString() << QStringList{manifestError + ",0,0,*"};
    QTest::newRow("manifest cut short") << Entries{{QStringLiteral("manifest.xml"), manifest.left(60)}, {QStringLiteral("router.xml"), document}} << -1 << QByteArray() << QString() << QStringList{manifestError + ",1,*"};
    QTest::newRow("manifest names no document") << Entries{{QStringLiteral("manifest.xml"), "<Manifest><ScripterInstanceName>R</ScripterInstanceName></Manifest>"}, {QStringLiteral("router.xml"), document}} << -1 << QByteArray() << QString() << QStringList();
    QTest::newRow("manifest names a missing document") << Entries{{QStringLiteral("manifest.xml"), manifest}} << -1 << QByteArray() << QStringLiteral("router.xml") << QStringList();
    QTest::newRow("manifest names a document outside the archive") << Entries{{QStringLiteral("manifest.xml"), QByteArray(manifest).replace("router.xml", "../router.xml")}, {QStringLiteral("router.xml"), document}} << -1 << QByteArray() << QStringLiteral("../router.xml") << QStringList();
    QTest::newRow("document cut short") << Entries{{QStringLiteral("manifest.xml"), manifest}, {QStringLiteral("router.xml"), document.left(120)}} << -1 << QByteArray() << QStringLiteral("router.xml") << QStringList{fixtureError + ",*"};
    QTest::newRow("entry escaping the folder") << Entries{{QStringLiteral("manifest.xml"), manifest}, {QStringLiteral("../escaped.xml"), document}} << -1 << QByteArray() << QString() << QStringList();
    QTest::newRow("document is no flow") << Entries{{QStringLiteral("manifest.xml"), manifest}, {QStringLiteral("router.xml"), "<Declaration/>"}} << -1 << QByteArray() << QStringLiteral("router.xml") << QStringList{fixtureError + ",1,*"};
    // clang-format on
}

void tst_FixtureArchive::badArchiveIsRefusedWithReason()
{
    using Entries = QList<PythonZip::Entry>;
    QFETCH(Entries, entries);
    QFETCH(int, keepBytes);
    QFETCH(QByteArray, rawFile);
    QFETCH(QString, expectedFixtureName);
    QFETCH(QStringList, expectedLog);

    const QString archive = path(QStringLiteral("router.tfixture"));
    if (!entries.isEmpty()) {
        QVERIFY(PythonZip::write(archive, entries));
        if (keepBytes >= 0) {
            QVERIFY(QFile::resize(archive, keepBytes));
        }
    } else if (!rawFile.isNull()) {
        QVERIFY(writeFile(archive, rawFile));
    }

    Scripter::FixtureArchive::Content content;
    content.instanceName = QStringLiteral("left over from an earlier read");
    RecordingLog log;
    QString error;
    QVERIFY(!Scripter::FixtureArchive::read(archive, content, &log, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!content.flow);
    QCOMPARE(content.fixtureFileName, expectedFixtureName);
    QVERIFY(content.instanceName != QStringLiteral("left over from an earlier read"));
    QVERIFY(entriesBelow(m_folder->tempRoot).isEmpty());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("escaped.xml"))));

    // The position and the reason vary with the parser; the path, and the line where it is
    // fixed, do not. "*" stands for the rest of the argument.
    const QStringList lines = log.entries();
    QCOMPARE(lines.size(), expectedLog.size());
    for (int i = 0; i < lines.size(); ++i) {
        QString expected = expectedLog.at(i);
        expected.replace(QStringLiteral("@ARCHIVE@"), archive);
        const QString prefix = expected.left(expected.indexOf(QLatin1Char('*')));
        QVERIFY2(
            lines.at(i).startsWith(prefix),
            qPrintable(QStringLiteral("%1\ndoes not start with\n%2").arg(lines.at(i), prefix)));
        QVERIFY2(lines.at(i).size() > prefix.size(), "the parser's reason is missing");
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_FixtureArchive)
#include "tst_fixturearchive.moc"
