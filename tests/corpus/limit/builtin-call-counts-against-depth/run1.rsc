FUNC d(n) {
  IF n > 1 {
    RETURN d(n - 1)
  }
  RETURN ABS(-5)
}
MESSAGE(d(512))
