// Reading the lines of FTP folder listings: the Unix long format with its two date forms and
// the MS-DOS format, names with spaces, links, and the entries that are never shown.

#include "common/testmain.h"

#include "ftp/ftplistingparser.h"

#include <QTest>

using TavrixCommon::FtpEntry;
using TavrixCommon::FtpListingParser;

class tst_FtpListingParser : public QObject
{
    Q_OBJECT

private slots:
    void readsALine_data();
    void readsALine();
    void skipsWhatIsNeverShown();
};

void tst_FtpListingParser::readsALine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("isEntry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QDateTime>("modified");

    // clang-format off
    QTest::newRow("unix file with a time: this year") << "-rw-r--r--   1 owner    group        2048 Mar 05 14:02 report.pdf" << true << "report.pdf" << false << qint64(2048) << QDateTime(QDate(2024, 3, 5), QTime(14, 2));
    QTest::newRow("unix time that would lie ahead: last year") << "-rw-r--r--   1 owner    group          10 Dec 24 09:15 old.txt" << true << "old.txt" << false << qint64(10) << QDateTime(QDate(2023, 12, 24), QTime(9, 15));
    QTest::newRow("unix folder with a year") << "drwxr-xr-x   3 owner    group        4096 Jan  7  2019 archive" << true << "archive" << true << qint64(4096) << QDateTime(QDate(2019, 1, 7), QTime(0, 0));
    QTest::newRow("unix name with spaces kept whole") << "-rw-r--r--   1 owner    group           0 May 01 10:00   two  spaces.txt" << true << "  two  spaces.txt" << false << qint64(0) << QDateTime(QDate(2024, 5, 1), QTime(10, 0));
    QTest::newRow("unix without a group column") << "-rw-r--r--   1 owner          77 May 01 10:00 short.txt" << true << "short.txt" << false << qint64(77) << QDateTime(QDate(2024, 5, 1), QTime(10, 0));
    QTest::newRow("unix link to a folder") << "lrwxrwxrwx   1 owner    group          12 May 01 10:00 current -> releases/7" << true << "current" << true << qint64(12) << QDateTime(QDate(2024, 5, 1), QTime(10, 0));
    QTest::newRow("non-ASCII name") << QString::fromUtf8("-rw-r--r--   1 o g 5 May 01 10:00 Übersicht ✓.pdf") << true << QString::fromUtf8("Übersicht ✓.pdf") << false << qint64(5) << QDateTime(QDate(2024, 5, 1), QTime(10, 0));
    QTest::newRow("dos folder") << "03-05-24  02:02PM       <DIR>          In Box" << true << "In Box" << true << qint64(0) << QDateTime(QDate(2024, 3, 5), QTime(14, 2));
    QTest::newRow("dos file") << "12-31-1999  11:59AM              1234 y2k.log" << true << "y2k.log" << false << qint64(1234) << QDateTime(QDate(1999, 12, 31), QTime(11, 59));
    QTest::newRow("the total line") << "total 12" << false << "" << false << qint64(0) << QDateTime();
    QTest::newRow("an empty line")  << ""         << false << "" << false << qint64(0) << QDateTime();
    // clang-format on
}

void tst_FtpListingParser::readsALine()
{
    QFETCH(QString, line);
    QFETCH(bool, isEntry);
    QFETCH(QString, name);
    QFETCH(bool, isFolder);
    QFETCH(qint64, size);
    QFETCH(QDateTime, modified);

    const QDateTime now(QDate(2024, 5, 20), QTime(12, 0));
    const std::optional<FtpEntry> entry = FtpListingParser::parseLine(line, now);
    QCOMPARE(entry.has_value(), isEntry);
    if (!entry) {
        return;
    }
    QCOMPARE(entry->name, name);
    QCOMPARE(entry->isFolder, isFolder);
    QCOMPARE(entry->size, size);
    QCOMPARE(entry->lastModified, modified);
}

void tst_FtpListingParser::skipsWhatIsNeverShown()
{
    const QByteArray reply = "total 3\r\n"
                             "drwxr-xr-x 2 o g 4096 May 01 10:00 .\r\n"
                             "drwxr-xr-x 2 o g 4096 May 01 10:00 ..\r\n"
                             "-rw-r--r-- 1 o g 10 May 01 10:00 ._report.pdf\r\n"
                             "-rw-r--r-- 1 o g 10 May 01 10:00 report.pdf\r\n"
                             "-rw-r--r-- 1 o g 10 May 01 10:00 .hidden\r\n";
    const QList<FtpEntry> entries =
        FtpListingParser::parse(reply, QDateTime(QDate(2024, 5, 20), QTime(12, 0)));
    QStringList names;
    for (const FtpEntry &entry : entries) {
        names.append(entry.name);
    }
    QCOMPARE(names, (QStringList{"report.pdf", ".hidden"}));
}

TAVRIX_TEST_MAIN(tst_FtpListingParser)
#include "tst_ftplistingparser.moc"
