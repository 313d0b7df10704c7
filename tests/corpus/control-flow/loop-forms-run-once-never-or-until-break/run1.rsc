REPEAT {
  MESSAGE("repeat once")
} UNTIL 1
WHILE 0 {
  MESSAGE("never")
}
FOR (i = 0, i < 0, i++) {
  MESSAGE("never")
}
n = 0
FOR (, , ) {
  n++
  IF n == 3 {
    BREAK
  }
}
MESSAGE("n=" + n)
LOOP {
  n++
  IF n >= 5 {
    BREAK
  }
}
MESSAGE("n=" + n)
