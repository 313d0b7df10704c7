x = 7 % 0
MESSAGE("not reached")
