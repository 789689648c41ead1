#include "common/testmain.h"

#include "corelib/archive/ziplibrary.h"

#include <QTest>

using SRCore::ZipLibrary;

class tst_ZipLibrary : public QObject
{
    Q_OBJECT

private slots:
    void unusableLibraryIsReported_data();
    void unusableLibraryIsReported();
    void systemLibraryAnswersAsLibzip();
};

void tst_ZipLibrary::unusableLibraryIsReported_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("no such library")       << "tavrix-no-such-zip" << 4 << "tavrix-no-such-zip";
    QTest::newRow("a library, not libzip") << "z"                  << 1 << "zip_close";
    // clang-format on
}

void tst_ZipLibrary::unusableLibraryIsReported()
{
    QFETCH(QString, library);
    QFETCH(int, version);
    QFETCH(QString, reason);

    const ZipLibrary zip(library, version);
    QVERIFY(!zip.isLoaded());
    QVERIFY2(zip.errorString().contains(reason), qPrintable(zip.errorString()));
}

void tst_ZipLibrary::systemLibraryAnswersAsLibzip()
{
    const ZipLibrary &zip = ZipLibrary::shared();
    QVERIFY2(zip.isLoaded(), qPrintable(zip.errorString()));
    // Each name must reach its own function: a mix-up would answer differently.
    QVERIFY(zip.encryption_method_supported(ZIP_EM_TRAD_PKWARE, 1));
    QVERIFY(!zip.compression_method_supported(-42, 0));
    zip_error_t error;
    zip.error_init(&error);
    QCOMPARE(zip.error_code_zip(&error), int(ZIP_ER_OK));
    QCOMPARE(QString::fromLocal8Bit(zip.error_strerror(&error)), QStringLiteral("No error"));
    zip.error_fini(&error);
}

TAVRIX_TEST_GUILESS_MAIN(tst_ZipLibrary)
#include "tst_ziplibrary.moc"
