FOR (i = 0, i < 3, i++) {
  MESSAGE("i=" + i)
  WHILE 1 {
    IF i == 1 {
      EXIT 5
    }
    BREAK
  }
}
MESSAGE("not reached")
