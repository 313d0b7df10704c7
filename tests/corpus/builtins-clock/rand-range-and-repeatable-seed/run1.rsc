MESSAGE(SRAND(42))
a = RAND()
b = RAND()
SRAND(42)
c = RAND()
d = RAND()
ok = 1
FOR (i = 0, i < 200, i++) {
  r = RAND()
  IF r < 0 || r > 32767 {
    ok = 0
  }
}
MESSAGE("" + (a == c) + (b == d) + ok)
MESSAGE(SRAND("7x"))
