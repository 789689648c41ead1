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
