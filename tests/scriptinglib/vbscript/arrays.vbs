' Arrays: fixed and dynamic, ReDim Preserve, Erase, copies, bounds, Split, Join, Filter.
Dim a(3), i, x
WScript.Echo UBound(a), LBound(a), TypeName(a), IsEmpty(a(0)), IsArray(a)
For i = 0 To 3: a(i) = i * i: Next
WScript.Echo Join(a, ","), Join(a)
' Assigning an array copies it.
Dim b: b = a: b(0) = 100
WScript.Echo a(0), b(0)
Dim m(2, 3)
WScript.Echo UBound(m, 1), UBound(m, 2), LBound(m, 2)
m(2, 3) = "corner": WScript.Echo m(2, 3)
Dim d(): ReDim d(2): d(0) = "x": ReDim Preserve d(4)
WScript.Echo UBound(d), d(0), IsEmpty(d(4))
ReDim d(1): WScript.Echo IsEmpty(d(0)), UBound(d)
Dim g: g = Array(1, "two", 3.5)
WScript.Echo UBound(g), g(1), TypeName(g(2))
Dim e: e = Array(): WScript.Echo UBound(e), LBound(e)
Dim s: s = Split("a,b,,c", ",")
WScript.Echo UBound(s), s(2) = "", s(3), TypeName(s)
s = Split("a b c"): WScript.Echo UBound(s)
s = Split("a,b,c,d", ",", 2): WScript.Echo UBound(s), s(1)
s = Split("aXbxc", "x", -1, 1): WScript.Echo Join(s, "|")
s = Split(""): WScript.Echo UBound(s)
s = Split("abc", ""): WScript.Echo UBound(s), s(0)
s(0) = 5: WScript.Echo TypeName(s(0))
WScript.Echo Join(Filter(Array("apple", "banana", "cherry"), "an"), ","), Join(Filter(Array("apple", "banana"), "an", False), ","), Join(Filter(Array("Apple"), "a", True, 1), ",")
Dim total: total = 0
For Each i In Array(1, 2, 3): total = total + i: Next
WScript.Echo total
Dim grid(1, 1): grid(0, 0) = 1: grid(1, 0) = 2: grid(0, 1) = 3: grid(1, 1) = 4
Dim line: line = ""
For Each i In grid: line = line & i: Next
WScript.Echo line
Dim dyn(): ReDim dyn(1, 1): dyn(1, 1) = "kept": ReDim Preserve dyn(1, 3)
WScript.Echo UBound(dyn, 2), dyn(1, 1)
Erase a: WScript.Echo UBound(a), IsEmpty(a(0))
Erase d
Dim nested: nested = Array(Array(1, 2), Array(3, 4))
WScript.Echo nested(1)(0), UBound(nested(0))
On Error Resume Next
x = a(4): WScript.Echo Err.Number, Err.Description: Err.Clear
x = m(0): WScript.Echo Err.Number: Err.Clear
ReDim a(5): WScript.Echo Err.Number, Err.Description: Err.Clear
ReDim Preserve dyn(2, 3): WScript.Echo Err.Number: Err.Clear
x = UBound(d): WScript.Echo Err.Number: Err.Clear
x = UBound(5): WScript.Echo Err.Number: Err.Clear
x = UBound(g, 2): WScript.Echo Err.Number: Err.Clear
x = Join("text"): WScript.Echo Err.Number: Err.Clear
