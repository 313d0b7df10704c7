# Variables passed to string built-ins: read as they are when the call is made, the same variable
# twice, an array, and a call in a later argument that changes the variable.
DEFINE("KEEPVAR", 1)
FUNC change() {
  s = "zzzz"
  RETURN "bc"
}
s = "abcabc"
a[1] = "x"
MESSAGE("" + STRLEN(s) + "," + STRSTR(s, "ca") + "," + STRSTR(s, s) + "," + STRLEN(a) + "," + STRSTR(s, change()) + "," + s)
s = "keep me"
n = 7
MESSAGE("" + STRLEN(n) + MAX(n, n + 1) + LEFT(s, n - 3) + STRSTR(s, n - 7 + "me"))
t = PADLEFT(s, MAXINTEGER, "x")
