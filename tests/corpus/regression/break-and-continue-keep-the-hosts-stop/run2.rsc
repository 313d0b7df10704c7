FUNC f() {
  1
}
LOOP {
  IF f() == 0 {
    BREAK
  }
}
MESSAGE("not reached")
