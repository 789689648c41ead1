' Logical operators on Booleans, on numbers (bit by bit) and with Null.
WScript.Echo True And False, True Or False, Not True, True Xor True, True Eqv False, False Imp True
WScript.Echo 12 And 10, 12 Or 10, 12 Xor 10, Not 0, Not 5, TypeName(12 And 10)
WScript.Echo TypeName(CByte(12) And CByte(10)), TypeName(CLng(12) And 10), True And 5
WScript.Echo IsNull(Null And True), Null And False, Null Or True, IsNull(Null Or False)
WScript.Echo IsNull(Not Null), IsNull(Null Xor True), IsNull(Null Eqv False)
WScript.Echo Null Imp True, IsNull(Null Imp False), False Imp Null, IsNull(True Imp Null)
WScript.Echo 1 = 1 And 2 = 2, Not 1 = 2, True Or True And False
WScript.Echo "True" And True, 6 And "3"
