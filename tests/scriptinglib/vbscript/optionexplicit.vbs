' Option Explicit: a variable used without Dim stops the script when the line runs.
Option Explicit
Dim declared: declared = 1
WScript.Echo declared
Sub UsesGlobal()
    declared = declared + 1
End Sub
UsesGlobal: WScript.Echo declared
undeclared = 2
WScript.Echo "not reached"
