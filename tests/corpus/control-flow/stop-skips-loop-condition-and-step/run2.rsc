n = 0
WHILE MESSAGE("condition") == 0 {
  n++
  IF n == 2 {
    BREAK
  }
}
FOR (i = 0, i < 3, MESSAGE("step " + i)) {
  IF i == 0 {
    i = 5
    CONTINUE
  }
}
FOR (j = 0, j < 3, MESSAGE("never")) {
  BREAK
}
