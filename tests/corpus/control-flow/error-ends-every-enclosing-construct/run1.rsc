FUNC f(n) {
  FOR (i = 0, i < 3, i++) {
    IF i == n {
      x = i / 0
      MESSAGE("same block")
    }
  }
  MESSAGE("after for")
  RETURN 9
}
y = f(1) + MESSAGE("rest of statement")
MESSAGE("not reached")
