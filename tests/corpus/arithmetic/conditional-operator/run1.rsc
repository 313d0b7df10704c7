MESSAGE(0 ? 1 : 0 ? 2 : 3)
MESSAGE(1 ? 1 : 0 ? 2 : 3)
MESSAGE("0" ? "yes" : "no")
MESSAGE("" ? "yes" : "no")
MESSAGE(1 ? 10 : MESSAGE("not evaluated"))
x = 1 + y = 2 + 3
MESSAGE("" + x + "," + y)
