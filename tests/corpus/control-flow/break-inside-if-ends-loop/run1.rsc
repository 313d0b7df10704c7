i = 0
WHILE 1 {
  i++
  IF i == 3 {
    BREAK
  }
  MESSAGE("i=" + i)
}
MESSAGE("end " + i)
