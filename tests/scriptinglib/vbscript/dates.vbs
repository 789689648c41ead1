' Date functions: adding across month ends, differences, parts, serials, names and formats.
Dim d, x
d = #1/31/2003#
WScript.Echo DateAdd("m", 1, d), DateAdd("m", 1, #1/31/2004#), DateAdd("yyyy", 1, #2/29/2004#)
WScript.Echo DateAdd("d", 1, d), DateAdd("ww", 1, d), DateAdd("q", 1, d), DateAdd("m", -2, d), DateAdd("y", -31, d)
WScript.Echo DateAdd("h", 25, d), DateAdd("n", -1, d), DateAdd("s", 90, d), DateAdd("d", 1.5, d)
WScript.Echo DateDiff("d", #1/1/2003#, #3/1/2003#), DateDiff("m", #1/31/2003#, #2/1/2003#), DateDiff("yyyy", #12/31/2002#, #1/1/2003#)
WScript.Echo DateDiff("h", #1/1/2003 11:59:00 PM#, #1/2/2003 12:01:00 AM#), DateDiff("n", #1/1/2003 10:00#, #1/1/2003 9:30#), DateDiff("s", #10:00:00#, #10:01:01#)
WScript.Echo DateDiff("w", #1/1/2003#, #1/15/2003#), DateDiff("ww", #1/4/2003#, #1/5/2003#), DateDiff("q", #1/1/2003#, #12/31/2003#), DateDiff("d", #3/1/2003#, #1/1/2003#)
WScript.Echo DatePart("yyyy", d), DatePart("q", d), DatePart("m", d), DatePart("y", #2/1/2003#), DatePart("d", d), DatePart("w", d), DatePart("ww", d)
WScript.Echo DatePart("ww", #1/1/2005#), DatePart("ww", #1/1/2005#, vbMonday, vbFirstFourDays), DatePart("ww", #1/3/2005#, vbMonday, vbFirstFourDays)
WScript.Echo DateSerial(2003, 14, 1), DateSerial(2003, 3, 0), DateSerial(2003, 1, -1), DateSerial(99, 1, 1), DateSerial(2003, 0, 1)
WScript.Echo TimeSerial(12, -15, 0), TimeSerial(10, 90, 0), TimeSerial(0, 0, 59)
WScript.Echo Year(d), Month(d), Day(d), Weekday(d), Weekday(d, vbMonday), Weekday(d, 0)
WScript.Echo WeekdayName(6), WeekdayName(1, True), WeekdayName(1, False, vbMonday), MonthName(2), MonthName(12, True)
WScript.Echo Hour(#10:30:15 PM#), Minute(#10:30:15 PM#), Second(#10:30:15 PM#), Hour(0.75)
WScript.Echo DateValue("January 2, 2003 10:00 AM"), TimeValue("1/2/2003 10:00 AM"), CDate("2003-01-02"), DateValue("2 Jan 2003")
WScript.Echo FormatDateTime(#1/2/2003 10:30:00 PM#, vbLongDate)
WScript.Echo FormatDateTime(#1/2/2003 10:30:00 PM#, vbShortDate), FormatDateTime(#1/2/2003 10:30:00 PM#, vbLongTime), FormatDateTime(#1/2/2003 10:30:00 PM#, vbShortTime)
WScript.Echo FormatDateTime(#1/2/2003 10:30:00 PM#), FormatDateTime(#1/2/2003#, vbGeneralDate), FormatDateTime(#10:30:00 PM#)
WScript.Echo IsNull(Year(Null)), IsNull(DateAdd("d", 1, Null)), Year(Date) > 2000, Now >= Date, TypeName(Now), Int(Now) = Date
On Error Resume Next
x = DateAdd("x", 1, d): WScript.Echo Err.Number: Err.Clear
x = MonthName(13): WScript.Echo Err.Number: Err.Clear
x = DateSerial(10000, 1, 1): WScript.Echo Err.Number: Err.Clear
x = DateAdd("yyyy", 9000, d): WScript.Echo Err.Number: Err.Clear
x = Year("not a date"): WScript.Echo Err.Number: Err.Clear
x = FormatDateTime(d, 5): WScript.Echo Err.Number: Err.Clear
