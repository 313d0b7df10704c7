MESSAGE(n)
MESSAGE("[" + n$ + "]")
MESSAGE(TYPEOF("N"))
