MESSAGE(GETMONITORSRECT("l", "t", "r", "b", "w", "h$"))
MESSAGE(TYPEOF("l"))
