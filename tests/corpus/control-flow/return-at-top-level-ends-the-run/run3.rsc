RETURN
MESSAGE("not reached")
