' Comparison operators: numbers, texts, Empty, Null, a number against a text, objects.
WScript.Echo 1 = 1, 1 < 2, 2 <= 1, 1 <> 1, 3 >= 3, 2 > 3
WScript.Echo "a" < "b", "a" = "A", "B" < "a", "abc" < "abd", "abc" < "ab", "" < "a"
WScript.Echo 1 = 1.0, CInt(1) = CLng(1), CByte(3) > 2.5, CCur(1.5) = 1.5
WScript.Echo IsNull(1 = Null), IsNull(Null = Null), IsNull(Null <> Null)
WScript.Echo Empty = 0, Empty = "", Empty = Empty, Empty < 1, Empty > -1
WScript.Echo True = -1, True < False, #1/1/2003# < #1/2/2003#
' Two variables, one numeric and one text: the number is the smaller.
Dim n, s: n = 1: s = "1"
WScript.Echo n = s, n < s, s > n
' A text written as a literal compares as a number with a number.
WScript.Echo n = "1", n < "2", 10 > "9"
WScript.Echo StrComp("a", "A"), StrComp("a", "A", 1), StrComp("b", "a"), StrComp("a", "a")
WScript.Echo StrComp("abc", "ABC", vbTextCompare), StrComp("abc", "abd"), IsNull(StrComp(Null, "a"))
Dim o1, o2: Set o1 = New RegExp: Set o2 = o1
WScript.Echo o1 Is o2, o1 Is New RegExp, Nothing Is Nothing, o1 Is Nothing
On Error Resume Next
Dim x: x = (1 Is Nothing): WScript.Echo Err.Number, Err.Description
