' Scripting.Dictionary: order of keys, reading a missing key, keys of several subtypes, modes.
Dim d, d2, k, x
Set d = CreateObject("Scripting.Dictionary")
d.Add "b", 2: d.Add "a", 1: d("c") = 3
WScript.Echo d.Count, d("a"), d.Item("b"), d.Exists("c"), d.Exists("z"), d.Exists("A")
WScript.Echo Join(d.Keys, ","), Join(d.Items, ",")
For Each k In d
    WScript.Echo k & "=" & d(k)
Next
x = d("missing"): WScript.Echo d.Count, IsEmpty(x)
d.Remove "missing": d.Key("a") = "A": WScript.Echo Join(d.Keys, ","), d("A")
d.Add 1, "one": WScript.Echo d.Exists(1), d.Exists("1"), d(1.0), d(CLng(1))
WScript.Echo TypeName(d.Keys), UBound(d.Items), d.Keys()(0)
d.RemoveAll: WScript.Echo d.Count, UBound(d.Keys)
d.CompareMode = vbTextCompare: d.Add "Key", 1: WScript.Echo d.Exists("KEY"), d.CompareMode
Set d2 = CreateObject("scripting.dictionary")
Set d2("obj") = New RegExp: WScript.Echo TypeName(d2("obj"))
d2.Add d, "keyed by an object": WScript.Echo d2(d)
On Error Resume Next
d.Add "key", 2: WScript.Echo Err.Number, Err.Description: Err.Clear
d.Remove "nothing": WScript.Echo Err.Number, Err.Description: Err.Clear
d.CompareMode = 0: WScript.Echo Err.Number: Err.Clear
d.Add Array(1), 1: WScript.Echo Err.Number: Err.Clear
x = d: WScript.Echo Err.Number: Err.Clear
