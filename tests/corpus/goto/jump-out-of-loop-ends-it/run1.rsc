i = 0
WHILE 1 {
  i++
  IF i == 3 {
    GOTO :done
  }
}
MESSAGE("skipped")
:done
MESSAGE("i=" + i)
