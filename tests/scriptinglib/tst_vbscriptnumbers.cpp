// The numeric subtypes of the VBScript engine meeting in operators and conversions: which
// subtype a result takes, its value, and the errors (6 overflow, 11 division by zero, 13 type
// mismatch, 94 invalid use of Null). Each row is one expression as a script writes it.

#include "common/testmain.h"

#include "vbscriptrun.h"

#include <QTest>

class TestVBScriptNumbers : public QObject
{
    Q_OBJECT

private slots:
    void expressionGivesSubtypeAndValue_data();
    void expressionGivesSubtypeAndValue();
};

void TestVBScriptNumbers::expressionGivesSubtypeAndValue_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("result"); // "Subtype value", or "error N"

    // clang-format off
    QTest::newRow("Byte + Byte stays a Byte") << "CByte(1) + CByte(2)" << "Byte 3";
    QTest::newRow("Byte + Integer is an Integer") << "CByte(1) + CInt(1)" << "Integer 2";
    QTest::newRow("Byte + Long is a Long") << "CByte(1) + CLng(1)" << "Long 2";
    QTest::newRow("Byte + Single is a Single") << "CByte(1) + CSng(1.5)" << "Single 2.5";
    QTest::newRow("Integer + Single is a Single") << "CInt(1) + CSng(1.5)" << "Single 2.5";
    QTest::newRow("Long + Single is a Double") << "CLng(1) + CSng(1.5)" << "Double 2.5";
    QTest::newRow("Single + Double is a Double") << "CSng(1.5) + CDbl(1)" << "Double 2.5";
    QTest::newRow("Currency + Single is a Currency") << "CCur(1.5) + CSng(1)" << "Currency 2.5";
    QTest::newRow("Currency + Byte is a Currency") << "CCur(1.5) + CByte(1)" << "Currency 2.5";
    QTest::newRow("Currency + Double rounds to ten-thousandths") << "CCur(1) + CDbl(0.00005)" << "Currency 1";
    QTest::newRow("Currency * Currency") << "CCur(2) * CCur(1.5)" << "Currency 3";
    QTest::newRow("Byte - Byte below zero is an Integer") << "CByte(1) - CByte(2)" << "Integer -1";
    QTest::newRow("Integer * Integer past 32767 is a Long") << "CInt(32767) * CInt(2)" << "Long 65534";
    QTest::newRow("Long * Long past its range is a Double") << "CLng(2147483647) * CLng(2)" << "Double 4294967294";
    QTest::newRow("Single * Single past its range is a Double") << "CSng(3E38) * CSng(10)" << "Double 3.00000000549776E+39";
    QTest::newRow("Double past its range overflows") << "CDbl(1E308) * 10" << "error 6";
    QTest::newRow("Currency past its range overflows") << "CCur(900000000000000) * CByte(100)" << "error 6";
    QTest::newRow("Date + Byte is a Date") << "#1/1/2003# + CByte(1)" << "Date 1/2/2003";
    QTest::newRow("Date - Currency is a Date") << "#1/1/2003# - CCur(1)" << "Date 12/31/2002";
    QTest::newRow("Date * number is a Double") << "#1/1/1900# * 2" << "Double 4";
    QTest::newRow("Date past 9999 overflows") << "#12/31/9999# + CInt(1)" << "error 6";
    QTest::newRow("Boolean counts as an Integer") << "True + CByte(1)" << "Integer 0";
    QTest::newRow("Empty - Byte is an Integer") << "Empty - CByte(1)" << "Integer -1";
    QTest::newRow("Empty + Byte is the Byte") << "Empty + CByte(3)" << "Byte 3";
    QTest::newRow("text * Byte is a Double") << "\"2\" * CByte(3)" << "Double 6";
    QTest::newRow("text that is no number * Byte") << "\"x\" * CByte(3)" << "error 13";
    QTest::newRow("Null * Byte is Null") << "CByte(3) * Null" << "Null ";
    QTest::newRow("an array in arithmetic") << "Array(1) - 1" << "error 13";

    QTest::newRow("Single / Single is a Single") << "CSng(3) / CSng(2)" << "Single 1.5";
    QTest::newRow("Single / Integer is a Single") << "CSng(3) / CInt(2)" << "Single 1.5";
    QTest::newRow("Single / Long is a Double") << "CSng(3) / CLng(2)" << "Double 1.5";
    QTest::newRow("Currency / Currency is a Double") << "CCur(3) / CCur(2)" << "Double 1.5";
    QTest::newRow("Byte / Byte is a Double") << "CByte(3) / CByte(2)" << "Double 1.5";
    QTest::newRow("zero / zero overflows") << "CByte(0) / CByte(0)" << "error 6";
    QTest::newRow("Currency / zero") << "CCur(1) / CCur(0)" << "error 11";

    QTest::newRow("Byte \\ Byte stays a Byte") << "CByte(7) \\ CByte(2)" << "Byte 3";
    QTest::newRow("Byte \\ Integer is an Integer") << "CByte(7) \\ CInt(2)" << "Integer 3";
    QTest::newRow("Byte \\ Double is a Long") << "CByte(7) \\ CDbl(2)" << "Long 3";
    QTest::newRow("Single \\ rounds half to even first") << "CSng(7.5) \\ 2" << "Long 4";
    QTest::newRow("Currency Mod rounds half to even first") << "CCur(7.5) Mod 2" << "Long 0";
    QTest::newRow("Double Mod") << "CDbl(6.5) Mod 4" << "Long 2";
    QTest::newRow("Boolean \\ Boolean is an Integer") << "True \\ True" << "Integer 1";
    QTest::newRow("Empty \\ number") << "Empty \\ CByte(1)" << "Integer 0";
    QTest::newRow("smallest Long \\ -1 overflows") << "(CLng(-2147483647) - 1) \\ -1" << "error 6";
    QTest::newRow("Byte Mod zero") << "CByte(5) Mod CByte(0)" << "error 11";
    QTest::newRow("Double beyond a Long \\") << "CDbl(3E10) \\ 2" << "error 6";
    QTest::newRow("text \\ Byte is a Long") << "\"8\" \\ CByte(2)" << "Long 4";
    QTest::newRow("text that is no number Mod") << "\"x\" Mod 2" << "error 13";
    QTest::newRow("Null \\ number is Null") << "Null \\ 2" << "Null ";

    QTest::newRow("- Byte is an Integer") << "-CByte(5)" << "Integer -5";
    QTest::newRow("- Long") << "-CLng(5)" << "Long -5";
    QTest::newRow("- Single stays a Single") << "-CSng(1.5)" << "Single -1.5";
    QTest::newRow("- Currency stays a Currency") << "-CCur(1.5)" << "Currency -1.5";
    QTest::newRow("- Date stays a Date") << "-CDate(1)" << "Date 12/29/1899";
    QTest::newRow("- Boolean is an Integer") << "-True" << "Integer 1";
    QTest::newRow("- Empty is an Integer") << "-Empty" << "Integer 0";
    QTest::newRow("- text is a Double") << "-\"2\"" << "Double -2";

    QTest::newRow("Not Byte keeps 8 bits") << "Not CByte(0)" << "Byte 255";
    QTest::newRow("Not Integer") << "Not CInt(0)" << "Integer -1";
    QTest::newRow("Not Long") << "Not CLng(0)" << "Long -1";
    QTest::newRow("Not Double rounds to a Long") << "Not CDbl(2.5)" << "Long -3";
    QTest::newRow("Byte Or Integer is an Integer") << "CByte(1) Or CInt(2)" << "Integer 3";
    QTest::newRow("Byte Or Long is a Long") << "CByte(1) Or CLng(2)" << "Long 3";
    QTest::newRow("Boolean Or Byte is an Integer") << "True Or CByte(2)" << "Integer -1";
    QTest::newRow("Byte Xor Byte") << "CByte(12) Xor CByte(10)" << "Byte 6";
    QTest::newRow("Byte Eqv Byte keeps 8 bits") << "CByte(12) Eqv CByte(10)" << "Byte 249";
    QTest::newRow("Byte Imp Byte keeps 8 bits") << "CByte(12) Imp CByte(10)" << "Byte 251";
    QTest::newRow("Null And zero Byte is the Byte") << "Null And CByte(0)" << "Byte 0";
    QTest::newRow("Null And other Byte is Null") << "Null And CByte(5)" << "Null ";
    QTest::newRow("Null Or all-ones Byte is the Byte") << "Null Or CByte(255)" << "Byte 255";
    QTest::newRow("Null Or all-ones Integer is the Integer") << "Null Or CInt(-1)" << "Integer -1";
    QTest::newRow("Null Or other Integer is Null") << "Null Or CInt(5)" << "Null ";
    QTest::newRow("Null Imp all-ones Byte is all ones") << "Null Imp CByte(255)" << "Byte 255";
    QTest::newRow("zero Byte Imp Null is all ones") << "CByte(0) Imp Null" << "Byte 255";
    QTest::newRow("zero Long Imp Null is all ones") << "CLng(0) Imp Null" << "Long -1";
    QTest::newRow("other Byte Imp Null is Null") << "CByte(1) Imp Null" << "Null ";
    QTest::newRow("Null And text False is False") << "Null And \"False\"" << "Boolean False";
    QTest::newRow("Null And zero Double is a Long") << "Null And CDbl(0)" << "Long 0";
    QTest::newRow("text that is no truth value And") << "\"yes\" And True" << "error 13";
    QTest::newRow("Currency beyond a Long And") << "CCur(1E10) And 1" << "error 6";

    QTest::newRow("Currency = Single") << "CCur(1.5) = CSng(1.5)" << "Boolean True";
    QTest::newRow("Byte > Long") << "CByte(2) > CLng(1)" << "Boolean True";
    QTest::newRow("smallest Currency > zero") << "CCur(0.0001) > 0" << "Boolean True";
    QTest::newRow("Single = Double compares the Single's digits") << "CSng(1.1) = CDbl(1.1)" << "Boolean False";
    QTest::newRow("Date = number") << "#1/1/1900# = 2" << "Boolean True";

    QTest::newRow("CStr Byte") << "CStr(CByte(255))" << "String 255";
    QTest::newRow("CStr Integer") << "CStr(CInt(-5))" << "String -5";
    QTest::newRow("CStr Long") << "CStr(CLng(100000))" << "String 100000";
    QTest::newRow("CStr Single") << "CStr(CSng(1.1))" << "String 1.1";
    QTest::newRow("CStr Double") << "CStr(CDbl(0.1))" << "String 0.1";
    QTest::newRow("CStr Currency") << "CStr(CCur(-0.5))" << "String -0.5";
    QTest::newRow("CStr Date") << "CStr(#1/2/2003#)" << "String 1/2/2003";
    QTest::newRow("CStr Boolean") << "CStr(False)" << "String False";
    QTest::newRow("CDbl Single keeps the Single's bits") << "CDbl(CSng(1.1))" << "Double 1.10000002384186";
    QTest::newRow("CDbl Currency") << "CDbl(CCur(1.2345))" << "Double 1.2345";
    QTest::newRow("CDbl Boolean") << "CDbl(True)" << "Double -1";
    QTest::newRow("CDbl Empty") << "CDbl(Empty)" << "Double 0";
    QTest::newRow("CDbl Date") << "CDbl(#1/1/1900#)" << "Double 2";
    QTest::newRow("CLng Byte") << "CLng(CByte(255))" << "Long 255";
    QTest::newRow("CLng Boolean") << "CLng(True)" << "Long -1";
    QTest::newRow("CLng Empty") << "CLng(Empty)" << "Long 0";
    QTest::newRow("CLng Single rounds half to even") << "CLng(CSng(2.5))" << "Long 2";
    QTest::newRow("CLng Currency rounds half to even") << "CLng(CCur(3.5))" << "Long 4";
    QTest::newRow("CLng past its range") << "CLng(2147483647.5)" << "error 6";
    QTest::newRow("CLng Null") << "CLng(Null)" << "error 94";
    QTest::newRow("CInt Byte") << "CInt(CByte(255))" << "Integer 255";
    QTest::newRow("CInt past its range") << "CInt(32767.5)" << "error 6";
    QTest::newRow("CByte of minus a half is zero") << "CByte(-0.5)" << "Byte 0";
    QTest::newRow("CByte below zero") << "CByte(-1)" << "error 6";
    QTest::newRow("CByte text that is no number") << "CByte(\"x\")" << "error 13";
    QTest::newRow("CSng past its range") << "CSng(CDbl(1E39))" << "error 6";
    QTest::newRow("CCur Single") << "CCur(CSng(1.5))" << "Currency 1.5";
    QTest::newRow("CCur Boolean") << "CCur(True)" << "Currency -1";
    QTest::newRow("CDate Byte") << "CDate(CByte(2))" << "Date 1/1/1900";
    QTest::newRow("CBool zero Byte") << "CBool(CByte(0))" << "Boolean False";
    QTest::newRow("CBool smallest Currency") << "CBool(CCur(0.0001))" << "Boolean True";

    QTest::newRow("Hex Byte keeps 8 bits") << "Hex(CByte(255))" << "String FF";
    QTest::newRow("Hex Integer keeps 16 bits") << "Hex(CInt(-1))" << "String FFFF";
    QTest::newRow("Hex Boolean is an Integer") << "Hex(True)" << "String FFFF";
    QTest::newRow("Hex Empty") << "Hex(Empty)" << "String 0";
    QTest::newRow("Hex Long keeps 32 bits") << "Hex(CLng(-1))" << "String FFFFFFFF";
    QTest::newRow("Hex Double rounds to a Long") << "Hex(-1.5)" << "String FFFFFFFE";
    QTest::newRow("Oct Byte") << "Oct(CByte(8))" << "String 10";
    QTest::newRow("Hex Null") << "Hex(Null)" << "Null ";
    QTest::newRow("Hex text that is no number") << "Hex(\"x\")" << "error 13";
    QTest::newRow("Hex beyond a Long") << "Hex(1E10)" << "error 6";
    // clang-format on
}

void TestVBScriptNumbers::expressionGivesSubtypeAndValue()
{
    QFETCH(QString, expression);
    QFETCH(QString, result);

    // The table names an error by its number alone.
    const QString got = subtypeAndValue(expression);
    QCOMPARE(got.startsWith(QLatin1String("error ")) ? got.section(QLatin1Char(':'), 0, 0) : got,
             result);
}

TAVRIX_TEST_GUILESS_MAIN(TestVBScriptNumbers)
#include "tst_vbscriptnumbers.moc"
