' Arithmetic functions: Round half to even, Int and Fix, Rnd's fixed sequence.
Dim x
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(0.5), Round(1.5), Round(-0.4)
WScript.Echo Round(0.125, 2), Round(0.375, 2), Round(1.23456, 3), Round(1234.5678, 2)
WScript.Echo TypeName(Round(2.5)), TypeName(Round(CInt(3))), TypeName(Round("2.5")), TypeName(Round(CCur(2.5)))
WScript.Echo Int(2.7), Int(-2.7), Fix(2.7), Fix(-2.7), Int(-0.5), Fix(-0.5), TypeName(Int(CInt(5)))
WScript.Echo Abs(-5), Abs(5.5), TypeName(Abs(CInt(-32768))), IsNull(Abs(Null)), IsNull(Int(Null))
WScript.Echo Sgn(-3), Sgn(0), Sgn(2.5), TypeName(Sgn(2.5))
WScript.Echo Sqr(16), Exp(0), Log(1), Atn(0), Cos(0), Sin(0), Tan(0)
WScript.Echo Round(Atn(1) * 4, 5), Round(Exp(1), 6), Round(Log(10), 6)
WScript.Echo RGB(255, 0, 0), RGB(0, 0, 255), RGB(300, 0, 0)
' Without Randomize, Rnd gives the same numbers in every run.
WScript.Echo Rnd, Rnd, Rnd(0), Rnd(-1), Rnd(-1)
Randomize 1
WScript.Echo Rnd, TypeName(Rnd)
On Error Resume Next
x = Sqr(-1): WScript.Echo Err.Number: Err.Clear
x = Log(0): WScript.Echo Err.Number: Err.Clear
x = Round(1.5, -1): WScript.Echo Err.Number: Err.Clear
x = Exp(1000): WScript.Echo Err.Number: Err.Clear
x = Sgn(Null): WScript.Echo Err.Number: Err.Clear
