s = ""
FOR (i = 0, i < 3, i++) {
  FOR (j = 0, j < 3, j++) {
    IF j == 1 {
      BREAK
    }
    s += "" + i + j + " "
  }
}
MESSAGE(s)
