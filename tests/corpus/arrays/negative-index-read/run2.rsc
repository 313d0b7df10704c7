a[0] = 5
MESSAGE(a["-3"] + MESSAGE("rest"))
MESSAGE("not reached")
