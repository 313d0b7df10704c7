i = 0
a[i++] = i
MESSAGE("" + a[0] + "," + i)
MESSAGE(b[1] = 7)
