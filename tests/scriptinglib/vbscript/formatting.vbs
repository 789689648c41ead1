' FormatNumber, FormatCurrency and FormatPercent in the en-US locale.
WScript.Echo FormatNumber(1234.5678), FormatNumber(1234.5678, 1), FormatNumber(0.6, 0), FormatNumber(2.675, 2)
WScript.Echo FormatNumber(-0.5, 2, 0), FormatNumber(-1234.5, 2, -1, -1, 0), FormatNumber(0.5, 3, -1)
WScript.Echo FormatNumber("1000"), FormatNumber(1E+20, 0), FormatNumber(Empty), FormatNumber(12345, 0, , , 0)
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-1234.5), FormatCurrency(-2, 0, , 0), FormatCurrency(0.126)
WScript.Echo FormatPercent(0.1234), FormatPercent(0.5, 0), FormatPercent(-0.25, 1), FormatPercent(1)
On Error Resume Next
Dim x: x = FormatNumber("abc"): WScript.Echo Err.Number: Err.Clear
