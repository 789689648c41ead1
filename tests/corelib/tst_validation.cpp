#include "common/testmain.h"

#include "corelib/common/validation.h"

#include <QRegularExpression>
#include <QTest>

using SRCore::Validation;

class tst_Validation : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void makeValidXmlName_data();
    void makeValidXmlName();
    void madeNamesAreAlwaysValid();
    void isValidXmlName_data();
    void isValidXmlName();
    void isValidXmlText_data();
    void isValidXmlText();

    void wildcards_data();
    void wildcards();
    void wildcardCacheIsReusedBoundedAndReleased();
};

void tst_Validation::init()
{
    // The cache is process-wide; every test starts without it.
    Validation::finalize();
}

void tst_Validation::makeValidXmlName_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");

    // clang-format off
    QTest::newRow("valid tag stays") << QStringLiteral("Argument1") << QStringLiteral("Argument1");
    QTest::newRow("digit, space and hyphen") << QStringLiteral("1 xml-name") << QStringLiteral("__xml_name");
    QTest::newRow("leading xml") << QStringLiteral("xmlData") << QStringLiteral("___Data");
    QTest::newRow("leading xml in any case") << QStringLiteral("XmLdata") << QStringLiteral("___data");
    QTest::newRow("xml alone") << QStringLiteral("xml") << QStringLiteral("___");
    QTest::newRow("xml after replacement") << QStringLiteral("xml.x") << QStringLiteral("____x");
    QTest::newRow("xm is not reserved") << QStringLiteral("xm") << QStringLiteral("xm");
    QTest::newRow("empty tag") << QString() << QStringLiteral("_");
    QTest::newRow("punctuation that XML names allow is replaced too") << QStringLiteral("a.b-c:d") << QStringLiteral("a_b_c_d");
    QTest::newRow("underscore stays") << QStringLiteral("_private") << QStringLiteral("_private");
    QTest::newRow("digit only") << QStringLiteral("9") << QStringLiteral("_");
    QTest::newRow("letters beyond ASCII stay") << QStringLiteral("Größe日本") << QStringLiteral("Größe日本");
    QTest::newRow("digit beyond ASCII first") << QStringLiteral("٣abc") << QStringLiteral("_abc");
    QTest::newRow("letter that XML refuses in names") << QStringLiteral("aªb") << QStringLiteral("a_b");
    QTest::newRow("combining mark") << QStringLiteral("e\u0301t") << QStringLiteral("e_t");
    QTest::newRow("letter outside the basic plane stays") << QString::fromUtf16(u"x\xD835\xDC9C") << QString::fromUtf16(u"x\xD835\xDC9C");
    QTest::newRow("letter outside the basic plane first") << QString::fromUtf16(u"\xD835\xDC9Cx") << QString::fromUtf16(u"\xD835\xDC9Cx");
    QTest::newRow("emoji becomes one underscore") << QStringLiteral("a😀b") << QStringLiteral("a_b");
    QTest::newRow("unpaired surrogate") << QString::fromUtf16(u"a\xD800") << QStringLiteral("a_");
    QTest::newRow("control character") << QStringLiteral("a\tb\x01") << QStringLiteral("a_b_");
    // clang-format on
}

void tst_Validation::makeValidXmlName()
{
    QFETCH(QString, tag);
    QFETCH(QString, name);

    QCOMPARE(Validation::makeValidXmlName(tag), name);
    QVERIFY(Validation::isValidXmlName(name));
}

void tst_Validation::madeNamesAreAlwaysValid()
{
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const QString unit{QChar(char16_t(c))};
        for (const QString &tag : {unit, QStringLiteral("a") + unit, unit + QStringLiteral("a")}) {
            const QString name = Validation::makeValidXmlName(tag);
            QVERIFY2(Validation::isValidXmlName(name), qPrintable(QString::number(c, 16)));
        }
    }
}

