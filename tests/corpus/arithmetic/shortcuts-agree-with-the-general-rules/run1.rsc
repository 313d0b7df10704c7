# Integers that wrap, strings that read as integers, arrays and "$" names through the short ways
# of assignment, counting and comparison.
m = MAXINTEGER
m++
n = MININTEGER
n--
MESSAGE("" + m + "," + n + "," + (MAXINTEGER + 1) + "," + (MININTEGER - 1) + "," + (65536 * 65536 + 7))
s = "41"
s++
t = " 12abc"
t--
u$ = "x"
u$++
v$ = 3 * 4
MESSAGE("" + s + "," + t + "," + u$ + "," + v$ + "," + (v$ === 12) + (s === 42))
w = "text"
w = 6 - 1
MESSAGE("" + w + "," + (w === 5) + "," + STRLEN(w))
a[2] = 5
b = a
MESSAGE("" + (a == "A") + (a < "B") + (a + 1) + "," + (1 + a) + "," + (a[2] + a[2]) + "," + (a[1] == 0) + (a[1] == ""))
k = "10"
MESSAGE("" + (k < 9) + (k < "9") + (9 < k) + ("9" < k) + (k == 10) + (k === 10) + (k !== "10") + (k + 1) + "," + (1 + k))
x = 5
MESSAGE("" + (x + (x = 7)) + "," + x + "," + (x < (x = 1)) + "," + x)
p$ = ""
q = p$ + 1
MESSAGE("[" + q + "]" + (p$ == 0) + (p$ < 1) + (q === "1"))
