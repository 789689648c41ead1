#include "common/testmain.h"

#include "corelib/common/xmltext.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QTest>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

using SRCore::XmlText;
namespace XMLKey = SRCore::XMLKey;

namespace {

// The element <E> holding `text`, as XmlText writes it.
QString written(const QString &text, const QString &markerAttribute)
{
    QString xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartElement(QStringLiteral("E"));
    XmlText::write(writer, text, markerAttribute);
    writer.writeEndElement();
    return xml;
}

// Reads back what written() gives with an independent XML parser, decoding when marked.
QString readBack(const QString &xml, const QString &markerAttribute, QString *errorMessage)
{
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement()) {
        *errorMessage = reader.errorString();
        return QString();
    }
    const bool encoded = reader.attributes().hasAttribute(markerAttribute);
    const QString encoding = reader.attributes().value(markerAttribute).toString();
    const QString content = reader.readElementText();
    if (reader.hasError()) {
        *errorMessage = reader.errorString();
        return QString();
    }
    if (!encoded) {
        return content;
    }
    QString text;
    XmlText::decode(markerAttribute, encoding, content, &text, errorMessage);
    return text;
}

} // namespace

class tst_XmlText : public QObject
{
    Q_OBJECT

private slots:
    void writtenForm_data();
    void writtenForm();
    void everyTextReadsBackExactly_data();
    void everyTextReadsBackExactly();
    void badEncodedTextIsRefusedWithReason_data();
    void badEncodedTextIsRefusedWithReason();
    void attributeTextsLoseOnlyWhatXmlCannotCarry_data();
    void attributeTextsLoseOnlyWhatXmlCannotCarry();
};

void tst_XmlText::writtenForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("markerAttribute");
    QTest::addColumn<QString>("xml");

    // clang-format off
    QTest::newRow("plain text stays readable") << QStringLiteral("a < b\n\tc") << XMLKey::ENCODING << QStringLiteral("<E>a &lt; b\n\tc</E>");
    QTest::newRow("carriage returns become references") << QStringLiteral("\ra\r\nb\r") << XMLKey::ENCODING << QStringLiteral("<E>&#13;a&#13;\nb&#13;</E>");
    QTest::newRow("empty text leaves an empty element") << QString() << XMLKey::ENCODING << QStringLiteral("<E/>");
    QTest::newRow("surrogate pair stays readable") << QStringLiteral("😀") << XMLKey::ENCODING << QStringLiteral("<E>😀</E>");
    QTest::newRow("control character encodes the whole text, little-endian") << QStringLiteral("a\x01") << XMLKey::ENCODING << QStringLiteral("<E Encoding=\"Base64UTF16\">YQABAA==</E>");
    QTest::newRow("flow fields have their own marker") << QStringLiteral("a\x01") << XMLKey::VALUEENCODING << QStringLiteral("<E ValueEncoding=\"Base64UTF16\">YQABAA==</E>");
    QTest::newRow("unpaired surrogate encodes the text") << QString(QChar(0xDC00)) << XMLKey::ENCODING << QStringLiteral("<E Encoding=\"Base64UTF16\">ANw=</E>");
    QTest::newRow("non-character encodes the text") << QString(QChar(0xFFFF)) << XMLKey::ENCODING << QStringLiteral("<E Encoding=\"Base64UTF16\">//8=</E>");
    // clang-format on
}

void tst_XmlText::writtenForm()
{
    QFETCH(QString, text);
    QFETCH(QString, markerAttribute);
    QFETCH(QString, xml);

    QCOMPARE(written(text, markerAttribute), xml);
}

