' If, Select Case, the loops, Exit and With.
Dim i, s, j
s = "": For i = 1 To 3: s = s & i: Next: WScript.Echo s, i
s = "": For i = 10 To 1 Step -3: s = s & i & " ": Next: WScript.Echo s & "|"
s = "": For i = 0 To 1 Step 0.5: s = s & i & ";": Next: WScript.Echo s
s = "": For i = 5 To 1: s = s & i: Next: WScript.Echo "[" & s & "]", i
s = "": For i = 1 To 3: s = s & i: i = i + 1: Next: WScript.Echo s
For i = 1 To 10
    If i = 3 Then Exit For
Next
WScript.Echo i
s = ""
For i = 1 To 3
    For j = 1 To 3
        If j = 2 Then Exit For
        s = s & i & j & " "
    Next
Next
WScript.Echo s & "|"
i = 0: Do While i < 3: i = i + 1: Loop: WScript.Echo i
i = 0: Do: i = i + 1: Loop Until i >= 5: WScript.Echo i
i = 10: Do Until i <= 7: i = i - 1: Loop: WScript.Echo i
i = 0: Do: i = i + 1: Loop While i < 0: WScript.Echo i
i = 0
Do
    i = i + 1
    If i = 4 Then Exit Do
Loop
WScript.Echo i
i = 0: While i < 2: i = i + 1: Wend: WScript.Echo i
Function Classify(n)
    If n < 0 Then
        Classify = "negative"
    ElseIf n = 0 Then
        Classify = "zero"
    ElseIf n < 10 Then
        Classify = "small"
    Else
        Classify = "large"
    End If
End Function
WScript.Echo Classify(-1), Classify(0), Classify(5), Classify(50)
Function Kind(v)
    Select Case v
        Case 1, 2, 3: Kind = "low"
        Case "a": Kind = "letter a"
        Case Else: Kind = "other"
    End Select
End Function
WScript.Echo Kind(2), Kind("a"), Kind(9), Kind(Null)
Select Case True
    Case 1 > 2: WScript.Echo "no"
    Case 2 > 1: WScript.Echo "yes"
    Case 3 > 1: WScript.Echo "not reached"
End Select
Select Case "x"
    Case "y": WScript.Echo "no"
End Select
If Null Then WScript.Echo "null is true" Else WScript.Echo "null is false"
If Empty Then WScript.Echo "empty is true" Else WScript.Echo "empty is false"
If "True" Then WScript.Echo "text True is true"
If 1 > 2 Then WScript.Echo "x" Else WScript.Echo "single-line else"
If 2 > 1 Then WScript.Echo "a": WScript.Echo "b"
Dim re: Set re = New RegExp
With re
    .Pattern = "a+"
    .Global = True
    WScript.Echo .Test("caaat"), .Replace("caaat", "-"), .Pattern
End With
For Each i In Array("x", "y")
    With re
        If i = "y" Then Exit For
        WScript.Echo "in with " & i
    End With
Next
WScript.Echo "after", i
