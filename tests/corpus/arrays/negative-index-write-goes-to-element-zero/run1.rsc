DEFINE("KEEPVAR", 1)
a[-2] = 9
MESSAGE("not reached")
