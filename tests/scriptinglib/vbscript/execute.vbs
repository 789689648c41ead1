' Execute, ExecuteGlobal, Eval and GetRef.
Dim x
Execute "Dim z: z = 40 + 2"
WScript.Echo z
ExecuteGlobal "Function Triple(n): Triple = n * 3: End Function"
WScript.Echo Triple(5)
WScript.Echo Eval("1 + 2 * 3"), Eval("z = 42"), Eval("Triple(z)"), TypeName(Eval("""text"""))
Sub LocalScope()
    Dim inner: inner = 1
    Execute "inner = inner + 10"
    WScript.Echo inner
    Execute "Dim fresh: fresh = ""made here"""
    WScript.Echo Eval("fresh"), Eval("inner * 2")
    Execute "implicit = 7"
    WScript.Echo Eval("implicit")
End Sub
LocalScope
WScript.Echo IsEmpty(implicit)
Class Greeter
    Private m_name
    Public Sub Init(name)
        m_name = name
    End Sub
    Public Function Greet()
        Greet = Eval("""hello "" & m_name")
    End Function
End Class
Dim g: Set g = New Greeter: g.Init "you": WScript.Echo g.Greet()
Dim f: Set f = GetRef("Triple")
WScript.Echo f(4), TypeName(f)
Sub Announce(text)
    WScript.Echo "announced " & text
End Sub
Set f = GetRef("Announce")
f "hello"
Call f("again")
ExecuteGlobal "Class Dynamic: Public Name: End Class"
Dim dyn: Set dyn = New Dynamic: dyn.Name = "made by ExecuteGlobal": WScript.Echo dyn.Name
ExecuteGlobal "Function Triple(n): Triple = n * 300: End Function"
WScript.Echo Triple(1)
On Error Resume Next
Execute "If Then"
WScript.Echo Err.Number, Err.Source
WScript.Echo Err.Description
Err.Clear
x = Eval("1 +"): WScript.Echo Err.Number: Err.Clear
x = GetRef("NoSuchProcedure"): WScript.Echo Err.Number: Err.Clear
Execute "x = 1 / 0": WScript.Echo Err.Number: Err.Clear
Execute "x = " & String(10000, "(") & "1" & String(10000, ")"): WScript.Echo Err.Number: Err.Clear
x = Eval(String(10000, "-") & "1"): WScript.Echo Err.Number: Err.Clear
