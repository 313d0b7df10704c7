FUNC f(a, b) {
  RETURN "" + a + "," + b
}
b = 42
MESSAGE(f(1))
MESSAGE(b)
