FOR (i = 0, i < 3, i++) {
  GOTO :skip
  MESSAGE("skipped")
  :skip
  MESSAGE("i=" + i)
}
