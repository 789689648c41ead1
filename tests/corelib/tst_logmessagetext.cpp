// The text of a stored message as people read it: translation in the context "LogMessages"
// and the place markers "%1" and "%11" to "%19" filled from the argument.

#include "common/testmain.h"

#include "logtestsupport.h"

#include "corelib/logging/localizemanager.h"
#include "corelib/logging/logrecord.h"

#include <QTest>

using namespace SRCore;

namespace {

QString render(const QString &operation, const QString &argument)
{
    return LocalizeManager::getMessage(
        LogRecord(LogLevel::Information, operation, QString(), QString(), QString(), argument));
}

} // namespace

class tst_LogMessageText : public QObject
{
    Q_OBJECT

private slots:
    void fillsMarkers_data();
    void fillsMarkers();
    void translatesInTheLogMessagesContextBeforeFilling();
};

void tst_LogMessageText::fillsMarkers_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("no markers: text as it is") << "Scripter started" << "ignored" << "Scripter started";
    QTest::newRow("%1 takes the whole argument, commas included") << "File '%1' copied" << "a,b.pdf" << "File 'a,b.pdf' copied";
    QTest::newRow("%1 twice") << "%1/%1" << "x" << "x/x";
    QTest::newRow("empty argument") << "Value '%1'" << "" << "Value ''";
    QTest::newRow("%11 and %12 take the parts") << "Copied %11 to %12" << "a.pdf,/out" << "Copied a.pdf to /out";
    QTest::newRow("parts in any order") << "%12 before %11" << "a,b" << "b before a";
    QTest::newRow("the highest part takes the rest") << "Copied %11 to %12" << "a.pdf,/out/x,y/z.pdf" << "Copied a.pdf to /out/x,y/z.pdf";
    QTest::newRow("a single part takes everything") << "Got %11" << "a,b,c" << "Got a,b,c";
    QTest::newRow("a missing part is empty") << "[%11][%12][%13]" << "a" << "[a][][]";
    QTest::newRow("%11 is a part, not the argument and 1") << "%11-%12" << "x,y" << "x-y";
    QTest::newRow("%10 is the argument and 0") << "%10" << "x" << "x0";
    QTest::newRow("whole argument and parts together") << "%1 = %11 + %12" << "a,b" << "a,b = a + b";
    QTest::newRow("the ninth part") << "%19" << "1,2,3,4,5,6,7,8,9,10" << "9,10";
    QTest::newRow("markers inside the argument stay") << "Value %1" << "%11,%1" << "Value %11,%1";
    QTest::newRow("markers inside a part stay") << "%11 and %12" << "%12,z" << "%12 and z";
    QTest::newRow("other markers stay") << "%2 and %1" << "a" << "%2 and a";
    QTest::newRow("marker at the very end") << "Now %1" << "done" << "Now done";
    // clang-format on
}

void tst_LogMessageText::fillsMarkers()
{
    QFETCH(QString, operation);
    QFETCH(QString, argument);
    QFETCH(QString, expected);

    QCOMPARE(render(operation, argument), expected);
}

void tst_LogMessageText::translatesInTheLogMessagesContextBeforeFilling()
{
    const LogTest::TranslatedLogMessages translated;
    QCOMPARE(render(QStringLiteral("File '%1' copied"), QStringLiteral("a.pdf")),
             QStringLiteral("[File 'a.pdf' copied]"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_LogMessageText)

#include "tst_logmessagetext.moc"
