' Bad input that must end in a clear error and leave the script running.
Dim x, big, huge, multi
Function Endless(n)
    Endless = Endless(n + 1)
End Function
On Error Resume Next
x = Endless(1)
WScript.Echo Err.Number, Err.Description
Err.Clear
ReDim big(100000000)
WScript.Echo Err.Number, Err.Description
Err.Clear
ReDim multi(100000, 100000)
WScript.Echo Err.Number
Err.Clear
huge = Space(100000000)
WScript.Echo Len(huge), Err.Number
huge = Empty
x = String(2000000000, "a")
WScript.Echo Err.Number, Err.Description
Err.Clear
WScript.Echo "still running"
' Long chains go one link after the other.
Class Link
    Public NextLink
End Class
Dim chain, newLink, i, nested
Set chain = Nothing
For i = 1 To 300000
    Set newLink = New Link
    Set newLink.NextLink = chain
    Set chain = newLink
Next
Set newLink = Nothing
Set chain = Nothing
WScript.Echo "chain released"
For i = 1 To 300000
    nested = Array(nested)
Next
nested = Empty
WScript.Echo "nested arrays released"
