FUNC f() {
  MESSAGE("f called")
  RETURN 1
}
x = (0 && f())
y = (1 || f())
z = (1 && f())
MESSAGE("" + x + y + z + ("abc" && 1) + ("7" && 1) + (!"abc") + (!"0") + (2 && 3) + (0 || "0"))
