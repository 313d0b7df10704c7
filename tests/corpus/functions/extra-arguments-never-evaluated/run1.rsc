FUNC f(a, b) {
  RETURN a + b
}
FUNC g() {
  MESSAGE("g called")
  RETURN 0
}
MESSAGE(f(1, 2, g()))
