; Arguments that together pass the limits, as one array would hold them.
s = PADLEFT("", 100000000)
ARRAYADD("a", s, s, s)
MESSAGE("not reached")
