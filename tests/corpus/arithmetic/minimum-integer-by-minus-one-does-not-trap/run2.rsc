b = MININTEGER % -1
MESSAGE("after %")
