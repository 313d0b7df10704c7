MESSAGE(f())
FUNC f() {
  RETURN 1
}
FUNC f() {
  RETURN 2
}
IF 0 {
  FUNC g() {
    RETURN 3
  }
}
MESSAGE(g())
x = FUNC h() {
  RETURN 4
}
MESSAGE("" + x + h())
