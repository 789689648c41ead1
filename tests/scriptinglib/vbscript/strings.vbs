' Text functions and their edge cases.
Dim x
WScript.Echo Len("hello"), Len(""), IsNull(Len(Null)), Len(12345), Len(1.5), LenB("ab")
WScript.Echo Left("hello", 2), Right("hello", 3), Left("hi", 10), "[" & Right("hi", 0) & "]"
WScript.Echo Mid("hello", 2, 3), Mid("hello", 3), "[" & Mid("hello", 10) & "]", Mid("hello", 5, 10), "[" & Mid("hello", 2, 0) & "]"
WScript.Echo IsNull(Mid(Null, 1)), IsNull(Left(Null, 1)), IsNull(UCase(Null)), IsNull(Trim(Null))
WScript.Echo InStr("hello", "l"), InStr(4, "hello", "l"), InStr("hello", "z"), InStr("hello", ""), InStr("", "a")
WScript.Echo InStr(1, "Hello", "h"), InStr(1, "Hello", "h", 1), IsNull(InStr(Null, "a")), InStr(6, "hello", "o")
WScript.Echo InStrRev("hello", "l"), InStrRev("hello", "l", 3), InStrRev("hello", "z"), InStrRev("abcabc", "bc")
WScript.Echo Replace("aaa", "a", "b"), Replace("aaa", "a", "b", 2), Replace("aaa", "a", "b", 1, 2), Replace("Hello", "L", "x", 1, -1, 1)
WScript.Echo "[" & Replace("abc", "", "x") & "]", Replace("abc", "b", ""), "[" & Replace("abc", "a", "x", 5) & "]"
WScript.Echo UCase("MiXed"), LCase("MiXed"), "[" & Trim("  a b  ") & "]", "[" & LTrim("  a ") & "]", "[" & RTrim(" a  ") & "]"
WScript.Echo Len(Trim(vbTab & "a" & vbTab)), Len(vbCrLf), Asc(vbLf), Len(vbNullString)
WScript.Echo Space(3) & "|", String(3, "ab"), String(2, 65), StrReverse("abc"), "[" & Space(0) & "]"
WScript.Echo Asc("A"), AscW("€"), Asc("€"), Chr(65), ChrW(8364) = Chr(128), AscW(ChrW(65535))
WScript.Echo Hex(255), Hex(-1), Hex(CLng(-1)), Oct(8), Hex(4096.5), IsNull(Hex(Null)), Hex(Empty)
WScript.Echo Escape("a b&c/é"), Unescape("%41%u20AC%7a")
WScript.Echo "say ""hi""", "a" & Null & "b", IsNull(Null & Null)
On Error Resume Next
x = Mid("hello", 0): WScript.Echo Err.Number: Err.Clear
x = Left("hello", -1): WScript.Echo Err.Number: Err.Clear
x = Space(-1): WScript.Echo Err.Number: Err.Clear
x = Asc(""): WScript.Echo Err.Number: Err.Clear
x = Chr(256): WScript.Echo Err.Number: Err.Clear
x = InStr(0, "a", "a"): WScript.Echo Err.Number: Err.Clear
x = Replace(Null, "a", "b"): WScript.Echo Err.Number: Err.Clear
