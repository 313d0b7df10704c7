MESSAGE(b[3])
MESSAGE("[" + b$[3] + "]")
MESSAGE(TYPEOF("B"))
