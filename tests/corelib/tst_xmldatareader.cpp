#include "common/testmain.h"

#include "corelib/common/textexcerpt.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldatawriter.h"

#include <QTest>

using SRCore::TextExcerpt;
using SRCore::XmlDataReader;
using SRCore::XmlDataWriter;
using SRCore::XmlError;
using EncodedTexts = SRCore::XmlDataReader::EncodedTexts;

Q_DECLARE_METATYPE(EncodedTexts)

namespace {

constexpr int kNewestVersion = 2;

// A small format with what the program's own formats have: texts in any order under the root,
// and records whose two texts come in a fixed order. Gives the texts, "A|B" for a record.
bool readDocument(XmlDataReader &reader, QStringList *texts)
{
    if (!reader.readRoot(QStringLiteral("Root"), kNewestVersion)) {
        return false;
    }
    while (reader.readNextChildElement()) {
        QString text;
        if (reader.name() == QLatin1String("Text")) {
            if (!reader.readText(&text)) {
                return false;
            }
        } else if (reader.name() == QLatin1String("Pair")) {
            QString second;
            if (!reader.checkAttributes({}) || !reader.readChildElement(QStringLiteral("A"))
                || !reader.readText(&text) || !reader.readChildElement(QStringLiteral("B"))
                || !reader.readText(&second) || !reader.readEndElement()) {
                return false;
            }
            text += QLatin1Char('|') + second;
        } else {
            return reader.raiseUnexpectedElement();
        }
        texts->append(text);
    }
    return !reader.hasError() && reader.finish();
}

} // namespace

class tst_XmlDataReader : public QObject
{
    Q_OBJECT

private slots:
    void writtenDocumentReadsBack();
    void handWrittenVariantsAreRead();
    void badDocumentIsRefusedWithReason_data();
    void badDocumentIsRefusedWithReason();
    void rootWithoutVersionForFormatsThatHaveNone();
};

void tst_XmlDataReader::writtenDocumentReadsBack()
{
    const QStringList texts = {QString(), QStringLiteral("a\r\nb <&> \"q\""),
                               QStringLiteral("bell\x07"), QString(QChar(0xD800))};
    XmlDataWriter writer(QStringLiteral("Root"), kNewestVersion);
    for (const QString &text : texts) {
        writer.writeTextElement(QStringLiteral("Text"), text);
    }
    writer.writeStartElement(QStringLiteral("Pair"));
    writer.writeTextElement(QStringLiteral("A"), QStringLiteral("1"));
    writer.writeIntegerElement(QStringLiteral("B"), -2);
    writer.writeEndElement();
    const QByteArray document = writer.finish();

    QVERIFY2(document.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<Root FormatVersion=\"2\">\n"
                                 "    <Text/>\n"
                                 "    <Text>a&#13;\nb &lt;&amp;&gt; &quot;q&quot;</Text>\n"
                                 "    <Text Encoding=\"Base64UTF16\">YgBlAGwAbAAHAA==</Text>\n"),
             document.constData());
    QVERIFY2(document.endsWith("    <Pair>\n"
                               "        <A>1</A>\n"
                               "        <B>-2</B>\n"
                               "    </Pair>\n"
                               "</Root>\n"),
             document.constData());

    XmlDataReader reader(document);
    QStringList read;
    QVERIFY2(readDocument(reader, &read), qPrintable(reader.error().toString()));
    QCOMPARE(read, texts + QStringList{QStringLiteral("1|-2")});
    QCOMPARE(reader.formatVersion(), kNewestVersion);
}

void tst_XmlDataReader::handWrittenVariantsAreRead()
{
    const QString document =
        QStringLiteral("\n<!-- edited by hand -->\n<Root FormatVersion=\"1\"><?editor x?>\n"
                       "  <Text><![CDATA[<b>]]>&#x263A;<!-- note --></Text>\n"
                       "  <Text Encoding=\"Base64UTF16\">\n    YQAB\n    AA==\n  </Text>\n"
                       "  <Pair>\n    <A/>\n    <B>\n</B>\n  </Pair>\n</Root>\n<!-- end -->\n");
    XmlDataReader reader(document);
    QStringList read;
    QVERIFY2(readDocument(reader, &read), qPrintable(reader.error().toString()));
    QCOMPARE(read, (QStringList{QString::fromUtf16(u"<b>\x263A"), QStringLiteral("a\x01"),
                                QStringLiteral("|\n")}));
    QCOMPARE(reader.formatVersion(), 1);
}

