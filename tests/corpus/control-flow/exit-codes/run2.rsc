EXIT
MESSAGE("not reached")
