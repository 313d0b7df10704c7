a = MININTEGER / -1
MESSAGE("after /")