void tst_XmlDataReader::badDocumentIsRefusedWithReason_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<EncodedTexts>("encodedTexts");
    QTest::addColumn<QString>("reason");

    const auto root = [](const QString &content) {
        return QStringLiteral("<Root FormatVersion=\"1\">%1</Root>").arg(content);
    };
    const EncodedTexts accepted = EncodedTexts::Accepted;

    // clang-format off
    QTest::newRow("empty document") << QString() << accepted << "Premature end of document";
    QTest::newRow("another root") << QStringLiteral("<Other FormatVersion=\"1\"/>") << accepted << "The root element is <Other>, expected <Root>";
    QTest::newRow("document type declaration") << QStringLiteral("<!DOCTYPE Root [<!ENTITY e \"x\">]>") + root(QStringLiteral("&e;")) << accepted << "Document type declarations are not allowed";
    QTest::newRow("no format version") << QStringLiteral("<Root/>") << accepted << "The attribute 'FormatVersion' is missing in <Root>";
    for (const QString &version :
         {QStringLiteral("0"), QStringLiteral("+1"), QStringLiteral(" 1"), QStringLiteral("1.0"),
          QStringLiteral("99999999999"), QString()}) {
        QTest::addRow("format version '%s'", qPrintable(version)) << QStringLiteral("<Root FormatVersion=\"%1\"/>").arg(version) << accepted << QStringLiteral("Invalid FormatVersion '%1'").arg(version);
    }
    QTest::newRow("newer format version") << QStringLiteral("<Root FormatVersion=\"3\"/>") << accepted << "format version 3, written by a newer program; this program reads format versions up " "to 2";
    QTest::newRow("element with a namespace prefix") << QStringLiteral("<Root FormatVersion=\"1\" xmlns:n=\"urn:x\"><n:Text/></Root>") << accepted << "Unexpected element <n:Text> in <Root>";
    QTest::newRow("namespace declaration on a text") << root(QStringLiteral("<Text xmlns=\"urn:x\">a</Text>")) << accepted << "Unexpected attribute 'xmlns' in <Text>";
    QTest::newRow("encoded text where the format has none") << root(QStringLiteral("<Text Encoding=\"Base64UTF16\">YQA=</Text>")) << EncodedTexts::Refused << "Unexpected attribute 'Encoding' in <Text>";
    QTest::newRow("bad encoded text") << root(QStringLiteral("<Text Encoding=\"Base64UTF16\">YQ</Text>")) << accepted << "Invalid Base64UTF16 text";
    QTest::newRow("element inside a text") << root(QStringLiteral("<Text>a<b/></Text>")) << accepted << "Expected character data";
    QTest::newRow("text between elements") << root(QStringLiteral("<Text/> loose <Text/>")) << accepted << "Unexpected text 'loose' in <Root>";
    QTest::newRow("record element missing") << root(QStringLiteral("<Pair><A/></Pair>")) << accepted << "Element <B> is missing in <Pair>";
    QTest::newRow("record elements reordered") << root(QStringLiteral("<Pair><B/><A/></Pair>")) << accepted << "Unexpected element <B> in <Pair>";
    QTest::newRow("record element extra") << root(QStringLiteral("<Pair><A/><B/><C/></Pair>")) << accepted << "Unexpected element <C> in <Pair>";
    QTest::newRow("attribute on a record") << root(QStringLiteral("<Pair Id=\"1\"><A/><B/></Pair>")) << accepted << "Unexpected attribute 'Id' in <Pair>";
    QTest::newRow("second root") << root(QString()) + root(QString()) << accepted << "Extra content at end of document";
    QTest::newRow("cut off") << root(QStringLiteral("<Text>a</Text>")).chopped(3) << accepted << "Premature end of document";
    QTest::newRow("place of the error, counted from 1") << QStringLiteral("<Root FormatVersion=\"1\">\n   <Other>x</Other></Root>") << accepted << "line 2, column 11: Unexpected element <Other> in <Root>";
    // clang-format on
    // What a message quotes from the document is cut short.
    const QString megabyte(1 << 20, QLatin1Char('x'));
    const QString quoted = QString(TextExcerpt::MaxLength - 1, QLatin1Char('x')) + QChar(0x2026);
    const QString longName(1000, QLatin1Char('x')); // the stream reader refuses much longer names
    // clang-format off
    QTest::newRow("text of a megabyte between elements") << root(QStringLiteral("<Text/>") + megabyte + QStringLiteral("<Text/>")) << accepted << QStringLiteral("Unexpected text '%1' in <Root>").arg(quoted);
    QTest::newRow("element name of a thousand characters") << root(QLatin1Char('<') + longName + QStringLiteral("/>")) << accepted << QStringLiteral("Unexpected element <%1> in <Root>").arg(quoted);
    QTest::newRow("attribute name of a thousand characters") << root(QStringLiteral("<Pair ") + longName + QStringLiteral("=\"1\"/>")) << accepted << QStringLiteral("Unexpected attribute '%1' in <Pair>").arg(quoted);
    QTest::newRow("format version of a megabyte") << QStringLiteral("<Root FormatVersion=\"%1\"/>").arg(megabyte) << accepted << QStringLiteral("Invalid FormatVersion '%1'").arg(quoted);
    // clang-format on
}

void tst_XmlDataReader::badDocumentIsRefusedWithReason()
{
    QFETCH(QString, document);
    QFETCH(EncodedTexts, encodedTexts);
    QFETCH(QString, reason);

    XmlDataReader reader(document, encodedTexts);
    QStringList read;
    QVERIFY(!readDocument(reader, &read));
    QVERIFY(reader.hasError());
    const XmlError error = reader.error();
    QVERIFY2(error.toString().contains(reason), qPrintable(error.toString().left(1000)));
    QVERIFY2(error.message.size() < 3 * TextExcerpt::MaxLength,
             qPrintable(QStringLiteral("%1 characters").arg(error.message.size())));
    QVERIFY(error.line >= 1);
    QVERIFY(error.column >= 1);
}

void tst_XmlDataReader::rootWithoutVersionForFormatsThatHaveNone()
{
    XmlDataReader reader(QStringLiteral("<Manifest Extra=\"x\"><A>1</A></Manifest>"));
    QVERIFY(reader.readRoot(QStringLiteral("Manifest")));
    QCOMPARE(reader.formatVersion(), 0);
    QCOMPARE(reader.attribute(QStringLiteral("Extra")), QStringLiteral("x"));
    QVERIFY(reader.attribute(QStringLiteral("Missing")).isNull());
    QVERIFY(!reader.checkAttributes({}));
    QVERIFY2(reader.error().message.contains(QStringLiteral("Unexpected attribute 'Extra'")),
             qPrintable(reader.error().toString()));
}

TAVRIX_TEST_GUILESS_MAIN(tst_XmlDataReader)
#include "tst_xmldatareader.moc"
