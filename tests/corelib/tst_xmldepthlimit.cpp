// Every XML reader of the program refuses elements nested deeper than the limit, at the element
// that goes too deep, before building anything from the document.

#include "common/testmain.h"

#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldepthlimit.h"
#include "corelib/common/xmlerror.h"
#include "corelib/flow/flow.h"
#include "corelib/flow/flowobject.h"

#include <QDomDocument>
#include <QTest>

#include <functional>

using SRCore::XmlDepthLimit;
using SRCore::XmlError;

namespace {

// `depth` elements, each on a line of its own, the outermost named `root`.
QString nested(int depth, const QString &root)
{
    QString text = QStringLiteral("<%1>\n").arg(root);
    text += QStringLiteral("<E>\n").repeated(depth - 1);
    text += QStringLiteral("</E>").repeated(depth - 1);
    text += QStringLiteral("</%1>").arg(root);
    return text;
}

using Reader = std::function<bool(const QString &text, XmlError *error)>;

bool readDocument(const QString &text, XmlError *error)
{
    QDomDocument document;
    return SRCore::parseXmlDocument(text.toUtf8(), document, error);
}

// Descends into the first child of every element, as the readers of data files do.
bool readDataFile(const QString &text, XmlError *error)
{
    SRCore::XmlDataReader reader(text);
    bool ok = reader.readRoot(QStringLiteral("Root"));
    while (ok && reader.readNextChildElement()) {}
    ok = ok && !reader.hasError() && reader.finish();
    if (!ok) {
        *error = reader.error();
    }
    return ok;
}

bool readFlow(const QString &text, XmlError *error)
{
    SRCore::Flow flow;
    return flow.openFromString(text, error);
}

bool readFields(const QString &text, XmlError *error)
{
    SRCore::FlowObject object = SRCore::FlowObject::create();
    return object.injectPropertiesFromXML(text, error);
}

} // namespace

Q_DECLARE_METATYPE(Reader)

class tst_XmlDepthLimit : public QObject
{
    Q_OBJECT

private slots:
    void deepNestingIsRefusedWhereItStarts_data();
    void deepNestingIsRefusedWhereItStarts();
};

void tst_XmlDepthLimit::deepNestingIsRefusedWhereItStarts_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QString>("root");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("refused");

    const struct
    {
        const char *name;
        Reader reader;
        const char *root;
    } readers[] = {
        {"document", readDocument, "Object"},
        {"data file", readDataFile, "Root"},
        {"flow document", readFlow, "Flow"},
        {"flow fields", readFields, "Fields"},
    };
    for (const auto &reader : readers) {
        const QString root = QString::fromLatin1(reader.root);
        // clang-format off
        QTest::addRow("%s nested as deep as allowed", reader.name) << reader.reader << root << XmlDepthLimit::MaxDepth << false;
        QTest::addRow("%s nested one level deeper", reader.name) << reader.reader << root << XmlDepthLimit::MaxDepth + 1 << true;
        QTest::addRow("%s nested 100000 levels deep", reader.name) << reader.reader << root << 100000 << true;
        // clang-format on
    }
}

void tst_XmlDepthLimit::deepNestingIsRefusedWhereItStarts()
{
    QFETCH(Reader, reader);
    QFETCH(QString, root);
    QFETCH(int, depth);
    QFETCH(bool, refused);

    XmlError error;
    const bool read = reader(nested(depth, root), &error);
    QCOMPARE(error.message == XmlDepthLimit::tooDeepMessage(), refused);
    if (refused) {
        QVERIFY(!read);
        // The first element too deep starts line MaxDepth + 1.
        QCOMPARE(error.line, XmlDepthLimit::MaxDepth + 1);
        QVERIFY(error.column >= 1);
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_XmlDepthLimit)
#include "tst_xmldepthlimit.moc"
