t = PADLEFT("", 1000000, CHR(1))
r = DELCTRLC(t, PADLEFT("", 1000))
MESSAGE("not reached")
