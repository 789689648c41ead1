// The data fields of a fixture set through their dialogs, as a user does in the properties
// explorer, saved to the ".tfixture" file and loaded into another window: private data and
// datasets of a job and the global data of the test come back exactly as the dialogs made them.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "common/dialogdriving.h"
#include "common/propertyediting.h"

#include "guilib/property/datafieldsdialog.h"
#include "guilib/property/globaldatafieldsdialog.h"

#include "corelib/files/filehandler.h"
#include "corelib/values/xmlvalueprocessor.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace FixtureTest;
using Scripter::FixtureItem;
using SRCore::UniversalData;

Q_DECLARE_METATYPE(SRCore::UniversalData)

namespace {

// The item of the fixture a field belongs to: the basic settings or the first incoming job.
FixtureItem *itemFor(FakePackageWindow &window, const QString &tag)
{
    Scripter::FixtureTree *tree = window.fixture()->tree();
    if (tag == XMLKey::GLOBALDATA) {
        return tree->basicItem();
    }
    if (tree->incomingGroup()->childCount() == 0) {
        new FixtureItem(window.fixture(), FixtureItem::IncomingJob, tree->incomingGroup());
    }
    return static_cast<FixtureItem *>(tree->incomingGroup()->child(0));
}

} // namespace

class tst_FixtureValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void dataFieldsSurviveTheFixtureFile_data();
    void dataFieldsSurviveTheFixtureFile();

private:
    QTemporaryDir m_dir;
};

void tst_FixtureValues::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_fixturevalues"));
    QSettings().clear();
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir().mkpath(m_dir.filePath("temp")));
    SRCore::FileHandler::setTempFolder(m_dir.filePath("temp"));
    QVERIFY(writeFile(m_dir.filePath("ticket.xml"), "<Ticket><Customer>ACME</Customer></Ticket>"));
}

void tst_FixtureValues::dataFieldsSurviveTheFixtureFile_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QList<UniversalData>>("fields");

    const QString ticket = m_dir.filePath("ticket.xml");
    // clang-format off
    QTest::newRow("private data of a job")  << XMLKey::USERDATA
        << QList<UniversalData>{{"MyTag1", "", "ACME <Ltd> & \"Co\""}, {"MyTag2", "", ""}};
    QTest::newRow("datasets of a job")      << XMLKey::METADATADATASETS
        << QList<UniversalData>{{"XML1", "XML", ticket}};
    QTest::newRow("global data of the test") << XMLKey::GLOBALDATA
        << QList<UniversalData>{{"MyTag1", "myScript", "41"}, {"MyTag2", "myScript", "Zürich"}};
    // clang-format on
}

void tst_FixtureValues::dataFieldsSurviveTheFixtureFile()
{
    QFETCH(QString, tag);
    QFETCH(QList<UniversalData>, fields);

    FakeAppProxy proxy;
    const QString fixtureFile = m_dir.filePath(QString(QTest::currentDataTag()) + ".tfixture");
    QString made;
    {
        FakePackageWindow window;
        GuiLib::IProperty *property = propertyOf(itemFor(window, tag), tag);
        QVERIFY(property);
        QWidget parent;
        std::unique_ptr<QWidget> editor(property->createEditor(&parent, nullptr, nullptr));
        DialogAnswerer dialogs;
        dialogs.then(DialogAnswerer::with<QDialog>([&fields, tag](QDialog *dialog) {
            auto *table = dialog->findChild<QTableWidget *>();
            const bool global = tag == XMLKey::GLOBALDATA;
            for (int row = 0; row < fields.size(); ++row) {
                QVERIFY(press(dialog, "addButton"));
                const UniversalData &field = fields.at(row);
                if (tag == XMLKey::METADATADATASETS) {
                    typeIntoCell(table, row, 2, field.third);
                } else {
                    typeIntoCell(table, row, global ? 2 : 1, field.third);
                }
            }
            QVERIFY(press(dialog, "okButton"));
        }));
        QTest::mouseClick(editor->findChild<QToolButton *>("dialogButton"), Qt::LeftButton);
        QVERIFY(dialogs.answeredAll());
        property->setModelData(editor.get()); // as the explorer commits
        made = property->valueText();
        QString error;
        QVERIFY2(window.fixture()->saveToFile(fixtureFile, &error), qPrintable(error));
    }
    QCOMPARE(SRCore::XMLValueProcessor(made).universaldataFields(), fields);

    FakePackageWindow window;
    QVERIFY(window.fixture()->loadFromFile(fixtureFile));
    const GuiLib::IProperty *loaded = propertyOf(itemFor(window, tag), tag);
    QVERIFY(loaded);
    QCOMPARE(loaded->valueText(), made);
}

TAVRIX_TEST_MAIN(tst_FixtureValues)
#include "tst_fixturevalues.moc"
