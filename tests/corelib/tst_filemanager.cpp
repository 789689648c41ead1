#include "common/testmain.h"

#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using SRCore::FileManager;

class tst_FileManager : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SRCore::IJT::setDir(QString()); }

    void prefixIsFoundAtTheStartOfTheName_data();
    void prefixIsFoundAtTheStartOfTheName();
    void prefixesAtTheLimits_data();
    void prefixesAtTheLimits();
    void prefixesDecodeAndSortLikeTheirCounters();
    void ticketIsFoundByPrefix_data();
    void ticketIsFoundByPrefix();
};

void tst_FileManager::prefixIsFoundAtTheStartOfTheName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("withoutPrefix");

    // clang-format off
    QTest::newRow("file name") << "_00001_job.pdf" << "_00001_" << "job.pdf";
    QTest::newRow("path") << "/tests/inFolder2/_0A0Z9_job.pdf" << "_0A0Z9_" << "job.pdf";
    QTest::newRow("folder path with a trailing slash") << "/tests/_00001_folder/" << "_00001_" << "folder";
    QTest::newRow("name that is only a prefix") << "_ZZZZZ_" << "_ZZZZZ_" << "";
    QTest::newRow("prefix followed by a prefix") << "_00001__00002_x" << "_00001_" << "_00002_x";
    QTest::newRow("lower-case digit is no prefix") << "_0000a_job" << "" << "_0000a_job";
    QTest::newRow("four digits are no prefix") << "_0001_job" << "" << "_0001_job";
    QTest::newRow("six digits are no prefix") << "_000001_job" << "" << "_000001_job";
    QTest::newRow("non-ASCII digit is no prefix") << QStringLiteral("_0000Ä_job") << "" << QStringLiteral("_0000Ä_job");
    QTest::newRow("prefix later in the name") << "job_00001_.pdf" << "" << "job_00001_.pdf";
    QTest::newRow("prefix only on the folder") << "/t/_00001_/job.pdf" << "" << "job.pdf";
    QTest::newRow("empty") << "" << "" << "";
    // clang-format on
}

void tst_FileManager::prefixIsFoundAtTheStartOfTheName()
{
    QFETCH(QString, fileName);
    QFETCH(QString, prefix);
    QFETCH(QString, withoutPrefix);

    QCOMPARE(FileManager::getPrefix(fileName), prefix);
    QCOMPARE(FileManager::fileNameWithoutPrefix(fileName), withoutPrefix);
}

void tst_FileManager::prefixesAtTheLimits_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("last five-digit counter") << 60466175 << "_ZZZZZ_";
    QTest::newRow("six digits needed") << 60466176 << "";
    QTest::newRow("largest int") << std::numeric_limits<int>::max() << "";
    QTest::newRow("negative") << -1 << "";
}

void tst_FileManager::prefixesAtTheLimits()
{
    QFETCH(int, counter);
    QFETCH(QString, prefix);

    QCOMPARE(FileManager::uniqueNamePrefix(counter), prefix);
}

void tst_FileManager::prefixesDecodeAndSortLikeTheirCounters()
{
    // Job folders list in arrival order only when the prefixes sort like their counters.
    QString previous;
    const auto check = [&previous](int counter) {
        const QString prefix = FileManager::uniqueNamePrefix(counter);
        QCOMPARE(FileManager::getPrefix(prefix + QStringLiteral("job")), prefix);
        bool ok = false;
        QCOMPARE(prefix.mid(1, 5).toInt(&ok, 36), counter);
        QVERIFY(ok);
        QVERIFY2(previous < prefix, qPrintable(previous + QLatin1Char(' ') + prefix));
        previous = prefix;
    };
    for (int counter = 0; counter < 50000; ++counter) {
        check(counter);
    }
    for (int counter = 50000; counter <= 60466175; counter += 7919) {
        check(counter);
    }
}

void tst_FileManager::ticketIsFoundByPrefix_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("found");

    QTest::newRow("saved ticket") << "_00001_" << true;
    QTest::newRow("job without a ticket") << "_00002_" << false;
    QTest::newRow("folder named like a ticket") << "_00003_" << false;
    QTest::newRow("file name instead of a prefix") << "_00001_job.pdf" << false;
    QTest::newRow("path instead of a prefix") << "../tickets/_00001_" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_FileManager::ticketIsFoundByPrefix()
{
    QFETCH(QString, prefix);
    QFETCH(bool, found);

    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("tickets"));
    QVERIFY(QDir().mkpath(folder + QLatin1Char('/') + FileManager::ticketFileName("_00003_")));
    QCOMPARE(FileManager::getFileIJTByPrefix(QStringLiteral("_00001_")), QString());

    SRCore::IJT::setDir(folder);
    std::unique_ptr<SRCore::IJT> ticket = SRCore::IJT::createEmptyIJT();
    ticket->setFamilyID(QStringLiteral("_00001_"));
    QVERIFY(ticket->save());

    const QString path = FileManager::getFileIJTByPrefix(prefix);
    QCOMPARE(path,
             found ? folder + QLatin1Char('/') + FileManager::ticketFileName(prefix) : QString());
    if (found) {
        QVERIFY(SRCore::IJT::load(path));
    }
    SRCore::IJT::setDir(QString());
    QCOMPARE(FileManager::getFileIJTByPrefix(prefix), QString());
}

TAVRIX_TEST_GUILESS_MAIN(tst_FileManager)
#include "tst_filemanager.moc"
