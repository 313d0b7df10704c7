FOR (i = 0, i < 10, i++) {
  IF i == 2 {
    RETURN 7
  }
}
MESSAGE("not reached")
