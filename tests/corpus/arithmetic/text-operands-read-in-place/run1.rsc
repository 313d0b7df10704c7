# A string or an array on the left of + or a comparison, with a right side that changes nothing
# (read where it is) and with one that does (kept as it was).
s$ = "ab"
t = "ab"
a[1] = 5
MESSAGE(s$ + s$ + "|" + (s$ + 1) + "|" + (s$ + -7 % 3) + "|" + (a + 1) + "|" + ("" + a) + "|" + (a + "x"))
MESSAGE("" + (s$ == t) + (s$ === t) + (s$ < s$ + "a") + ("b" > s$) + (5 < "10") + ("10" < 5) + (a == "A") + (a < "B"))
MESSAGE("" + ("9" + 1 < "91") + (s$ >= "ab") + (s$ <= "a") + ("" != s$) + ("" == 0) + (0 == ""))
n = 3
MESSAGE(s$ + (s$ = "cd") + s$ + "|" + (s$ + n * 2) + "|" + (s$ < (s$ = "a")) + s$)
