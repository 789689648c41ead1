' The RegExp object: Test, Execute with Matches and SubMatches, Replace with $ references.
Dim re, m, ms, x
Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.com"
WScript.Echo re.Test("mail bob@example.com now"), re.Test("nothing"), re.Global, re.IgnoreCase
Set ms = re.Execute("bob@example.com, amy@test.com")
WScript.Echo ms.Count, TypeName(ms), TypeName(ms(0))
re.Global = True
Set ms = re.Execute("bob@example.com, amy@test.com")
WScript.Echo ms.Count, ms(1).Value, ms(1).FirstIndex, ms(1).Length, ms(1)
WScript.Echo ms(0).SubMatches.Count, ms(0).SubMatches(0), ms(0).SubMatches(1)
For Each m In ms
    WScript.Echo m.Value & " at " & m.FirstIndex
Next
WScript.Echo re.Replace("bob@example.com", "$2:$1"), re.Replace("x@y.com", "<$&>"), re.Replace("x@y.com", "$$1")
re.Pattern = "a": WScript.Echo re.Replace("banana", "o")
re.Global = False: WScript.Echo re.Replace("banana", "o")
re.Pattern = "A": re.IgnoreCase = True: re.Global = True: WScript.Echo re.Replace("bAnana", "[$&]")
re.Pattern = "^\d+$": re.Multiline = True: re.IgnoreCase = False
WScript.Echo re.Execute("12" & vbLf & "ab" & vbLf & "345").Count
re.Multiline = False: WScript.Echo re.Test("12" & vbLf & "34"), re.Test("1234")
re.Pattern = "(a)|(b)": Set ms = re.Execute("b")
WScript.Echo IsEmpty(ms(0).SubMatches(0)), ms(0).SubMatches(1)
re.Pattern = "x*": WScript.Echo re.Replace("abc", "-")
re.Pattern = "\u0041": WScript.Echo re.Test("A")
re.Pattern = "(\d)(\d)": WScript.Echo re.Replace("1234", "$2$1")
Set re = CreateObject("VBScript.RegExp"): re.Pattern = "b": WScript.Echo re.Test("abc")
On Error Resume Next
re.Pattern = "(unclosed": x = re.Test("x"): WScript.Echo Err.Number, Err.Description: Err.Clear
