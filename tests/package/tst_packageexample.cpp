// The example package in examples/InvoiceRouter, opened as a user would open it: what the
// window shows, and that saving it changes nothing, so that the example stays exactly what the
// package processor writes. (That its programs run alike: tst_testflow.)

#include "common/testmain.h"

#include "packagetestsupport.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"

#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

using namespace PackageTest;
using Scripter::DeclarationItem;

class tst_PackageExample : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_harness.tearDown(); }

    void opensWithItsDeclarationProgramAndFixture();
    void savingItBackChangesNoMember();

private:
    Harness m_harness;
    QString m_folder;
    QString m_marker;
};

void tst_PackageExample::init()
{
    m_harness.setUp();
    // A copy, so that the checked-in example is never written.
    const QString copy = m_harness.path(QStringLiteral("InvoiceRouter"));
    QVERIFY(SRCore::FileHandler::copy(QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter"), copy));
    m_folder = copy + QStringLiteral("/InvoiceRouter");
    m_marker = m_folder + QStringLiteral("/InvoiceRouter.tscript");
}

void tst_PackageExample::opensWithItsDeclarationProgramAndFixture()
{
    FakePackageWindow *window = m_harness.newWindow();
    DialogAnswerer noQuestions;
    QVERIFY(m_harness.processor->open(m_marker));
    QCOMPARE(noQuestions.seen, QStringList());
    QVERIFY(window->isAlternatePath());
    QCOMPARE(window->shownPath(), m_marker);
    QCOMPARE(window->log.messages(), QStringList());

    // Its definitions hold a master with its dependent.
    const QTreeWidgetItem *master = window->declaration()->tree()->findItemWithText("LogRouting");
    QCOMPARE(master->child(0)->text(0), QStringLiteral("LogPrefix"));
    QCOMPARE(window->languages.value(XMLValues::VBSCRIPT), true);

    // The sample job lies beside the package folder, named relative to the fixture.
    const auto *job = static_cast<const Scripter::FixtureItem *>(
        window->fixture()->tree()->incomingGroup()->child(0));
    const QString jobPath = job->object().getField(XMLKey::FILEORFOLDER).getValue();
    QVERIFY2(QFileInfo(QDir(m_folder).filePath(jobPath)).isFile(), qPrintable(jobPath));
}

void tst_PackageExample::savingItBackChangesNoMember()
{
    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(m_harness.processor->open(m_marker));
    window->markModified();
    DialogAnswerer noQuestions;
    QVERIFY(m_harness.processor->save(Scripter::PackageProcessor::Save, window));
    QCOMPARE(noQuestions.seen, QStringList());

    const QString original = QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter/InvoiceRouter/");
    QCOMPARE(entriesBelow(m_folder), entriesBelow(original));
    for (const char *member : {"manifest.xml", "InvoiceRouter.xml", "InvoiceRouter.js",
                               "InvoiceRouter.vbs", "InvoiceRouter.tscript"}) {
        QCOMPARE(readFile(m_folder + QLatin1Char('/') + member),
                 readFile(original + QLatin1String(member)));
    }
}

TAVRIX_TEST_MAIN(tst_PackageExample)
#include "tst_packageexample.moc"
