' Classes: properties, default members, Me, Is, and the moments of Class_Initialize and
' Class_Terminate as references come and go.
Class Counter
    Private m_count
    Public Name
    Private Sub Class_Initialize()
        m_count = 0
        Name = "counter"
        WScript.Echo "init"
    End Sub
    Private Sub Class_Terminate()
        WScript.Echo "terminate " & Name
    End Sub
    Public Sub Add(n)
        m_count = m_count + n
    End Sub
    Public Property Get Count()
        Count = m_count
    End Property
    Public Property Let Count(value)
        m_count = value
    End Property
    Public Default Function Describe()
        Describe = Name & "=" & m_count
    End Function
    Public Function Self()
        Set Self = Me
    End Function
End Class
Dim c: Set c = New Counter
c.Add 5: c.Add 2
WScript.Echo c.Count
c.Count = 10: WScript.Echo c.Count, c.count, C.COUNT
WScript.Echo c, c & "!", "[" & c.Describe & "]"
WScript.Echo TypeName(c), IsObject(c), c.Self Is c
c.Name = "first"
Set c = Nothing
WScript.Echo "after first"
Sub UseTemporary()
    Dim local: Set local = New Counter
    local.Name = "local"
    WScript.Echo "leaving"
End Sub
UseTemporary
WScript.Echo "after sub"
Dim p, q: Set p = New Counter: Set q = p: p.Name = "shared"
Set p = Nothing: WScript.Echo "one reference left"
Set q = Nothing
WScript.Echo TypeName(New Counter)
WScript.Echo "temporary gone"
Class Node
    Public Value, NextNode
End Class
Dim n1, n2: Set n1 = New Node: Set n2 = New Node
n1.Value = 1: Set n1.NextNode = n2: n2.Value = 2
WScript.Echo n1.NextNode.Value, n1.NextNode Is n2, IsEmpty(n2.NextNode)
Class Box
    Private m_item
    Public Property Set Item(value)
        Set m_item = value
    End Property
    Public Property Get Item()
        Set Item = m_item
    End Property
End Class
Dim b: Set b = New Box: Set b.Item = n1
WScript.Echo b.Item.Value
Class Table
    Private m_cells(2)
    Public Default Property Get Cell(i)
        Cell = m_cells(i)
    End Property
    Public Property Let Cell(i, value)
        m_cells(i) = value
    End Property
End Class
Dim t: Set t = New Table
t(1) = "one": t.Cell(2) = "two"
WScript.Echo t(1), t.Cell(2), IsEmpty(t(0))
' An object released inside its own method lives until the method ends.
Class SelfReleaser
    Public Sub Release()
        Set holder = Nothing
        WScript.Echo "still running"
    End Sub
    Private Sub Class_Terminate()
        WScript.Echo "released"
    End Sub
End Class
Dim holder: Set holder = New SelfReleaser
holder.Release
WScript.Echo IsObject(holder), holder Is Nothing
' A reference cycle keeps its objects until the engine closes, without Class_Terminate.
Class Cyclic
    Public Other
    Private Sub Class_Terminate()
        WScript.Echo "never"
    End Sub
End Class
Dim k1: Set k1 = New Cyclic: Set k1.Other = New Cyclic: Set k1.Other.Other = k1
Set k1 = Nothing
Dim c2: Set c2 = New Counter
Dim x
On Error Resume Next
x = c2.m_count: WScript.Echo Err.Number, Err.Description: Err.Clear
c2.Missing: WScript.Echo Err.Number: Err.Clear
Set x = 5: WScript.Echo Err.Number, Err.Description: Err.Clear
x = New Node: WScript.Echo Err.Number: Err.Clear
Dim o: o.Value = 1: WScript.Echo Err.Number: Err.Clear
Set o = Nothing: x = o.Value: WScript.Echo Err.Number, Err.Description: Err.Clear
Set o = New Undefined: WScript.Echo Err.Number, Err.Description: Err.Clear
On Error GoTo 0
WScript.Echo "end of script"
Class Failing
    Private Sub Class_Initialize()
        Err.Raise 5
    End Sub
End Class
Class Props
    Public Property Get Value()
        Value = 1
        Exit Property
        Value = 2
    End Property
    Public Property Get Scaled(factor)
        Scaled = 10 * factor
    End Property
End Class
Dim fail, withProps
On Error Resume Next
Set fail = New Failing: WScript.Echo Err.Number, IsEmpty(fail): Err.Clear
On Error GoTo 0
Set withProps = New Props
WScript.Echo withProps.Value, withProps.Scaled(3)
