s = PADRIGHT("x", MAXINTEGER, "y")
MESSAGE("not reached")
