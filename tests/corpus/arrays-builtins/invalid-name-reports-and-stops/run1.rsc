ARRAYINIT("a", 3, 1)
x = SORTARRAY("a$")
MESSAGE("not reached")
