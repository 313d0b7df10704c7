FUNC e(n) {
  IF n > 1 {
    RETURN e(n - 1)
  }
  RETURN CB.ping(n)
}
e(513)
MESSAGE("after")