void tst_Validation::isValidXmlName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");

    QTest::newRow("letters") << QStringLiteral("Name") << true;
    QTest::newRow("underscore first") << QStringLiteral("_1") << true;
    QTest::newRow("hyphen, dot and middle dot inside") << QStringLiteral("a-b.c·d") << true;
    QTest::newRow("letters beyond ASCII") << QStringLiteral("Größe日本") << true;
    QTest::newRow("letter outside the basic plane") << QString::fromUtf16(u"\xD835\xDC9C") << true;
    QTest::newRow("xm prefix") << QStringLiteral("xmName") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("digit first") << QStringLiteral("1a") << false;
    QTest::newRow("hyphen first") << QStringLiteral("-a") << false;
    QTest::newRow("dot first") << QStringLiteral(".a") << false;
    QTest::newRow("space") << QStringLiteral("a b") << false;
    QTest::newRow("namespace prefix") << QStringLiteral("ns:name") << false;
    QTest::newRow("reserved xml prefix") << QStringLiteral("xmlData") << false;
    QTest::newRow("reserved XML prefix") << QStringLiteral("XMLdata") << false;
    QTest::newRow("letter XML refuses") << QStringLiteral("aª") << false;
    QTest::newRow("markup") << QStringLiteral("a<b") << false;
    QTest::newRow("unpaired surrogate") << QString::fromUtf16(u"a\xDC00") << false;
}

void tst_Validation::isValidXmlName()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);

    QCOMPARE(Validation::isValidXmlName(name), valid);
}

void tst_Validation::isValidXmlText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("invalidAt");

    // clang-format off
    QTest::newRow("empty") << QString() << qsizetype(-1);
    QTest::newRow("tab, line feed and carriage return") << QStringLiteral("a\tb\nc\rd") << qsizetype(-1);
    QTest::newRow("markup characters can be escaped") << QStringLiteral("<&>\"'") << qsizetype(-1);
    QTest::newRow("pair of surrogates") << QStringLiteral("a😀") << qsizetype(-1);
    QTest::newRow("last allowed character") << QString(QChar(0xFFFD)) << qsizetype(-1);
    QTest::newRow("null character") << QStringLiteral("ab") + QChar(0) << qsizetype(2);
    QTest::newRow("escape character") << QStringLiteral("a\x1b[0m") << qsizetype(1);
    QTest::newRow("vertical tab") << QStringLiteral("\v") << qsizetype(0);
    QTest::newRow("U+FFFE") << QStringLiteral("ab") + QChar(0xFFFE) << qsizetype(2);
    QTest::newRow("U+FFFF") << QString(QChar(0xFFFF)) << qsizetype(0);
    QTest::newRow("unpaired high surrogate") << QString::fromUtf16(u"😀\xD83D") << qsizetype(2);
    QTest::newRow("unpaired low surrogate") << QString::fromUtf16(u"a\xDE00") << qsizetype(1);
    // clang-format on
}

void tst_Validation::isValidXmlText()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, invalidAt);

    qsizetype position = -1;
    QCOMPARE(Validation::isValidXmlText(text, &position), invalidAt < 0);
    QCOMPARE(position, invalidAt);
}

