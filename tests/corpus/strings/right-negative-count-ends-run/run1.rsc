MESSAGE("before")
x = RIGHT("abc", -1)
MESSAGE("not reached")
