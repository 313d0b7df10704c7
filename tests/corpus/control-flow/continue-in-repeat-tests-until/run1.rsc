i = 0
s = ""
REPEAT {
  i++
  IF i == 2 || i == 4 {
    CONTINUE
  }
  s += i
} UNTIL i >= 4
MESSAGE(s + "," + i)
