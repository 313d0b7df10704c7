MESSAGE(GETMONITORSRECT("l", "t", "r", "b", "w", "h"))
MESSAGE("" + l[0] + "," + t[0] + "," + r[0] + "," + b[0] + " " + w[0] + "x" + h[0])
MESSAGE(GETMONITORSRECT("l2", "t2", "r2", "b2"))
MESSAGE("" + ARRAYSIZE("b2") + TYPEOF("w2"))
