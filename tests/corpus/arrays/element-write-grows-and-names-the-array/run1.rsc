a[2] = 5
MESSAGE("" + a[0] + a[1] + a[2] + a[9])
MESSAGE(a)
MESSAGE(0 + a)
MESSAGE(TYPEOF("A"))
