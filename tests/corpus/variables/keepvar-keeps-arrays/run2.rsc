MESSAGE(a[1] + TYPEOF("A") + a)
