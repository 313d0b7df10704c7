s = "text"
i = 5
a[0] = 1
n = "S"
MESSAGE(TYPEOF("s") + "," + TYPEOF("I") + "," + TYPEOF(a) + "," + TYPEOF("A") + "," + TYPEOF("none"))
MESSAGE(TYPEOF("A$") + "," + TYPEOF("") + "," + TYPEOF("1a") + "," + TYPEOF(n) + "," + TYPEOF(5) + "," + TYPEOF("a b"))
