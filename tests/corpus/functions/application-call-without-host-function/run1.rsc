CB.Notify(MESSAGE("arg"), 2)
MESSAGE("not reached")
