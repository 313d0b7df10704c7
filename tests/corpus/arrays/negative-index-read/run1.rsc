x = b[-1]
MESSAGE("not reached")
