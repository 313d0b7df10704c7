; The host asks once, at the statement in f (poll 2); the CONTINUE after the call must keep it.
FUNC f() {
  1
}
LOOP {
  IF f() == 0 {
    CONTINUE
  }
}
