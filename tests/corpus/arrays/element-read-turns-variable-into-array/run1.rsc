x = 7
y = x[1]
MESSAGE("[" + x + "]")
MESSAGE(0 + x)
MESSAGE(TYPEOF("X") + "," + y)
