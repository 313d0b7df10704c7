FUNC count(n) {
  c = 0
  :more
  c++
  IF c < n {
    GOTO :more
  }
  RETURN c
}
MESSAGE(count(4))
