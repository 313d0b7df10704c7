FUNC r(n) {
  IF n > 0 {
    RETURN r(n - 1) + 1
  }
  RETURN 0
}
MESSAGE(r(512))
