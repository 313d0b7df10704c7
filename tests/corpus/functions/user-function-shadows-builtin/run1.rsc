FUNC abs(n) {
  RETURN 99
}
MESSAGE(ABS(-5))
MESSAGE(abs$(-5))
