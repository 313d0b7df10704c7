d = MININTEGER
d %= -1
MESSAGE("after %=")