void tst_XmlText::everyTextReadsBackExactly_data()
{
    QTest::addColumn<QString>("text");

    QString everyCodeUnit;
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        everyCodeUnit.append(QChar(static_cast<char16_t>(unit)));
    }
    QTest::newRow("every UTF-16 code unit") << everyCodeUnit;
    QTest::newRow("NUL alone") << QString(QChar(0));
    QTest::newRow("line ends of every kind") << QStringLiteral("a\r\nb\rc\nd\r\r\n\n");
    QTest::newRow("white space only") << QStringLiteral(" \r\n\t ");
    QTest::newRow("lone high surrogate at the end") << QStringLiteral("x") + QChar(0xD800);
    QTest::newRow("lone low surrogate at the start") << QChar(0xDC00) + QStringLiteral("x");
    QTest::newRow("reversed surrogates") << QString(QChar(0xDC00)) + QChar(0xD800);
    QTest::newRow("base-64 look-alike") << QStringLiteral("YQABAA==");
    QTest::newRow("markup and references") << QStringLiteral("<a>&amp;&#13;]]></a>");
}

void tst_XmlText::everyTextReadsBackExactly()
{
    QFETCH(QString, text);

    for (const QString &marker : {XMLKey::ENCODING, XMLKey::VALUEENCODING}) {
        const QString xml = written(text, marker);
        QString error;
        QCOMPARE(readBack(xml, marker, &error), text);
        QCOMPARE(error, QString());
    }
}

void tst_XmlText::badEncodedTextIsRefusedWithReason_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("unknown encoding") << QStringLiteral("base64") << QStringLiteral("YQA=") << "Unknown Encoding 'base64'";
    QTest::newRow("encoding names are case-sensitive") << QStringLiteral("base64utf16") << QStringLiteral("YQA=") << "Unknown Encoding 'base64utf16'";
    QTest::newRow("empty encoding") << QString() << QStringLiteral("YQA=") << "Unknown Encoding ''";
    QTest::newRow("character outside base-64") << QStringLiteral("Base64UTF16") << QStringLiteral("YQ$A") << "Invalid Base64UTF16 text";
    QTest::newRow("non-ASCII character") << QStringLiteral("Base64UTF16") << QStringLiteral("YQä=") << "Invalid Base64UTF16 text";
    QTest::newRow("odd number of bytes") << QStringLiteral("Base64UTF16") << QStringLiteral("QUJD") << "Invalid Base64UTF16 text";
    QTest::newRow("padding in the middle") << QStringLiteral("Base64UTF16") << QStringLiteral("YQ==YQA=") << "Invalid Base64UTF16 text";
    // clang-format on
}

void tst_XmlText::badEncodedTextIsRefusedWithReason()
{
    QFETCH(QString, encoding);
    QFETCH(QString, content);
    QFETCH(QString, reason);

    const QString before = QStringLiteral("kept");
    QString text = before;
    QString error;
    QVERIFY(!XmlText::decode(XMLKey::ENCODING, encoding, content, &text, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(text, before);
}

void tst_XmlText::attributeTextsLoseOnlyWhatXmlCannotCarry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");

    // clang-format off
    QTest::newRow("storable text is kept whole") << QStringLiteral("Name\t\"<&>\"\r\n😀") << QStringLiteral("Name\t\"<&>\"\r\n😀");
    QTest::newRow("control characters are dropped") << QStringLiteral("\x01" "a\x02\x1F" "b\x7F") << QStringLiteral("ab\x7F");
    QTest::newRow("unpaired surrogates are dropped, pairs kept") << QChar(0xDC00) + QStringLiteral("😀") + QChar(0xD800) + QStringLiteral("x") + QChar(0xD800) << QStringLiteral("😀x");
    QTest::newRow("non-characters are dropped") << QStringLiteral("a") + QChar(0xFFFE) + QChar(0xFFFF) << QStringLiteral("a");
    QTest::newRow("nothing storable") << QString(QChar(0)) + QChar(0x1B) << QString();
    // clang-format on
}

void tst_XmlText::attributeTextsLoseOnlyWhatXmlCannotCarry()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);

    const QString result = XmlText::withoutUnstorableCharacters(text);
    QCOMPARE(result, stored);
    QVERIFY(!XmlText::needsEncoding(result));
}

TAVRIX_TEST_GUILESS_MAIN(tst_XmlText)
#include "tst_xmltext.moc"
