; Nor may BREAK turn it into the end of the loop only.
LOOP {
  IF (1 / 0) == 0 {
    BREAK
  }
}
MESSAGE("not reached")
