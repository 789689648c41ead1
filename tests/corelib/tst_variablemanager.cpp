#include "common/testmain.h"

#include "corelib/variables/variablemanager.h"

#include <QSet>
#include <QTest>

using SRCore::Variable;
using SRCore::VariableGroup;
using SRCore::VariableManager;

Q_DECLARE_METATYPE(Variable::DataType)

namespace {

QByteArray catalogue(const QByteArray &groups)
{
    return "<?xml version=\"1.0\"?>\n<VariableCatalogue FormatVersion=\"1\">\n" + groups
           + "</VariableCatalogue>\n";
}

const QByteArray kBase = catalogue(R"(
  <Group Name="Job">
    <Description>The job</Description>
    <Variable Name="Name" DataType="Text"><Description>Its name</Description></Variable>
    <Variable Name="Size" DataType="Integer"/>
  </Group>
  <Group Name="Server">
    <Variable Name="Date" DataType="Date"/>
  </Group>
)");

// Group names with their variables' full names, to compare whole catalogues.
QStringList contents(const VariableManager &manager)
{
    QStringList names;
    for (const VariableGroup &group : manager.getGroups()) {
        names.append(group.name() + QLatin1Char(':') + group.description());
        for (const Variable &variable : group.variables()) {
            names.append(variable.fullName() + QLatin1Char(':')
                         + Variable::dataTypeName(variable.dataType()) + QLatin1Char(':')
                         + variable.description());
        }
    }
    return names;
}

} // namespace

class tst_VariableManager : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { VariableManager::finalize(); }

    void builtInCatalogueIsWellFormed();
    void unknownNamesFindNothing_data();
    void unknownNamesFindNothing();
    void finalizeReleasesTheInstance();
    void catalogueExtendsGroupsInOrder();
    void badCatalogueChangesNothing_data();
    void badCatalogueChangesNothing();
};

void tst_VariableManager::builtInCatalogueIsWellFormed()
{
    const VariableManager *manager = VariableManager::instance();
    QVERIFY(manager);
    const QList<VariableGroup> groups = manager->getGroups();
    QVERIFY(!groups.isEmpty());
    QCOMPARE(manager->getGroupNames().constFirst(), QStringLiteral("Job"));

    QSet<Variable::DataType> types;
    for (const VariableGroup &group : groups) {
        QVERIFY2(!group.description().isEmpty(), qPrintable(group.name()));
        QVERIFY2(!group.variables().isEmpty(), qPrintable(group.name()));
        for (const Variable &variable : group.variables()) {
            QCOMPARE(variable.group(), group.name());
            QVERIFY2(!variable.description().isEmpty(), qPrintable(variable.fullName()));
            // Every listed variable can be found by its full name.
            QCOMPARE(manager->getVariable(variable.fullName()).dataType(), variable.dataType());
            // Catalogues name the type: each name reads back as its type.
            Variable::DataType parsed = Variable::DataType::Text;
            QVERIFY(
                Variable::dataTypeFromName(Variable::dataTypeName(variable.dataType()), &parsed));
            QCOMPARE(parsed, variable.dataType());
            types.insert(variable.dataType());
        }
    }
    // The condition editor offers other comparisons per type; each must be reachable.
    QCOMPARE(types.size(), 5);
}

void tst_VariableManager::unknownNamesFindNothing_data()
{
    QTest::addColumn<QString>("fullName");

    QTest::newRow("unknown variable") << "Job.Colour";
    QTest::newRow("unknown group") << "Printer.Name";
    QTest::newRow("group alone") << "Job";
    QTest::newRow("group with a dot") << "Job.";
    QTest::newRow("name without group") << ".Name";
    QTest::newRow("other case") << "job.name";
    QTest::newRow("one part too many") << "Job.Name.Proper";
    QTest::newRow("empty") << "";
}

void tst_VariableManager::unknownNamesFindNothing()
{
    QFETCH(QString, fullName);

    const Variable variable = VariableManager::instance()->getVariable(fullName);
    QVERIFY(variable.isNull());
    QCOMPARE(variable.fullName(), QString());
}

