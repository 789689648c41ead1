#include "common/testmain.h"

#include "common/testfiles.h"

#include "corelib/jobs/ijt.h"
#include "corelib/metadata/jdfmetadata.h"
#include "corelib/metadata/metadatamanager.h"
#include "corelib/metadata/opaquemetadata.h"
#include "corelib/metadata/xmlmetadata.h"
#include "corelib/metadata/xmpmetadata.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace SRCore;

namespace {

const QByteArray kOrder = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<order id=\"A-17\" xmlns:inv=\"urn:example:invoice\">\n"
                          "  <customer>Acme &amp; Sons</customer>\n"
                          "  <item qty=\"2\" price=\"9.50\">Paper</item>\n"
                          "  <item qty=\"3\" price=\"1.25\">Ink</item>\n"
                          "  <rush>true</rush>\n"
                          "  <inv:total currency=\"EUR\">22.75</inv:total>\n"
                          "</order>\n";

const QByteArray kJdf =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<JDF xmlns=\"http://www.CIP4.org/JDFSchema_1_1\" ID=\"n1\" JobID=\"J-42\" Type=\"Product\" "
    "Status=\"Waiting\" Version=\"1.3\">\n"
    "  <ResourcePool>\n"
    "    <Component ID=\"c1\" Class=\"Quantity\" Amount=\"500\" Status=\"Unavailable\"/>\n"
    "  </ResourcePool>\n"
    "</JDF>\n";

// Dublin Core is declared under the prefix "d" only; the XMP prefix "dc" is predefined.
const QByteArray kXmp =
    "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
    "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
    " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
    "  <rdf:Description rdf:about=\"\" xmlns:d=\"http://purl.org/dc/elements/1.1/\"\n"
    "      xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" "
    "xmlns:xmpTPg=\"http://ns.adobe.com/xap/1.0/t/pg/\">\n"
    "   <d:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Spring "
    "catalogue</rdf:li></rdf:Alt></d:title>\n"
    "   <d:creator><rdf:Seq><rdf:li>Ann</rdf:li><rdf:li>Bob</rdf:li></rdf:Seq></d:creator>\n"
    "   <xmp:CreateDate>2024-05-06T14:30:00+02:00</xmp:CreateDate>\n"
    "   <xmpTPg:NPages>12</xmpTPg:NPages>\n"
    "  </rdf:Description>\n"
    " </rdf:RDF>\n"
    "</x:xmpmeta>\n"
    "<?xpacket end=\"w\"?>\n";

// What a query gave, as one text: strings joined by "|", numbers in C notation.
enum class Query { String, Number, Boolean, Strings };

QString run(const Metadata &metadata, Query query, const QString &xpath, const QString &prefixes,
            QString *error)
{
    switch (query) {
    case Query::String: {
        const auto result = metadata.evalToString(xpath, prefixes);
        *error = result.errorMessage;
        return result.value;
    }
    case Query::Number: {
        const auto result = metadata.evalToNumber(xpath, prefixes);
        *error = result.errorMessage;
        return std::isnan(result.value) ? QStringLiteral("NaN") : QString::number(result.value);
    }
    case Query::Boolean: {
        const auto result = metadata.evalToBoolean(xpath, prefixes);
        *error = result.errorMessage;
        return result.value ? QStringLiteral("true") : QStringLiteral("false");
    }
    case Query::Strings: {
        const auto result = metadata.evalToStrings(xpath, prefixes);
        *error = result.errorMessage;
        return result.value.join(QLatin1Char('|'));
    }
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Query)

class tst_Metadata : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void queriesAnswer_data();
    void queriesAnswer();
    void badQueriesSayWhy_data();
    void badQueriesSayWhy();
    void filesThatCannotBackADatasetAreRefused_data();
    void filesThatCannotBackADatasetAreRefused();
    void failedLoadKeepsTheLoadedDocument();
    void filesTooLargeForTheParserAreRefused();
    void externalEntitiesAreNeverRead();
    void opaqueDatasetsHaveAPathOnly();
    void managerOpensDatasetsOfATicket();

private:
    QString write(const QString &name, const QByteArray &data);

    QTemporaryDir m_dir;
};

void tst_Metadata::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

QString tst_Metadata::write(const QString &name, const QByteArray &data)
{
    const QString path = m_dir.filePath(name);
    if (!TestFiles::writeFile(path, data)) {
        qWarning("can't write %s", qPrintable(path));
    }
    return path;
}

void tst_Metadata::queriesAnswer_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<Query>("query");
    QTest::addColumn<QString>("xpath");
    QTest::addColumn<QString>("prefixes");
    QTest::addColumn<QString>("expected");

