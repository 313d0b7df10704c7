; A text may hold 268435456 bytes (a quarter of a gigabyte) and not one more.
s = PADLEFT("", 268435456, "x")
MESSAGE("a quarter of a gigabyte")
s = ""
t = PADRIGHT("", 268435457, "x")
MESSAGE("not reached")
