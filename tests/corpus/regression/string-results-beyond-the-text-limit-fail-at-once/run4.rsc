t = PADLEFT("", 1000000, CHR(10))
r = LCLITE(t, PADLEFT("", 1000))
MESSAGE("not reached")
