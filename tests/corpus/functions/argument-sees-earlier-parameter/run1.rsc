FUNC f(a, b) {
  RETURN b
}
a = 1
MESSAGE(f(10, a + 1))
MESSAGE(a)
