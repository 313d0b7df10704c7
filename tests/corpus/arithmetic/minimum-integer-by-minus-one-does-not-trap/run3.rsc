c = MININTEGER
c /= -1
MESSAGE("after /=")
