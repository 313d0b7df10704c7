DEFINE("KEEPVAR", 1)
v = 1
FUNC f() {
  RETURN 1
}
x = = 2
