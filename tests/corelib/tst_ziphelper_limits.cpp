// Archives that would fill the disk or the memory: extraction refuses them before it writes a
// byte, and a member whose data outgrows its header is stopped as it grows.

#include "common/testmain.h"

#include "common/hostilezip.h"
#include "ziptestsupport.h"

#include "corelib/archive/ziphelper.h"

#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ZipTest;
using HostileZip::Entry;

namespace {

const QByteArray megabyteOfZeros(1024 * 1024, '\0');

// A megabyte that compresses about a hundredfold, as text does at best.
QByteArray compressibleMegabyte()
{
    QByteArray data = megabyteOfZeros;
    QRandomGenerator random(4711);
    for (qsizetype i = 0; i < data.size(); i += 256) {
        data[i] = char(random.bounded(256));
    }
    return data;
}

// The hostile archive of a row, written to `path`.
bool writeHostile(const QString &kind, const QString &path)
{
    const Entry plain = HostileZip::stored("a.txt", "harmless");
    if (kind == QLatin1String("gigabyte")) {
        return HostileZip::write(
            path, {plain, HostileZip::deflatedRepeat("zeros.bin", megabyteOfZeros, 1024)});
    }
    if (kind == QLatin1String("large")) {
        return HostileZip::write(
            path, {plain, HostileZip::deflatedRepeat("large.bin", compressibleMegabyte(), 300)});
    }
    if (kind == QLatin1String("many")) {
        QList<Entry> entries;
        for (int i = 0; i <= 10000; ++i) {
            entries << HostileZip::stored(QByteArray::number(i), QByteArray());
        }
        return HostileZip::write(path, entries);
    }
    if (kind == QLatin1String("ratio")) {
        // Two bytes of deflate data that claim to inflate to 5000.
        Entry dense = HostileZip::deflatedRepeat("dense.bin", QByteArray(), 0);
        dense.size = 5000;
        return HostileZip::write(path, {plain, dense});
    }
    if (kind == QLatin1String("shared")) {
        const Entry kernel = HostileZip::deflatedRepeat("kernel", megabyteOfZeros, 16);
        return HostileZip::write(path, {kernel}, {{0, "one"}, {0, "two"}, {0, "three"}});
    }
    if (kind == QLatin1String("quoted")) {
        // The first entry's data runs on over the second entry's header.
        Entry first = HostileZip::stored("first", "1111");
        const Entry second = HostileZip::stored("second", "2222");
        first.compressedSize = first.data.size() + HostileZip::footprint(second);
        first.size = first.compressedSize;
        return HostileZip::write(path, {first, second});
    }
    // "liar": 16 MB of real data behind a header that declares 100 KB.
    Entry liar = HostileZip::deflatedRepeat("liar.bin", megabyteOfZeros, 16);
    liar.size = 100 * 1024;
    return HostileZip::write(path, {plain, liar});
}

} // namespace

class tst_ZipHelperLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void hostileArchivesAreRefusedWithoutWriting_data();
    void hostileArchivesAreRefusedWithoutWriting();
};

void tst_ZipHelperLimits::hostileArchivesAreRefusedWithoutWriting_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("member of 1 GB of zeros") << "gigabyte" << "entry 'zeros.bin' is compressed more than 1000 to 1";
    QTest::newRow("member of 300 MB") << "large" << "more than 256 MB";
    QTest::newRow("10 001 entries") << "many" << "10001 entries; at most 10000";
    QTest::newRow("compressed more than 1000 to 1") << "ratio" << "entry 'dense.bin' is compressed more than 1000 to 1";
    QTest::newRow("records sharing one entry's data") << "shared" << "share their data";
    QTest::newRow("entry's data over the next header") << "quoted" << "entries 'first' and 'second' share their data";
    QTest::newRow("data beyond the declared size") << "liar" << "entry 'liar.bin' holds more data than it declares";
    // clang-format on
}

void tst_ZipHelperLimits::hostileArchivesAreRefusedWithoutWriting()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("hostile.zip"));
    QVERIFY(writeHostile(kind, archive));
    QVERIFY2(QFileInfo(archive).size() < 20 * 1024 * 1024, "the archive itself is small");
    const QString target = dir.filePath(QStringLiteral("target"));
    QString error;
    QVERIFY(!ZipHelper::extractFiles(archive, target, false, QString(), false, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!QFileInfo::exists(target));
}

TAVRIX_TEST_GUILESS_MAIN(tst_ZipHelperLimits)
#include "tst_ziphelper_limits.moc"
