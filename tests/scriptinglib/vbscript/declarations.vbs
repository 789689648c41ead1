' Dim, Const and ReDim: names are known throughout their scope, constants cannot change.
WScript.Echo Hoisted, TypeName(Hoisted)
Const Hoisted = 5
Const Greeting = "hi", Negative = -2.5, When = #1/2/2003#
Public Const Shared = True
WScript.Echo Greeting, Negative, When, Shared, TypeName(When), TypeName(Negative)
Sub UsesConstants()
    Const Local = 10
    WScript.Echo Local + Hoisted
End Sub
UsesConstants
Dim i
For i = 1 To 3
    Dim inLoop
    inLoop = inLoop & i
Next
WScript.Echo inLoop
WScript.Echo IsEmpty(declaredLater)
Dim declaredLater
ReDim fresh(2): WScript.Echo UBound(fresh)
Dim a, b: a = 1: b = a: a = 2: WScript.Echo a, b
Dim [name with spaces]: [name with spaces] = "bracketed": WScript.Echo [name with spaces]
x = "implicit global": WScript.Echo x
On Error Resume Next
Hoisted = 6: WScript.Echo Err.Number, Err.Description, Hoisted: Err.Clear
Execute "Greeting = 1": WScript.Echo Err.Number: Err.Clear
vbCrLf = "x": WScript.Echo Err.Number: Err.Clear
Len = 2: WScript.Echo Err.Number: Err.Clear