    const QString none;
    // clang-format off
    QTest::newRow("attribute as text") << "XML" << kOrder << Query::String << "/order/@id" << none << "A-17";
    QTest::newRow("first node of a set") << "XML" << kOrder << Query::String << "/order/item" << none << "Paper";
    QTest::newRow("entities decoded") << "XML" << kOrder << Query::String << "/order/customer" << none << "Acme & Sons";
    QTest::newRow("empty set gives empty text") << "XML" << kOrder << Query::String << "/order/missing" << none << "";
    QTest::newRow("number as text") << "XML" << kOrder << Query::String << "count(//item)" << none << "2";
    QTest::newRow("prefix declared by the document") << "XML" << kOrder << Query::String << "/order/inv:total" << none << "22.75";
    QTest::newRow("prefix given by the caller") << "XML" << kOrder << Query::String << "/order/i:total/@currency" << R"(xmlns:i="urn:example:invoice")" << "EUR";
    QTest::newRow("caller's prefix wins") << "XML" << kOrder << Query::String << "count(/order/inv:total)" << R"(xmlns:inv='urn:other')" << "0";
    QTest::newRow("sum of attributes") << "XML" << kOrder << Query::Number << "sum(//item/@qty)" << none << "5";
    QTest::newRow("number from element text") << "XML" << kOrder << Query::Number << "/order/inv:total * 2" << none << "45.5";
    QTest::newRow("text that is no number") << "XML" << kOrder << Query::Number << "/order/customer" << none << "NaN";
    QTest::newRow("comparison") << "XML" << kOrder << Query::Boolean << "count(//item) > 1" << none << "true";
    QTest::newRow("non-empty set is true") << "XML" << kOrder << Query::Boolean << "/order/rush" << none << "true";
    QTest::newRow("empty set is false") << "XML" << kOrder << Query::Boolean << "/order/missing" << none << "false";
    QTest::newRow("all nodes in order") << "XML" << kOrder << Query::Strings << "//item" << none << "Paper|Ink";
    QTest::newRow("attributes of all nodes") << "XML" << kOrder << Query::Strings << "//item/@price" << none << "9.50|1.25";
    QTest::newRow("non-set result is one string") << "XML" << kOrder << Query::Strings << "count(//item)" << none << "2";
    QTest::newRow("empty set is no strings") << "XML" << kOrder << Query::Strings << "//none" << none << "";
    QTest::newRow("jdf prefix predefined") << "JDF" << kJdf << Query::String << "/jdf:JDF/@JobID" << none << "J-42";
    QTest::newRow("jdf nested number") << "JDF" << kJdf << Query::Number << "//jdf:Component/@Amount" << none << "500";
    QTest::newRow("default namespace needs a prefix") << "JDF" << kJdf << Query::Boolean << "/JDF" << none << "false";
    QTest::newRow("jdf as plain xml with own prefix") << "XML" << kJdf << Query::String << "/j:JDF/@Type" << R"(xmlns:j="http://www.CIP4.org/JDFSchema_1_1")" << "Product";
    QTest::newRow("xmp predefined prefix") << "XMP" << kXmp << Query::Strings << "//dc:creator//rdf:li" << none << "Ann|Bob";
    QTest::newRow("xmp document prefix") << "XMP" << kXmp << Query::String << "//d:title//rdf:li" << none << "Spring catalogue";
    QTest::newRow("xmp number") << "XMP" << kXmp << Query::Number << "//xmpTPg:NPages" << none << "12";
    QTest::newRow("xmp date text") << "XMP" << kXmp << Query::String << "//xmp:CreateDate" << none << "2024-05-06T14:30:00+02:00";
    // clang-format on
}

