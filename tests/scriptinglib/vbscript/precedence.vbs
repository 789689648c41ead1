' Operator precedence and grouping.
WScript.Echo 2 + 3 * 4, (2 + 3) * 4, 2 ^ 3 ^ 2, -2 ^ 2, 10 - 4 - 3, 100 / 10 / 5
WScript.Echo 7 \ 2 * 3, 10 Mod 4 \ 2, 2 * 3 Mod 4
WScript.Echo "a" & 1 + 2, 1 + 2 & 3
WScript.Echo Not True = False, True Or True And False, 3 > 2 > 1
WScript.Echo 2 + -3, 2 - -3, -(2 + 3) * 2
