' Sub and Function: ByRef and ByVal, array elements and properties as arguments, Exit, Call.
Sub Increment(n)
    n = n + 1
End Sub
Sub IncrementByVal(ByVal n)
    n = n + 1
End Sub
Dim x: x = 1
Increment x: WScript.Echo x
IncrementByVal x: WScript.Echo x
Increment (x): WScript.Echo x
Call Increment(x): WScript.Echo x
Call Increment((x)): WScript.Echo x
' Array elements go by reference, properties by value.
Dim arr(2): arr(1) = 10
Increment arr(1): WScript.Echo arr(1)
Class Holder
    Public Value
End Class
Dim h: Set h = New Holder: h.Value = 5
Increment h.Value: WScript.Echo h.Value
Function Square(n)
    Square = n * n
End Function
WScript.Echo Square(7), Square(Square(2)), Square(1.5)
Function Factorial(n)
    If n <= 1 Then Factorial = 1: Exit Function
    Factorial = n * Factorial(n - 1)
End Function
WScript.Echo Factorial(10), Factorial(20)
Function NoValue()
End Function
WScript.Echo IsEmpty(NoValue()), IsEmpty(NoValue)
Sub EarlyExit(ByRef log)
    log = log & "a"
    Exit Sub
    log = log & "b"
End Sub
Dim s: s = "": EarlyExit s: WScript.Echo s
Function Twice(ByRef a, ByRef b)
    a = a * 2
    b = b * 2
End Function
Dim y: y = 3: Twice y, y: WScript.Echo y
Sub ChangeArray(values)
    values(0) = "changed"
End Sub
Sub ChangeArrayByVal(ByVal values)
    values(0) = "changed"
End Sub
Dim list: list = Array("orig"): ChangeArray list: WScript.Echo list(0)
list = Array("orig"): ChangeArrayByVal list: WScript.Echo list(0)
Function MakeArray()
    MakeArray = Array(1, 2)
End Function
WScript.Echo UBound(MakeArray()), MakeArray()(1)
Dim counter: counter = 0
Sub Bump()
    counter = counter + 1
End Sub
Bump: Bump: Call Bump: WScript.Echo counter
Sub ImplicitLocal()
    implicitName = 5
End Sub
ImplicitLocal: WScript.Echo IsEmpty(implicitName)
Function CallsLater()
    CallsLater = DefinedLater() + 1
End Function
Function DefinedLater()
    DefinedLater = 41
End Function
WScript.Echo CallsLater()
' An element of an array bound to a ByRef parameter locks the array.
Dim shared: ReDim shared(2)
Sub TryResize(item)
    On Error Resume Next
    ReDim shared(10)
    WScript.Echo Err.Number, UBound(shared)
    item = "set"
End Sub
TryResize shared(0): WScript.Echo shared(0)
On Error Resume Next
Square 1, 2: WScript.Echo Err.Number, Err.Description: Err.Clear
x = Square(): WScript.Echo Err.Number: Err.Clear
Call Undefined(1): WScript.Echo Err.Number, Err.Description: Err.Clear