void tst_VariableManager::finalizeReleasesTheInstance()
{
    QVERIFY(VariableManager::instance()->addCatalogue(
        catalogue("<Group Name=\"Added\"><Variable Name=\"X\" DataType=\"Text\"/></Group>")));
    QVERIFY(!VariableManager::instance()->getGroup(QStringLiteral("Added")).isNull());
    VariableManager::finalize();
    const VariableManager *fresh = VariableManager::instance();
    QVERIFY(fresh->getGroup(QStringLiteral("Added")).isNull());
    QVERIFY(!fresh->getVariable(QStringLiteral("Job.Name")).isNull());
}

void tst_VariableManager::catalogueExtendsGroupsInOrder()
{
    VariableManager manager;
    QVERIFY(manager.addCatalogue(kBase));
    QString error;
    QVERIFY2(manager.addCatalogue(catalogue(R"(
      <Group Name="Mail"><Variable Name="Subject" DataType="Text"/></Group>
      <Group Name="Job">
        <Variable Name="Pages" DataType="Integer"/>
        <Description>Jobs, described again</Description>
      </Group>
    )"),
                                  &error),
             qPrintable(error));
    QCOMPARE(contents(manager), (QStringList{
                                    "Job:Jobs, described again",
                                    "Job.Name:Text:Its name",
                                    "Job.Size:Integer:",
                                    "Job.Pages:Integer:",
                                    "Server:",
                                    "Server.Date:Date:",
                                    "Mail:",
                                    "Mail.Subject:Text:",
                                }));
}

void tst_VariableManager::badCatalogueChangesNothing_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("malformed") << QByteArray("<VariableCatalogue FormatVersion=\"1\"><Group>") << "line 1, column";
    QTest::newRow("unknown data type") << catalogue("<Group Name=\"Mail\"><Variable Name=\"Sent\" DataType=\"Time\"/></Group>") << "Mail.Sent has the unknown DataType 'Time'";
    QTest::newRow("missing data type") << catalogue("<Group Name=\"Mail\"><Variable Name=\"Sent\"/></Group>") << "unknown DataType ''";
    QTest::newRow("dot in a name") << catalogue("<Group Name=\"Mail\"><Variable Name=\"A.B\" DataType=\"Text\"/></Group>") << "(found 'A.B')";
    QTest::newRow("name starting with a digit") << catalogue("<Group Name=\"2Mail\"/>") << "starting with a letter (found '2Mail')";
    QTest::newRow("group without a name") << catalogue("<Group/>") << "(found '')";
    QTest::newRow("variable defined twice in one document") << catalogue("<Group Name=\"Mail\"><Variable Name=\"To\" DataType=\"Text\"/>" "<Variable Name=\"To\" DataType=\"Text\"/></Group>") << "Mail.To is defined more than once";
    QTest::newRow("variable that the catalogue has already") << catalogue("<Group Name=\"Mail\"><Variable Name=\"To\" DataType=\"Text\"/></Group>" "<Group Name=\"Job\"><Variable Name=\"Size\" DataType=\"Integer\"/></Group>") << "Job.Size is defined more than once";
    QTest::newRow("description given twice") << catalogue("<Group Name=\"Mail\"><Description>a</Description>" "<Description>b</Description></Group>") << "Element <Description> appears more than once";
    QTest::newRow("unknown element in a variable") << catalogue("<Group Name=\"Mail\"><Variable Name=\"To\" DataType=\"Text\">" "<Sample>x</Sample></Variable></Group>") << "Unexpected element <Sample>";
    // clang-format on
}

void tst_VariableManager::badCatalogueChangesNothing()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, cause);

    VariableManager manager;
    QVERIFY(manager.addCatalogue(kBase));
    const QStringList before = contents(manager);
    QString error;
    QVERIFY(!manager.addCatalogue(document, &error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("line ")), qPrintable(error));
    QCOMPARE(contents(manager), before);
}

TAVRIX_TEST_GUILESS_MAIN(tst_VariableManager)
#include "tst_variablemanager.moc"
