DEFINE("KEEPVAR", 1)
DEFINE("MUSTVARDEF", 1)
y = n + MESSAGE("rest of statement")
MESSAGE("not reached")
