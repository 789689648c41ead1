// The VBScript engine's library functions (text, math, dates, conversions, the engine's own)
// and the Dictionary object: the subtype and value each call gives, and the run-time errors
// for wrong argument types, Null and values out of range.

#include "common/testmain.h"

#include "vbscriptrun.h"

#include <QTest>

class TestVBScriptLibrary : public QObject
{
    Q_OBJECT

private slots:
    void callGivesSubtypeAndValue_data();
    void callGivesSubtypeAndValue();
    void scriptGivesItsLines_data();
    void scriptGivesItsLines();
};

void TestVBScriptLibrary::callGivesSubtypeAndValue_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("result"); // "Subtype value", or "error N: description"

    // clang-format off
    QTest::newRow("Len of Null is Null") << "Len(Null)" << "Null ";
    QTest::newRow("Len of a number counts its text") << "Len(123)" << "Long 3";
    QTest::newRow("Len of Empty") << "Len(Empty)" << "Long 0";
    QTest::newRow("LenB counts two bytes a character") << "LenB(\"ab\")" << "Long 4";
    QTest::newRow("LenB of Null") << "LenB(Null)" << "Null ";
    QTest::newRow("Left longer than the text") << "Left(\"abc\", 5)" << "String abc";
    QTest::newRow("Left of a negative length") << "Left(\"abc\", -1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Left of Null") << "Left(Null, 1)" << "Null ";
    QTest::newRow("Left with a Null length") << "Left(\"abc\", Null)" << "error 94: Invalid use of Null";
    QTest::newRow("Right") << "Right(\"abc\", 2)" << "String bc";
    QTest::newRow("LeftB counts bytes") << "LeftB(\"abcd\", 4)" << "String ab";
    QTest::newRow("RightB counts bytes") << "RightB(\"abcd\", 2)" << "String d";
    QTest::newRow("Mid to the end") << "Mid(\"abcdef\", 2)" << "String bcdef";
    QTest::newRow("Mid from zero") << "Mid(\"abc\", 0)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Mid past the end is empty") << "Mid(\"abc\", 5)" << "String ";
    QTest::newRow("Mid of a negative length") << "Mid(\"abc\", 2, -1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Mid of Null") << "Mid(Null, 1)" << "Null ";
    QTest::newRow("MidB counts bytes") << "MidB(\"abcd\", 3, 2)" << "String b";
    QTest::newRow("InStr from a start") << "InStr(2, \"abcabc\", \"a\")" << "Long 4";
    QTest::newRow("InStr from zero") << "InStr(0, \"abc\", \"a\")" << "error 5: Invalid procedure call or argument";
    QTest::newRow("InStr comparing text") << "InStr(1, \"ABC\", \"b\", 1)" << "Long 2";
    QTest::newRow("InStr comparing binary") << "InStr(1, \"ABC\", \"b\", 0)" << "Long 0";
    QTest::newRow("InStr of an empty text finds the start") << "InStr(2, \"abc\", \"\")" << "Long 2";
    QTest::newRow("InStr of Null text") << "InStr(\"abc\", Null)" << "Null ";
    QTest::newRow("InStr from a Null start") << "InStr(Null, \"abc\", \"a\")" << "error 94: Invalid use of Null";
    QTest::newRow("InStrRev finds the last") << "InStrRev(\"abcabc\", \"c\")" << "Long 6";
    QTest::newRow("InStrRev from a start") << "InStrRev(\"abcabc\", \"c\", 5)" << "Long 3";
    QTest::newRow("InStrRev from zero") << "InStrRev(\"abc\", \"a\", 0)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("InStrRev not found") << "InStrRev(\"abc\", \"x\")" << "Long 0";
    QTest::newRow("InStrRev of Null") << "InStrRev(Null, \"a\")" << "Null ";
    QTest::newRow("InStrRev comparing text") << "InStrRev(\"aBc\", \"b\", -1, 1)" << "Long 2";
    QTest::newRow("Replace from a start drops the text before") << "Replace(\"aaa\", \"a\", \"b\", 2)" << "String bb";
    QTest::newRow("Replace a count of times") << "Replace(\"aaaa\", \"a\", \"b\", 1, 2)" << "String bbaa";
    QTest::newRow("Replace comparing text") << "Replace(\"ABC\", \"b\", \"x\", 1, -1, 1)" << "String AxC";
    QTest::newRow("Replace in Null") << "Replace(Null, \"a\", \"b\")" << "error 94: Invalid use of Null";
    QTest::newRow("Replace of an empty text") << "Replace(\"abc\", \"\", \"x\")" << "String abc";
    QTest::newRow("Replace from zero") << "Replace(\"abc\", \"a\", \"b\", 0)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("StrComp binary puts lower case after") << "StrComp(\"a\", \"B\")" << "Integer 1";
    QTest::newRow("StrComp text ignores case") << "StrComp(\"a\", \"B\", 1)" << "Integer -1";
    QTest::newRow("StrComp of equal texts") << "StrComp(\"a\", \"a\")" << "Integer 0";
    QTest::newRow("StrComp of Null") << "StrComp(Null, \"a\")" << "Null ";
    QTest::newRow("LCase of Null") << "LCase(Null)" << "Null ";
    QTest::newRow("UCase of accented letters") << "UCase(\"a\" & ChrW(233))" << QStringLiteral("String A\u00c9");
    QTest::newRow("LTrim keeps trailing blanks") << "LTrim(\"  a \") & \"|\"" << "String a |";
    QTest::newRow("RTrim keeps leading blanks") << "\"|\" & RTrim(\" a  \")" << "String | a";
    QTest::newRow("Trim of Null") << "Trim(Null)" << "Null ";
    QTest::newRow("StrReverse") << "StrReverse(\"abc\")" << "String cba";
    QTest::newRow("StrReverse of Null") << "StrReverse(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("Space") << "Len(Space(3))" << "Long 3";
    QTest::newRow("Space of a negative count") << "Space(-1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("String of a text repeats its first character") << "String(3, \"ab\")" << "String aaa";
    QTest::newRow("String of a character code") << "String(2, 65)" << "String AA";
    QTest::newRow("String of a negative count") << "String(-1, \"a\")" << "error 5: Invalid procedure call or argument";
    QTest::newRow("String of Null") << "String(2, Null)" << "Null ";
    QTest::newRow("String of an empty text") << "String(2, \"\")" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Asc of an empty text") << "Asc(\"\")" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Asc of Null") << "Asc(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("Asc counts in Windows-1252") << "Asc(ChrW(8364))" << "Integer 128";
    QTest::newRow("AscW") << "AscW(ChrW(8364))" << "Integer 8364";
    QTest::newRow("AscB") << "AscB(\"A\")" << "Integer 65";
    QTest::newRow("Chr beyond a byte") << "Chr(256)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Chr below zero") << "Chr(-1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Chr counts in Windows-1252") << "AscW(Chr(128))" << "Integer 8364";
    QTest::newRow("ChrW beyond 16 bits") << "ChrW(70000)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Escape") << "Escape(\"a b+\" & ChrW(233) & ChrW(8364))" << "String a%20b+%E9%u20AC";
    QTest::newRow("Unescape") << "AscW(Unescape(\"%u20AC\")) & Unescape(\"%41%zz\")" << "String 8364A%zz";

    QTest::newRow("Abs of Null") << "Abs(Null)" << "Null ";
    QTest::newRow("Abs keeps the Integer") << "Abs(-5)" << "Integer 5";
    QTest::newRow("Abs of a text is a Double") << "Abs(\"-2.5\")" << "Double 2.5";
    QTest::newRow("Abs of a text that is no number") << "Abs(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("Int rounds down") << "Int(-2.5)" << "Double -3";
    QTest::newRow("Fix rounds to zero") << "Fix(-2.5)" << "Double -2";
    QTest::newRow("Int of Null") << "Int(Null)" << "Null ";
    QTest::newRow("Int keeps the Currency") << "Int(CCur(-1.5))" << "Currency -2";
    QTest::newRow("Int of True") << "Int(True)" << "Integer -1";
    QTest::newRow("Int of Empty") << "Int(Empty)" << "Integer 0";
    QTest::newRow("Round half to even down") << "Round(2.5)" << "Double 2";
    QTest::newRow("Round half to even up") << "Round(3.5)" << "Double 4";
    QTest::newRow("Round to places") << "Round(1.2345, 2)" << "Double 1.23";
    QTest::newRow("Round to negative places") << "Round(15, -1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Round of Null") << "Round(Null)" << "Null ";
    QTest::newRow("Round keeps the Currency") << "Round(CCur(2.5))" << "Currency 2";
    QTest::newRow("Sgn of a negative") << "Sgn(-3)" << "Integer -1";
    QTest::newRow("Sgn of zero") << "Sgn(0)" << "Integer 0";
    QTest::newRow("Sqr") << "Sqr(4)" << "Double 2";
    QTest::newRow("Sqr of a negative") << "Sqr(-1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Sqr of Null") << "Sqr(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("Log of zero") << "Log(0)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Exp beyond a Double") << "Exp(710)" << "error 6: Overflow";
    QTest::newRow("Exp of zero") << "Exp(0)" << "Double 1";
    QTest::newRow("Atn gives pi over four") << "Atn(1) * 4" << "Double 3.14159265358979";
    QTest::newRow("Cos of zero") << "Cos(0)" << "Double 1";
    QTest::newRow("Tan of zero") << "Tan(0)" << "Double 0";
    QTest::newRow("RGB of red") << "RGB(255, 0, 0)" << "Long 255";
    QTest::newRow("RGB of blue") << "RGB(0, 0, 255)" << "Long 16711680";
    QTest::newRow("RGB caps a part at 255") << "RGB(300, 0, 0)" << "Long 255";
    QTest::newRow("RGB of a negative part") << "RGB(-1, 0, 0)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Rnd is below one") << "Rnd >= 0 And Rnd < 1" << "Boolean True";

    QTest::newRow("DateAdd a month to the month's last day") << "DateAdd(\"m\", 1, #1/31/2003#)" << "Date 2/28/2003";
    QTest::newRow("DateAdd a year to a leap day") << "DateAdd(\"yyyy\", 1, #2/29/2004#)" << "Date 2/28/2005";
    QTest::newRow("DateAdd a quarter") << "DateAdd(\"q\", 1, #1/15/2003#)" << "Date 4/15/2003";
    QTest::newRow("DateAdd a week") << "DateAdd(\"ww\", 1, #1/1/2003#)" << "Date 1/8/2003";
    QTest::newRow("DateAdd hours past a day") << "DateAdd(\"h\", 25, #1/1/2003#)" << "Date 1/2/2003 1:00:00 AM";
    QTest::newRow("DateAdd a minute back") << "DateAdd(\"n\", -1, #1/1/2003#)" << "Date 12/31/2002 11:59:00 PM";
    QTest::newRow("DateAdd seconds") << "DateAdd(\"s\", 30, #1/1/2003 10:00:00 AM#)" << "Date 1/1/2003 10:00:30 AM";
    QTest::newRow("DateAdd of an unknown interval") << "DateAdd(\"x\", 1, #1/1/2003#)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("DateAdd of a text that is no date") << "DateAdd(\"d\", 1, \"x\")" << "error 13: Type mismatch";
    QTest::newRow("DateDiff in days") << "DateDiff(\"d\", #1/1/2003#, #1/31/2003#)" << "Long 30";
    QTest::newRow("DateDiff backwards") << "DateDiff(\"d\", #1/2/2003#, #1/1/2003#)" << "Long -1";
    QTest::newRow("DateDiff counts month boundaries") << "DateDiff(\"m\", #1/31/2003#, #2/1/2003#)" << "Long 1";
    QTest::newRow("DateDiff counts year boundaries") << "DateDiff(\"yyyy\", #12/31/2002#, #1/1/2003#)" << "Long 1";
    QTest::newRow("DateDiff in quarters") << "DateDiff(\"q\", #1/1/2003#, #12/31/2003#)" << "Long 3";
    QTest::newRow("DateDiff counts Sundays for weeks") << "DateDiff(\"ww\", #1/1/2003#, #1/15/2003#)" << "Long 2";
    QTest::newRow("DateDiff in whole weeks") << "DateDiff(\"w\", #1/1/2003#, #1/15/2003#)" << "Long 2";
    QTest::newRow("DateDiff in hours") << "DateDiff(\"h\", #1/1/2003#, #1/2/2003#)" << "Long 24";
    QTest::newRow("DateDiff in minutes") << "DateDiff(\"n\", #1/1/2003#, #1/2/2003#)" << "Long 1440";
    QTest::newRow("DateDiff in seconds") << "DateDiff(\"s\", #1/1/2003#, #1/2/2003#)" << "Long 86400";
    QTest::newRow("DateDiff of an unknown interval") << "DateDiff(\"z\", #1/1/2003#, #1/2/2003#)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("DatePart quarter") << "DatePart(\"q\", #5/1/2003#)" << "Integer 2";
    QTest::newRow("DatePart day of the year") << "DatePart(\"y\", #2/1/2003#)" << "Integer 32";
    QTest::newRow("DatePart weekday") << "DatePart(\"w\", #1/1/2003#)" << "Integer 4";
    QTest::newRow("DatePart weekday from Monday") << "DatePart(\"w\", #1/1/2003#, vbMonday)" << "Integer 3";
    QTest::newRow("DatePart first week") << "DatePart(\"ww\", #1/1/2003#)" << "Integer 1";
    QTest::newRow("DatePart last week") << "DatePart(\"ww\", #12/31/2003#)" << "Integer 53";
    QTest::newRow("DatePart hour") << "DatePart(\"h\", #1/1/2003 3:04:05 PM#)" << "Integer 15";
    QTest::newRow("DatePart minute") << "DatePart(\"n\", #1/1/2003 3:04:05 PM#)" << "Integer 4";
    QTest::newRow("DatePart second") << "DatePart(\"s\", #1/1/2003 3:04:05 PM#)" << "Integer 5";
    QTest::newRow("Weekday") << "Weekday(#1/1/2003#)" << "Integer 4";
    QTest::newRow("Weekday from Monday") << "Weekday(#1/1/2003#, vbMonday)" << "Integer 3";
    QTest::newRow("Weekday from an unknown day") << "Weekday(#1/1/2003#, 8)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Weekday of Null") << "Weekday(Null)" << "Null ";
    QTest::newRow("DateSerial past December") << "DateSerial(2003, 13, 1)" << "Date 1/1/2004";
    QTest::newRow("DateSerial of day zero") << "DateSerial(2003, 1, 0)" << "Date 12/31/2002";
    QTest::newRow("DateSerial years below 100 are the 1900s") << "DateSerial(29, 1, 1)" << "Date 1/1/1929";
    QTest::newRow("a two-digit year up to 29 in a text is the 2000s") << "CDate(\"1/1/29\")" << "Date 1/1/2029";
    QTest::newRow("a two-digit year from 30 in a text is the 1900s") << "CDate(\"1/1/30\")" << "Date 1/1/1930";
    QTest::newRow("DateSerial past 9999") << "DateSerial(10000, 1, 1)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("TimeSerial") << "TimeSerial(1, 2, 3)" << "Date 1:02:03 AM";
    QTest::newRow("TimeSerial past a day") << "TimeSerial(25, 0, 0)" << "Date 12/31/1899 1:00:00 AM";
    QTest::newRow("DateValue drops the time") << "DateValue(\"1/2/2003 10:30 PM\")" << "Date 1/2/2003";
    QTest::newRow("TimeValue drops the date") << "TimeValue(\"1/2/2003 10:30 PM\")" << "Date 10:30:00 PM";
    QTest::newRow("DateValue of a text that is no date") << "DateValue(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("MonthName") << "MonthName(2)" << "String February";
    QTest::newRow("MonthName abbreviated") << "MonthName(2, True)" << "String Feb";
    QTest::newRow("MonthName of month 13") << "MonthName(13)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("WeekdayName") << "WeekdayName(1)" << "String Sunday";
    QTest::newRow("WeekdayName abbreviated") << "WeekdayName(1, True)" << "String Sun";
    QTest::newRow("WeekdayName from Monday") << "WeekdayName(1, False, vbMonday)" << "String Monday";
    QTest::newRow("WeekdayName of day 8") << "WeekdayName(8)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("Year of Null") << "Year(Null)" << "Null ";
    QTest::newRow("Year of a text that is no date") << "Year(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("Month") << "Month(#2/3/2004#)" << "Integer 2";
    QTest::newRow("Day") << "Day(#2/3/2004#)" << "Integer 3";
    QTest::newRow("Hour") << "Hour(#1:02:03 PM#)" << "Integer 13";
    QTest::newRow("Minute") << "Minute(#1:02:03 PM#)" << "Integer 2";
    QTest::newRow("Second") << "Second(#1:02:03 PM#)" << "Integer 3";

    QTest::newRow("CDate of a text that is no date") << "CDate(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("CDate of a text") << "CDate(\"1/2/2003\")" << "Date 1/2/2003";
    QTest::newRow("CDate of a fraction") << "CDate(2.5)" << "Date 1/1/1900 12:00:00 PM";
    QTest::newRow("CBool of a truth text") << "CBool(\"true\")" << "Boolean True";
    QTest::newRow("CBool of a number text") << "CBool(\"0\")" << "Boolean False";
    QTest::newRow("CBool of a text that is no truth value") << "CBool(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("CDbl with thousands separators") << "CDbl(\"1,234.5\")" << "Double 1234.5";
    QTest::newRow("CDbl of a hexadecimal text") << "CDbl(\"&H10\")" << "Double 16";
    QTest::newRow("CLng of a 16-bit hexadecimal text") << "CLng(\"&HFFFF\")" << "Long -1";
    QTest::newRow("CDbl with blanks around") << "CDbl(\" 12 \")" << "Double 12";
    QTest::newRow("CDbl with an exponent") << "CDbl(\"1e3\")" << "Double 1000";
    QTest::newRow("CDbl of a lone sign") << "CDbl(\"-\")" << "error 13: Type mismatch";
    QTest::newRow("CInt of an empty text") << "CInt(\"\")" << "error 13: Type mismatch";
    QTest::newRow("CCur rounds to four places") << "CCur(\"1.23456\")" << "Currency 1.2346";
    QTest::newRow("CStr of Null") << "CStr(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("CByte of a text") << "CByte(\"255\")" << "Byte 255";

    QTest::newRow("Eval") << "Eval(\"1 + 2\")" << "Integer 3";
    QTest::newRow("Eval of a comparison") << "Eval(\"1 = 2\")" << "Boolean False";
    QTest::newRow("Eval of text that does not parse gives the checker's message") << "Eval(\"1 +\")" << "error 1002: Expected an expression; found the end of the script";
    QTest::newRow("GetRef of no procedure") << "GetRef(\"nothing\")" << "error 5: Invalid procedure call or argument";
    QTest::newRow("CreateObject of another ProgID") << "CreateObject(\"Foo.Bar\")" << "error 429: ActiveX component can't create object";
    QTest::newRow("GetObject") << "GetObject(\"x\")" << "error 429: ActiveX component can't create object";
    QTest::newRow("GetLocale is en-US") << "GetLocale()" << "Long 1033";
    QTest::newRow("SetLocale to en-US by name") << "SetLocale(\"en-us\")" << "Long 1033";
    QTest::newRow("SetLocale to another locale") << "SetLocale(1031)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("SetLocale to another locale by name") << "SetLocale(\"de-de\")" << "error 5: Invalid procedure call or argument";
    QTest::newRow("ScriptEngine") << "ScriptEngine & ScriptEngineMajorVersion & \".\" & ScriptEngineMinorVersion" << "String VBScript5.8";
    QTest::newRow("Len of an array") << "Len(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("LenB of an array") << "LenB(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("Left of a length that is no number") << "Left(\"abc\", \"x\")" << "error 13: Type mismatch";
    QTest::newRow("Mid from a start that is no number") << "Mid(\"abc\", \"x\")" << "error 13: Type mismatch";
    QTest::newRow("InStr from a start that is no number") << "InStr(\"x\", \"abc\", \"a\")" << "error 13: Type mismatch";
    QTest::newRow("InStr from past the end") << "InStr(5, \"abc\", \"\")" << "Long 0";
    QTest::newRow("InStr of an array") << "InStr(\"abc\", Array(1))" << "error 13: Type mismatch";
    QTest::newRow("InStrRev of an empty text finds the start") << "InStrRev(\"abc\", \"\", 2)" << "Long 2";
    QTest::newRow("InStrRev from past the end") << "InStrRev(\"abc\", \"a\", 5)" << "Long 0";
    QTest::newRow("InStrRev from a start that is no number") << "InStrRev(\"abc\", \"a\", \"x\")" << "error 13: Type mismatch";
    QTest::newRow("Replace from past the end is empty") << "Replace(\"abc\", \"a\", \"b\", 5)" << "String ";
    QTest::newRow("StrComp of a mode that is no number") << "StrComp(\"a\", \"b\", \"x\")" << "error 13: Type mismatch";
    QTest::newRow("StrComp of an array") << "StrComp(\"a\", Array(1))" << "error 13: Type mismatch";
    QTest::newRow("LCase") << "LCase(\"AbC\" & ChrW(201))" << QStringLiteral("String abc\u00e9");
    QTest::newRow("UCase of an array") << "UCase(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("Space beyond the longest text") << "Space(2147483647)" << "error 14: Out of string space";
    QTest::newRow("String beyond the longest text") << "String(2147483647, \"a\")" << "error 14: Out of string space";
    QTest::newRow("String of a code that is no number") << "String(2, Array(1))" << "error 13: Type mismatch";
    QTest::newRow("Asc of an array") << "Asc(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("AscW of an empty text") << "AscW(\"\")" << "error 5: Invalid procedure call or argument";
    QTest::newRow("AscB of Null") << "AscB(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("Chr of a text that is no number") << "Chr(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("ChrW of a text that is no number") << "ChrW(\"x\")" << "error 13: Type mismatch";

    QTest::newRow("Abs of an array") << "Abs(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("Int of a text that is no number") << "Int(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("Int keeps the Single") << "Int(CSng(-1.5))" << "Single -2";
    QTest::newRow("Int of a date drops the time") << "Int(#1/1/2003 12:00:00 PM#)" << "Date 1/1/2003";
    QTest::newRow("Fix of a text") << "Fix(\"-2.7\")" << "Double -2";
    QTest::newRow("Round keeps the Single") << "Round(CSng(2.5))" << "Single 2";
    QTest::newRow("Round to places that are no number") << "Round(1, \"x\")" << "error 13: Type mismatch";
    QTest::newRow("Sgn of a text that is no number") << "Sgn(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("Log of e") << "Log(Exp(1))" << "Double 1";
    QTest::newRow("Sin of zero") << "Sin(0)" << "Double 0";
    QTest::newRow("Rnd of a text that is no number") << "Rnd(\"x\")" << "error 13: Type mismatch";

    QTest::newRow("Date has no time") << "Date = DateValue(Date)" << "Boolean True";
    QTest::newRow("Time has no date") << "Time < 1" << "Boolean True";
    QTest::newRow("Timer counts seconds of the day") << "Timer >= 0 And Timer < 86400" << "Boolean True";
    QTest::newRow("DateAdd to Null") << "DateAdd(\"d\", 1, Null)" << "Null ";
    QTest::newRow("DateAdd of a Null interval") << "DateAdd(Null, 1, #1/1/2003#)" << "error 94: Invalid use of Null";
    QTest::newRow("DateAdd past 9999") << "DateAdd(\"yyyy\", 8000, #1/1/2003#)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("DateDiff to Null") << "DateDiff(\"d\", Null, #1/1/2003#)" << "Null ";
    QTest::newRow("DatePart of an unknown interval") << "DatePart(\"z\", #1/1/2003#)" << "error 5: Invalid procedure call or argument";
    QTest::newRow("DatePart of Null") << "DatePart(\"d\", Null)" << "Null ";
    QTest::newRow("DatePart year") << "DatePart(\"yyyy\", #2/3/2004#)" << "Integer 2004";
    QTest::newRow("DatePart month") << "DatePart(\"m\", #2/3/2004#)" << "Integer 2";
    QTest::newRow("DatePart day") << "DatePart(\"d\", #2/3/2004#)" << "Integer 3";
    QTest::newRow("DatePart first four-day week") << "DatePart(\"ww\", #1/1/2004#, vbMonday, vbFirstFourDays)" << "Integer 1";
    QTest::newRow("DatePart four-day week of the year before") << "DatePart(\"ww\", #1/1/2005#, vbMonday, vbFirstFourDays)" << "Integer 53";
    QTest::newRow("DatePart full week of the year before") << "DatePart(\"ww\", #1/1/2005#, vbSunday, vbFirstFullWeek)" << "Integer 52";
    QTest::newRow("DatePart first full week") << "DatePart(\"ww\", #1/10/2005#, vbSunday, vbFirstFullWeek)" << "Integer 2";
    QTest::newRow("Weekday from the system's first day is Sunday") << "Weekday(#1/1/2003#, 0)" << "Integer 4";
    QTest::newRow("Weekday from a day that is no number") << "Weekday(#1/1/2003#, \"x\")" << "error 13: Type mismatch";
    QTest::newRow("DateSerial of a year that is no number") << "DateSerial(\"x\", 1, 1)" << "error 13: Type mismatch";
    QTest::newRow("TimeSerial of an hour that is no number") << "TimeSerial(\"x\", 0, 0)" << "error 13: Type mismatch";
    QTest::newRow("MonthName of a text that is no number") << "MonthName(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("WeekdayName of a text that is no number") << "WeekdayName(\"x\")" << "error 13: Type mismatch";

    QTest::newRow("CSng of Null") << "CSng(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("CSng of a text that is no number") << "CSng(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("CCur past its range") << "CCur(1E16)" << "error 6: Overflow";
    QTest::newRow("CCur of a text that is no number") << "CCur(\"x\")" << "error 13: Type mismatch";
    QTest::newRow("CBool of Null") << "CBool(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("CBool of a false text") << "CBool(\"False\")" << "Boolean False";
    QTest::newRow("CBool of an array") << "CBool(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("CDate past 9999") << "CDate(3000000)" << "error 6: Overflow";
    QTest::newRow("CDate of Null") << "CDate(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("CStr of an array") << "CStr(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("IsNumeric of Empty") << "IsNumeric(Empty)" << "Boolean True";
    QTest::newRow("IsNumeric of a number text") << "IsNumeric(\"1e3\")" << "Boolean True";
    QTest::newRow("IsNumeric of a text") << "IsNumeric(\"x\")" << "Boolean False";
    QTest::newRow("IsNumeric of Null") << "IsNumeric(Null)" << "Boolean False";
    QTest::newRow("IsNumeric of a date") << "IsNumeric(#1/1/2003#)" << "Boolean False";
    QTest::newRow("IsNumeric of an array") << "IsNumeric(Array(1))" << "Boolean False";

    QTest::newRow("GetRef of an array") << "GetRef(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("CreateObject of Null") << "CreateObject(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("MsgBox of Null") << "MsgBox(Null)" << "error 94: Invalid use of Null";
    // clang-format on
}

void TestVBScriptLibrary::callGivesSubtypeAndValue()
{
    QFETCH(QString, expression);
    QFETCH(QString, result);

    QCOMPARE(subtypeAndValue(expression), result);
}

void TestVBScriptLibrary::scriptGivesItsLines_data()
{
    QTest::addColumn<QString>("script"); // P echoes a value; d is a new Dictionary
    QTest::addColumn<QString>("result"); // the echo lines joined by '|'

    // clang-format off
    QTest::newRow("Add of an existing key") << "d.Add \"a\", 1: d.Add \"a\", 2" << "error 457: This key is already associated with an element of this collection";
    QTest::newRow("Remove of a missing key") << "d.Add \"a\", 1: d.Remove \"b\"" << "error 32811: Element not found";
    QTest::newRow("Key of a missing key") << "d.Key(\"z\") = \"y\"" << "error 32811: Element not found";
    QTest::newRow("Key onto an existing key") << "d.Add \"a\", 1: d.Add \"b\", 2: d.Key(\"a\") = \"b\"" << "error 457: This key is already associated with an element of this collection";
    QTest::newRow("Key keeps the place and the item") << "d.Add \"a\", 1: d.Add \"b\", 2: d.Key(\"a\") = \"c\": P Join(d.Keys, \",\") & \" \" & d(\"c\")" << "c,b 1";
    QTest::newRow("CompareMode of a filled dictionary") << "d.Add \"a\", 1: d.CompareMode = 1" << "error 5: Invalid procedure call or argument";
    QTest::newRow("CompareMode out of range") << "d.CompareMode = 3" << "error 5: Invalid procedure call or argument";
    QTest::newRow("binary mode tells cases apart") << "d.Add \"a\", 1: d.Add \"A\", 2: P d.Count & \" \" & d.Exists(\"A\")" << "2 True";
    QTest::newRow("Count with an argument") << "x = d.Count(1)" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("Exists without an argument") << "x = d.Exists()" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("assigning to Items") << "d.Items = 1" << "error 438: Object doesn't support this property or method";
    QTest::newRow("reading Item with two keys") << "x = d.Item(1, 2)" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("a key added again goes last") << "d.Add \"a\", 1: d.Add \"b\", 2: d.Remove \"a\": d.Add \"a\", 3: P Join(d.Keys, \",\") & \" \" & Join(d.Items, \",\")" << "b,a 2,3";
    QTest::newRow("removing most keys keeps the rest in order") << "For i = 1 To 40: d.Add i, i * 10: Next: For i = 1 To 36: d.Remove i: Next: P Join(d.Keys, \",\") & \" \" & d(38) & \" \" & d.Exists(5) & \" \" & d.Count" << "37,38,39,40 380 False 4";
    QTest::newRow("Empty, Null, True and a date are keys") << "d.Add Empty, \"e\": d.Add Null, \"n\": d.Add True, \"t\": d.Add #1/2/2003#, \"d\": P d(Empty) & d(Null) & d(True) & d(#1/2/2003#) & d.Count" << "entd4";
    QTest::newRow("a number and its text are two keys") << "d.Add 1, \"n\": d.Add \"1\", \"s\": P d.Count & d(1) & d(\"1\")" << "2ns";
    QTest::newRow("numbers of any subtype are one key") << "d.Add CByte(2), \"b\": P d.Exists(2.0) & \" \" & d(CCur(2))" << "True b";
    QTest::newRow("RemoveAll then Add") << "d.Add \"a\", 1: d.RemoveAll: d.Add \"a\", 2: P d.Count & \" \" & d(\"a\")" << "1 2";
    QTest::newRow("For Each gives the keys after a removal") << "d.Add \"a\", 1: d.Add \"b\", 2: d.Add \"c\", 3: d.Remove \"b\": For Each k In d: P k: Next" << "a|c";
    QTest::newRow("an object item by Set") << "Set d(\"x\") = New RegExp: d(\"x\").Pattern = \"p\": P d(\"x\").Pattern" << "p";

    QTest::newRow("Execute runs statements") << "Execute \"y = 5\": P y" << "5";
    QTest::newRow("ExecuteGlobal defines procedures") << "ExecuteGlobal \"Function G(a): G = a * 2: End Function\": P G(4)" << "8";
    QTest::newRow("GetRef calls the procedure") << "Set r = GetRef(\"Twice\"): P r(21)" << "42";
    QTest::newRow("MsgBox writes its prompt and answers OK") << "P MsgBox(\"hi\") = vbOK" << "hi|True";
    QTest::newRow("InputBox answers nothing") << "P \"[\" & InputBox(\"q\") & \"]\"" << "q|[]";
    QTest::newRow("Rnd of zero repeats the last number") << "x = Rnd: P x = Rnd(0)" << "True";
    QTest::newRow("Rnd of a negative repeats its sequence") << "P Rnd(-3) = Rnd(-3)" << "True";
    QTest::newRow("Randomize with a seed after Rnd(-1) repeats") << "x = Rnd(-1): Randomize 3: a = Rnd: x = Rnd(-1): Randomize 3: P a = Rnd" << "True";
    QTest::newRow("an object is a key") << "Set o = New RegExp: d.Add o, 1: P d.Exists(o) & \" \" & d.Exists(New RegExp)" << "True False";
    QTest::newRow("Item assigned") << "d(\"a\") = 5: d(\"a\") = d(\"a\") + 1: P d(\"a\") & \" \" & d.Count" << "6 1";
    QTest::newRow("an array as a key to assign") << "d(Array(1)) = 1" << "error 13: Type mismatch";
    QTest::newRow("an array as a key to Add") << "d.Add Array(1), 1" << "error 13: Type mismatch";
    QTest::newRow("an array as a key to Exists") << "x = d.Exists(Array(1))" << "error 13: Type mismatch";
    QTest::newRow("an array as a key to Remove") << "d.Remove Array(1)" << "error 13: Type mismatch";
    QTest::newRow("an array as a new Key") << "d.Add \"a\", 1: d.Key(\"a\") = Array(1)" << "error 13: Type mismatch";
    QTest::newRow("CompareMode read") << "P d.CompareMode: d.CompareMode = vbTextCompare: P d.CompareMode" << "0|1";
    QTest::newRow("CompareMode read with an argument") << "x = d.CompareMode(1)" << "error 450: Wrong number of arguments or invalid property assignment";
    QTest::newRow("CompareMode that is no number") << "d.CompareMode = \"x\"" << "error 13: Type mismatch";
    QTest::newRow("text mode finds keys in any case") << "d.CompareMode = 1: d.Add \"Key\", 1: d.Remove \"KEY\": P d.Count" << "0";
    QTest::newRow("a ByRef parameter converts like its value") << "Sub R(a)\n P CDbl(a) & \" \" & CBool(a) & \" \" & CStr(a) & \" \" & IsNumeric(a) & \" \" & CDate(a)\nEnd Sub\nv = 2: R v" << "2 True 2 True 1/1/1900";
    QTest::newRow("a ByRef text parameter is a truth value") << "Sub R(a)\n P CBool(a)\nEnd Sub\nv = \"true\": R v" << "True";
    QTest::newRow("InputBox of Null") << "x = InputBox(Null)" << "error 94: Invalid use of Null";
    QTest::newRow("Randomize with a seed that is no number") << "Randomize \"x\"" << "error 13: Type mismatch";
    // clang-format on
}

void TestVBScriptLibrary::scriptGivesItsLines()
{
    QFETCH(QString, script);
    QFETCH(QString, result);

    const QStringList lines =
        runVBScript(QStringLiteral("Set d = CreateObject(\"Scripting.Dictionary\")\n"
                                   "Sub P(x)\n    WScript.Echo x\nEnd Sub\n"
                                   "Function Twice(a)\n    Twice = a * 2\nEnd Function\n")
                    + script);
    QCOMPARE(lines.join(QLatin1Char('|')), result);
}

TAVRIX_TEST_GUILESS_MAIN(TestVBScriptLibrary)
#include "tst_vbscriptlibrary.moc"
