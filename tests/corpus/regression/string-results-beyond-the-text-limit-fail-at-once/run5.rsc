t = PADLEFT("", 1000000, "a")
r = INSCRLF(t, 1, PADLEFT("", 1000))
MESSAGE("not reached")
