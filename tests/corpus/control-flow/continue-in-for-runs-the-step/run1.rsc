s = ""
FOR (i = 0, i < 5, i++) {
  IF i == 2 {
    CONTINUE
  }
  s += i
}
MESSAGE(s + "," + i)
