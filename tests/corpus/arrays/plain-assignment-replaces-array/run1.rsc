a[0] = 1
a = 5
MESSAGE(TYPEOF("A") + "," + a)
