' The conversion functions: rounding half to even, texts that read as numbers, ranges.
Dim x
WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CLng(1.5), CInt("12"), CInt(" 7 "), CByte(254.5)
WScript.Echo CDbl("1.5e2"), CDbl("1,234.5"), CDbl("&H10"), CDbl("-5"), CDbl("5-"), CDbl("(5)"), CDbl("$3")
WScript.Echo CBool(1), CBool(0), CBool("true"), CBool("False"), CBool("0"), CBool(-0.1)
WScript.Echo CStr(1.5), CStr(True), "[" & CStr(Empty) & "]", CStr(#1/2/2003 10:30:00 PM#), CStr(CCur(1.25))
WScript.Echo CByte(255), CSng(1.5), CCur("12.34567"), CDate("January 2, 2003"), CDate("10:05 PM")
WScript.Echo CSng(1) / 3, CDbl(CSng(0.1)) = 0.1, CLng("&HFFFF"), CLng("65535")
WScript.Echo CDate(0), CDate(1.5), #12/30/1899#, CDate(#1/1/2000#) + 0.25
WScript.Echo TypeName(CDate("1/2/2003")), CDbl(#1/2/2003#), CLng(#1/2/2003 11:00:00 PM#)
On Error Resume Next
x = CInt("abc"): WScript.Echo Err.Number: Err.Clear
x = CByte(256): WScript.Echo Err.Number: Err.Clear
x = CByte(-1): WScript.Echo Err.Number: Err.Clear
x = CInt(32767.5): WScript.Echo Err.Number: Err.Clear
x = CInt(Null): WScript.Echo Err.Number, Err.Description: Err.Clear
x = CStr(Null): WScript.Echo Err.Number: Err.Clear
x = CDate("hello"): WScript.Echo Err.Number: Err.Clear
x = CBool("yes"): WScript.Echo Err.Number: Err.Clear
x = CLng(Array(1)): WScript.Echo Err.Number: Err.Clear
