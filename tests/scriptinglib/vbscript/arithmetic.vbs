' Arithmetic operators: result subtypes, overflow promotion, texts and Empty, errors.
Dim x
WScript.Echo 1 + 2, TypeName(1 + 2)
WScript.Echo 32767 + 1, TypeName(32767 + 1)
WScript.Echo 2147483647 + 1, TypeName(2147483647 + 1)
WScript.Echo 200 * 200, TypeName(200 * 200)
WScript.Echo CByte(200) + CByte(100), TypeName(CByte(200) + CByte(100))
WScript.Echo CByte(5) - CByte(10), TypeName(CByte(5) - CByte(10))
WScript.Echo TypeName(CByte(1) + CByte(1))
WScript.Echo 1 + 1.5, TypeName(1 + 1.5)
WScript.Echo TypeName(CSng(1) + 1), TypeName(CSng(1) + CLng(1))
WScript.Echo TypeName(CCur(1) + 1.5), CCur(1) + 1.5
WScript.Echo "1" + 2, TypeName("1" + 2)
WScript.Echo "1" + "2", "1" & 2
WScript.Echo Empty + 5, TypeName(Empty + 5), TypeName(Empty + Empty)
WScript.Echo IsNull(Null + 1), IsNull(1 - Null), IsNull(Null * 2)
WScript.Echo True + True, TypeName(True + True)
WScript.Echo 7 / 2, TypeName(7 / 2), TypeName(4 / 2)
WScript.Echo 7 \ 2, -7 \ 2, 7.6 \ 2, TypeName(7 \ 2), TypeName(CLng(7) \ 2)
WScript.Echo 7 Mod 3, -7 Mod 3, 7 Mod -3, 7.5 Mod 2
WScript.Echo 2 ^ 10, TypeName(2 ^ 10), 2 ^ -1
x = CInt(-32768)
WScript.Echo TypeName(x), TypeName(-x), -x
x = CLng(-2147483647) - 1
WScript.Echo TypeName(x), TypeName(-x), -x
WScript.Echo #1/31/2003# + 1, TypeName(#1/31/2003# + 1)
WScript.Echo #1/3/2003# - #1/1/2003#, TypeName(#1/3/2003# - #1/1/2003#)
WScript.Echo 0.1 + 0.2, 1 / 3, 1E15, 1E-5, 123456789012345
' Negative zero: an Integer has none; a Double keeps its sign.
WScript.Echo -0, TypeName(-0), 0 * -1
WScript.Echo -0.0, 0.0 * -1, -0.0 = 0
On Error Resume Next
x = 1 / 0: WScript.Echo Err.Number, Err.Description: Err.Clear
x = 0 / 0: WScript.Echo Err.Number, Err.Description: Err.Clear
x = 5 \ 0: WScript.Echo Err.Number: Err.Clear
x = 5 Mod 0: WScript.Echo Err.Number: Err.Clear
x = "abc" + 1: WScript.Echo Err.Number, Err.Description: Err.Clear
x = 1E308 * 10: WScript.Echo Err.Number: Err.Clear
x = (-8) ^ 0.5: WScript.Echo Err.Number: Err.Clear
x = CCur(900000000000000) * 100: WScript.Echo Err.Number: Err.Clear
