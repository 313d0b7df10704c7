a[0] = 1
a[1] = 2
c = a
MESSAGE(c)
MESSAGE(c[1])
c[0] = 5
MESSAGE("" + a[0] + c[0])
MESSAGE(c)
