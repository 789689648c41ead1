' On Error Resume Next, the Err object, the engine's error numbers and texts.
Dim x
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description, Err.Source
WScript.Echo Err
Err.Clear: WScript.Echo Err.Number, "[" & Err.Description & "]"
Err.Raise 5: WScript.Echo Err.Number, Err.Description
Err.Raise vbObjectError + 1, "MyApp", "Custom failure"
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Raise 1000: WScript.Echo Err.Number, Err.Description
Err.Clear
' An error in a condition goes on into the branch.
If 1 / 0 = 1 Then WScript.Echo "then branch"
WScript.Echo Err.Number
Err.Clear
' An error in a procedure without its own handler leaves it, back to the caller's.
Sub Failing()
    WScript.Echo "before"
    x = 1 / 0
    WScript.Echo "not reached"
End Sub
Failing
WScript.Echo "after", Err.Number
Err.Clear
Function Safe()
    On Error Resume Next
    Safe = 1 / 0
    Safe = "handled " & Err.Number
End Function
WScript.Echo Safe()
Sub ClearsOnExit()
    On Error Resume Next
    x = 1 / 0
    Exit Sub
End Sub
ClearsOnExit: WScript.Echo Err.Number
Err.Number = 42: WScript.Echo Err.Number, Err.Description
Err.Description = "set by hand": WScript.Echo Err.Description
On Error GoTo 0
WScript.Echo Err.Number
On Error Resume Next
Dim arr(1): x = arr(5): WScript.Echo Err.Number, Err.Description: Err.Clear
Dim o: o.Method: WScript.Echo Err.Number, Err.Description: Err.Clear
Set o = Nothing: o.Method: WScript.Echo Err.Number, Err.Description: Err.Clear
Set o = New RegExp: o.NoSuchMethod: WScript.Echo Err.Number, Err.Description: Err.Clear
Set x = CreateObject("No.Such.Thing"): WScript.Echo Err.Number, Err.Description: Err.Clear
x = Len(): WScript.Echo Err.Number: Err.Clear
x = CInt(Null): WScript.Echo Err.Number, Err.Description: Err.Clear
x = "a" * 2: WScript.Echo Err.Number: Err.Clear
Err.Raise 6: WScript.Echo Err.Description: Err.Clear
Err.Raise 0: WScript.Echo Err.Number: Err.Clear
' Several statements on one line: each one resumes after itself.
x = 1 / 0: WScript.Echo "next on the line", Err.Number: Err.Clear
On Error GoTo 0
WScript.Echo "unhandled next"
x = 1 / 0
WScript.Echo "not reached"
