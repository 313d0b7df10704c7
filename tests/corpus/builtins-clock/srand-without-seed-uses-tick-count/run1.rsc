t0 = GETTICKCOUNT()
s = SRAND()
t1 = GETTICKCOUNT()
MESSAGE("" + (s - t0 >= 0) + (t1 - s >= 0) + (t1 - t0 < 10000))