void tst_Validation::wildcards_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("matches");
    QTest::addColumn<QString>("reason"); // why the pattern is invalid; none for a valid one

    // clang-format off
    QTest::newRow("star matches a suffix") << QStringLiteral("*.pdf") << QStringLiteral("Report.pdf") << true << QString();
    QTest::newRow("case does not matter") << QStringLiteral("*.pdf") << QStringLiteral("REPORT.PDF") << true << QString();
    QTest::newRow("case does not matter beyond ASCII") << QStringLiteral("bücher*") << QStringLiteral("BÜCHER.txt") << true << QString();
    QTest::newRow("anchored at the end") << QStringLiteral("*.pdf") << QStringLiteral("Report.pdf.bak") << false << QString();
    QTest::newRow("anchored at the start") << QStringLiteral("Job*") << QStringLiteral("MyJob.txt") << false << QString();
    QTest::newRow("star matches nothing") << QStringLiteral("a*b") << QStringLiteral("ab") << true << QString();
    QTest::newRow("star matches a line break") << QStringLiteral("a*b") << QStringLiteral("a\nb") << true << QString();
    QTest::newRow("question marks count characters") << QStringLiteral("??Job.*") << QStringLiteral("01Job.txt") << true << QString();
    QTest::newRow("question mark needs a character") << QStringLiteral("??Job.*") << QStringLiteral("1Job.txt") << false << QString();
    QTest::newRow("question mark takes a whole emoji") << QStringLiteral("?.png") << QStringLiteral("😀.png") << true << QString();
    QTest::newRow("dot is literal") << QStringLiteral("a.b") << QStringLiteral("aXb") << false << QString();
    QTest::newRow("regular expression characters are literal") << QStringLiteral("(a)+$") << QStringLiteral("(a)+$") << true << QString();
    QTest::newRow("range") << QStringLiteral("r[0-9].txt") << QStringLiteral("r7.txt") << true << QString();
    QTest::newRow("range ignores case") << QStringLiteral("[a-c]") << QStringLiteral("B") << true << QString();
    QTest::newRow("outside the range") << QStringLiteral("r[0-9].txt") << QStringLiteral("rx.txt") << false << QString();
    QTest::newRow("negated with exclamation mark") << QStringLiteral("[!a]*") << QStringLiteral("ab") << false << QString();
    QTest::newRow("negated with caret") << QStringLiteral("[^a]*") << QStringLiteral("bb") << true << QString();
    QTest::newRow("closing bracket as first member") << QStringLiteral("[]x]") << QStringLiteral("]") << true << QString();
    QTest::newRow("hyphen at the end of a class is a member") << QStringLiteral("[a-]") << QStringLiteral("-") << true << QString();
    QTest::newRow("parenthesis in a class is a member") << QStringLiteral("[+(]") << QStringLiteral("(") << true << QString();
    QTest::newRow("regular expression class syntax is literal") << QStringLiteral("[.^$]") << QStringLiteral("$") << true << QString();
    QTest::newRow("invalid: class never closed, even when the name is the pattern") << QStringLiteral("[a") << QStringLiteral("[a") << false << QStringLiteral("The pattern '[a' has a '[' without a closing ']'");
    QTest::newRow("invalid: slash") << QStringLiteral("in/*.pdf") << QStringLiteral("a.pdf") << false << QStringLiteral("The pattern 'in/*.pdf' contains a path separator");
    QTest::newRow("invalid: backslash") << QStringLiteral("in\\*") << QStringLiteral("a.pdf") << false << QStringLiteral("The pattern 'in\\*' contains a path separator");
    QTest::newRow("invalid: unclosed class") << QStringLiteral("r[0-9") << QStringLiteral("a.pdf") << false << QStringLiteral("The pattern 'r[0-9' has a '[' without a " "closing ']'");
    QTest::newRow("invalid: reversed range") << QStringLiteral("[z-a]") << QStringLiteral("a.pdf") << false << QStringLiteral("The pattern '[z-a]' is not valid: ");
    // clang-format on
}

void tst_Validation::wildcards()
{
    QFETCH(QString, pattern);
    QFETCH(QString, fileName);
    QFETCH(bool, matches);
    QFETCH(QString, reason);

    // An invalid pattern matches nothing, also for a caller that ignores the reason.
    QCOMPARE(Validation::matchesWildcard(pattern, fileName), matches);
    QString error = QStringLiteral("left from an earlier check");
    QCOMPARE(Validation::isValidWildcard(pattern, &error), reason.isEmpty());
    QVERIFY2(reason.isEmpty() ? error.isEmpty() : error.startsWith(reason), qPrintable(error));
}

void tst_Validation::wildcardCacheIsReusedBoundedAndReleased()
{
    QCOMPARE(Validation::cachedWildcardCount(), 0);
    QVERIFY(Validation::matchesWildcard(QStringLiteral("*.pdf"), QStringLiteral("a.pdf")));
    QVERIFY(Validation::matchesWildcard(QStringLiteral("*.pdf"), QStringLiteral("b.pdf")));
    QVERIFY(!Validation::isValidWildcard(QStringLiteral("[")));
    QCOMPARE(Validation::cachedWildcardCount(), 2);

    // Typing in a pattern editor compiles every intermediate text; the cache must not grow
    // without bound.
    for (int i = 0; i < 2000; ++i) {
        Validation::wildcardExpression(QStringLiteral("file%1*").arg(i));
        QVERIFY(Validation::cachedWildcardCount() <= 512);
    }

    Validation::finalize();
    QCOMPARE(Validation::cachedWildcardCount(), 0);
    QVERIFY(Validation::matchesWildcard(QStringLiteral("*.pdf"), QStringLiteral("a.pdf")));
    QCOMPARE(Validation::cachedWildcardCount(), 1);
}

TAVRIX_TEST_GUILESS_MAIN(tst_Validation)

#include "tst_validation.moc"