void tst_Metadata::queriesAnswer()
{
    QFETCH(QString, model);
    QFETCH(QByteArray, document);
    QFETCH(Query, query);
    QFETCH(QString, xpath);
    QFETCH(QString, prefixes);
    QFETCH(QString, expected);

    const std::unique_ptr<Metadata> metadata = MetadataManager::create(model);
    QVERIFY(metadata);
    QString error;
    const QString path = write(QStringLiteral("data.") + model.toLower(), document);
    QVERIFY2(metadata->loadFromFile(path, &error), qPrintable(error));
    QCOMPARE(metadata->getModel(), model);
    QCOMPARE(metadata->getPath(), path);

    const QString value = run(*metadata, query, xpath, prefixes, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(value, expected);
}

void tst_Metadata::badQueriesSayWhy_data()
{
    QTest::addColumn<QString>("xpath");
    QTest::addColumn<QString>("prefixes");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("compiles"); // whether the XPath alone is fine, without a document

    // clang-format off
    QTest::newRow("unbalanced predicate") << "//item[" << "" << "'//item[' is not valid at character 8: the expression is malformed" << false;
    QTest::newRow("unknown function") << "frobnicate(1)" << "" << "'frobnicate(1)' is not valid: it calls a function" << true;
    QTest::newRow("undeclared prefix") << "/nope:order" << "" << "'/nope:order' is not valid: it uses a namespace prefix that is not declared" << true;
    QTest::newRow("empty expression") << "" << "" << "is not valid" << false;
    QTest::newRow("prefixes without quotes") << "/order" << "xmlns:p=urn:x" << "can't be read at character 1" << true;
    QTest::newRow("prefixes with junk after them") << "/order" << R"(xmlns:p="urn:x" junk)" << "can't be read at character 16" << true;
    QTest::newRow("default namespace in prefixes") << "/order" << R"(xmlns="urn:x")" << "can't be read" << true;
    QTest::newRow("prefix without uri") << "/order" << R"(xmlns:p="")" << "has no URI" << true;
    // clang-format on
}

void tst_Metadata::badQueriesSayWhy()
{
    QFETCH(QString, xpath);
    QFETCH(QString, prefixes);
    QFETCH(QString, reason);
    QFETCH(bool, compiles);

    XMLMetadata metadata;
    QVERIFY(metadata.loadFromFile(write(QStringLiteral("order.xml"), kOrder)));
    for (const Query query : {Query::String, Query::Number, Query::Boolean, Query::Strings}) {
        QString error;
        run(metadata, query, xpath, prefixes, &error);
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
    // Texts with variables are checked before any document exists: syntax only.
    QString error;
    QCOMPARE(XMLMetadata::checkXPath(xpath, &error), compiles);
    QCOMPARE(error.isEmpty(), compiles);
}

void tst_Metadata::filesThatCannotBackADatasetAreRefused_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    const QByteArray pdf("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n");
    // Nine levels of ten references: a gigabyte of text once expanded.
    QByteArray bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n<!ENTITY e0 \"lol\">\n";
    for (int level = 1; level <= 9; ++level) {
        bomb += "<!ENTITY e" + QByteArray::number(level) + " \""
                + QByteArray("&e" + QByteArray::number(level - 1) + ";").repeated(10) + "\">\n";
    }
    bomb += "]>\n<r>&e9;</r>\n";
    // clang-format off
    QTest::newRow("pdf as xml") << "XML" << "job.pdf" << pdf << "is not an XML file: line 1";
    QTest::newRow("empty file") << "XML" << "empty.xml" << QByteArray() << "is not an XML file";
    QTest::newRow("truncated xml") << "XML" << "cut.xml" << kOrder.left(60) << "is not an XML file: line 2";
    QTest::newRow("two roots") << "XML" << "two.xml" << QByteArray("<a/><b/>") << "is not an XML file";
    QTest::newRow("order as jdf") << "JDF" << "order.jdf" << kOrder << "is not JDF: its root element is <order>";
    QTest::newRow("order as xmp") << "XMP" << "order.xmp" << kOrder << "is not XMP: its root element is <order>";
    QTest::newRow("jdf as xmp") << "XMP" << "job.xmp" << kJdf << "its root element is <JDF>";
    QTest::newRow("pdf as jdf") << "JDF" << "job.jdf" << pdf << "is not an XML file";
    QTest::newRow("entity expansion bomb") << "XML" << "bomb.xml" << bomb << "is not an XML file";
    // clang-format on
}

void tst_Metadata::filesThatCannotBackADatasetAreRefused()
{
    QFETCH(QString, model);
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);

    const std::unique_ptr<Metadata> metadata = MetadataManager::create(model);
    QString error;
    const QString path = write(name, content);
    QVERIFY(!metadata->loadFromFile(path, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(metadata->getPath().isEmpty());
    QVERIFY(!metadata->evalToString(QStringLiteral("/")).ok());

    // Missing files and folders are refused by every model, Opaque included.
    for (const QString &other : {QStringLiteral("XML"), QStringLiteral("Opaque")}) {
        const std::unique_ptr<Metadata> dataset = MetadataManager::create(other);
        QVERIFY(!dataset->loadFromFile(m_dir.filePath(QStringLiteral("missing.xml")), &error));
        QVERIFY2(error.contains(QLatin1String("does not exist")), qPrintable(error));
        QVERIFY(!dataset->loadFromFile(m_dir.path(), &error));
        QVERIFY2(error.contains(QLatin1String("is a folder")), qPrintable(error));
    }
}

void tst_Metadata::failedLoadKeepsTheLoadedDocument()
{
    XMLMetadata metadata;
    const QString good = write(QStringLiteral("good.xml"), kOrder);
    QVERIFY(metadata.loadFromFile(good));
    QString error;
    QVERIFY(!metadata.loadFromFile(write(QStringLiteral("bad.xml"), "<order"), &error));
    QCOMPARE(metadata.getPath(), good);
    QCOMPARE(metadata.evalToString(QStringLiteral("/order/@id")).value, QStringLiteral("A-17"));
}

void tst_Metadata::filesTooLargeForTheParserAreRefused()
{
    // A sparse file: large on paper, nothing on disk.
    QFile file(m_dir.filePath(QStringLiteral("huge.xml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64(std::numeric_limits<int>::max()) + 1));
    file.close();
    XMLMetadata metadata;
    QString error;
    QVERIFY(!metadata.loadFromFile(file.fileName(), &error));
    QVERIFY2(error.contains(QLatin1String("larger than 2 GB")), qPrintable(error));
    QVERIFY(file.remove());
}

void tst_Metadata::externalEntitiesAreNeverRead()
{
    const QString secret = write(QStringLiteral("secret.txt"), "classified");
    const QByteArray document = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY x SYSTEM \"file://"
                                + secret.toUtf8() + "\">]>\n<r>&x;</r>\n";
    XMLMetadata metadata;
    QString error;
    if (metadata.loadFromFile(write(QStringLiteral("entity.xml"), document), &error)) {
        const XPathResult<QString> text = metadata.evalToString(QStringLiteral("string(/r)"));
        QVERIFY2(!text.value.contains(QLatin1String("classified")), qPrintable(text.value));
    }
}

void tst_Metadata::opaqueDatasetsHaveAPathOnly()
{
    OpaqueMetadata opaque;
    const QString path = write(QStringLiteral("scan.tif"), "II*\0 binary");
    QVERIFY(opaque.loadFromFile(path));
    QCOMPARE(opaque.getPath(), path);
    QCOMPARE(opaque.getModel(), QStringLiteral("Opaque"));
    const XPathResult<QStringList> strings = opaque.evalToStrings(QStringLiteral("/"));
    QVERIFY(!strings.ok());
    QVERIFY2(strings.errorMessage.contains(QLatin1String("Opaque")),
             qPrintable(strings.errorMessage));
    QVERIFY(!opaque.evalToNumber(QStringLiteral("1")).ok());
    QVERIFY(!opaque.evalToBoolean(QStringLiteral("true()")).ok());
}

void tst_Metadata::managerOpensDatasetsOfATicket()
{
    MetadataManager manager;
    manager.setDatasetFolder(m_dir.path());
    write(QStringLiteral("datasets/order.xml"), kOrder);
    QString error;

    QVERIFY(!MetadataManager::create(QStringLiteral("xml")));
    QVERIFY(!manager.open(QStringLiteral("CSV"), QStringLiteral("order.xml"), &error));
    QVERIFY2(error.contains(QLatin1String("'CSV' is not a metadata model")), qPrintable(error));

    // Relative backing files are found in the datasets folder.
    const std::unique_ptr<Metadata> relative =
        manager.open(QStringLiteral("XML"), QStringLiteral("datasets/order.xml"), &error);
    QVERIFY2(relative, qPrintable(error));
    QCOMPARE(relative->getPath(), m_dir.filePath(QStringLiteral("datasets/order.xml")));

    const std::unique_ptr<IJT> ticket = IJT::createEmptyIJT();
    QVERIFY(ticket->setDataset(QStringLiteral("Order"), *relative));
    const std::unique_ptr<Metadata> opened =
        manager.openDataset(*ticket, QStringLiteral("Order"), &error);
    QVERIFY2(opened, qPrintable(error));
    QCOMPARE(opened->evalToString(QStringLiteral("/order/@id")).value, QStringLiteral("A-17"));

    QVERIFY(!manager.openDataset(*ticket, QStringLiteral("Invoice"), &error));
    QVERIFY2(error.contains(QLatin1String("no dataset 'Invoice'")), qPrintable(error));

    QVERIFY(ticket->setDataset(QStringLiteral("Broken"), QStringLiteral("JDF"),
                               m_dir.filePath(QStringLiteral("datasets/order.xml"))));
    QVERIFY(!manager.openDataset(*ticket, QStringLiteral("Broken"), &error));
    QVERIFY2(error.contains(QLatin1String("is not JDF")), qPrintable(error));
}

TAVRIX_TEST_GUILESS_MAIN(tst_Metadata)
#include "tst_metadata.moc"
