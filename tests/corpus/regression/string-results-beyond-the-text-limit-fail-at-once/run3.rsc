; A million characters, each replaced by 1000 bytes: a gigabyte.
t = PADLEFT("", 1000000, "a")
w = PADLEFT("", 1000, "b")
r = REPLACE(t, "a", w)
MESSAGE("not reached")
